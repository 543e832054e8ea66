// One simulated panel's state: what it holds (camera table, setup block,
// log, credentials, the images it received), how it is told to misbehave,
// and every byte it received, connection by connection. Every member is
// safe to call from any thread while the panel serves connections.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/ip_setting_record.h"
#include "protocol/panel_address.h"
#include "sim/address_assignment.h"
#include "sim/fault.h"

namespace sim {

using Bytes = std::vector<std::uint8_t>;

// The panel's log as it is sent: its total size and the size of each send.
struct LogShape {
  std::uint64_t size = 64 * 1024;
  std::size_t piece = 1460;
};

// The panel's pauses while it talks with the tool.
struct PanelTiming {
  // A block of unknown length has ended when nothing arrives for this long.
  std::chrono::milliseconds idleGap{500};
  // Between consecutive reply lines, so that each arrives on its own.
  std::chrono::milliseconds lineGap{100};
  // After each piece of a reply sent in pieces.
  std::chrono::milliseconds pieceGap{20};
  // How long the panel waits for the tool to send or to close.
  std::chrono::milliseconds peerWait{60000};
};

class SimulatedPanel {
 public:
  explicit SimulatedPanel(protocol::PanelAddress address);

  protocol::PanelAddress Address() const { return address_; }

  // Back to the factory state: default contents, no faults, nothing
  // received, no images.
  void Reset();

  // Contents, exactly as sent and as last stored.
  void SetCameraRecord(Bytes bytes);
  void SetCameraRecord(const protocol::IpSettingRecord& record);
  Bytes CameraRecord() const;
  void SetSetupBlock(Bytes bytes);
  Bytes SetupBlock() const;
  void SetCredentials(Bytes bytes);
  Bytes Credentials() const;
  // A generated log of shape.size bytes, sent in pieces of shape.piece.
  void SetLog(LogShape shape);
  LogShape Log() const;
  // Exactly these bytes as the log, sent in pieces of the shape's size.
  void SetLogBytes(Bytes bytes);
  std::optional<Bytes> LogBytes() const;
  Bytes ProgramImage() const;
  Bytes FpgaImage() const;
  void StoreProgramImage(Bytes bytes);
  void StoreFpgaImage(Bytes bytes);
  // The length of an image the tool uploads; without it, an image ends at
  // the first idle gap.
  void SetImageSize(std::optional<std::size_t> size);
  std::optional<std::size_t> ImageSize() const;
  void SetTiming(PanelTiming timing);
  PanelTiming Timing() const;

  // The proposal of the last renew or keep START or RETRY, which SET applies.
  void SetProposal(AssignMode mode, Bytes record);
  std::optional<Bytes> Proposal(AssignMode mode) const;

  // Misbehaviour per command line (with or without its CR LF).
  void SetFault(std::string_view commandLine, Fault fault);
  void ClearFaults();
  Fault FaultFor(std::string_view commandLine) const;

  // Every connection's received bytes, command line included, in the order
  // the connections came; a connection still open shows what came so far.
  std::vector<Bytes> Received() const;
  std::size_t ConnectionsEnded() const;
  // Waits until `count` connections in all have ended; false on time-out.
  bool WaitForConnections(std::size_t count, std::chrono::milliseconds timeout) const;

  // Kept by the server while it serves a connection. A connection that
  // began before a Reset is no longer recorded or counted.
  struct ConnectionId {
    std::uint64_t generation = 0;
    std::size_t index = 0;
  };
  ConnectionId BeginConnection();
  void AppendReceived(ConnectionId connection, std::span<const std::uint8_t> bytes);
  void EndConnection(ConnectionId connection);

 private:
  void ResetLocked();

  const protocol::PanelAddress address_;
  mutable std::mutex mutex_;
  mutable std::condition_variable connectionEnded_;
  Bytes cameraRecord_;
  Bytes setupBlock_;
  Bytes credentials_;
  LogShape log_;
  std::optional<Bytes> logBytes_;
  Bytes programImage_;
  Bytes fpgaImage_;
  std::optional<std::size_t> imageSize_;
  PanelTiming timing_;
  std::map<AssignMode, Bytes> proposals_;
  std::map<std::string, Fault> faults_;
  std::vector<Bytes> received_;
  std::size_t ended_ = 0;
  std::uint64_t generation_ = 0;
};

}  // namespace sim
