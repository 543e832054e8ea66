// The panel's side of one connection with the tool. It records every byte
// received into the panel's state, sends in the pieces and up to the reset
// or silence point that a fault asks for, and closes in order: it stops sending and
// then waits, still recording, until the tool has closed too. Every wait
// also ends when the simulator stops.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/network.h"
#include "platform/stop_signal.h"
#include "sim/fault.h"
#include "sim/simulated_panel.h"

namespace sim {

// The length of a block being received, judged from what arrived so far;
// nothing while it is not known.
using LengthRule = std::function<std::optional<std::size_t>(std::span<const std::uint8_t>)>;

class PanelConnection {
 public:
  PanelConnection(std::unique_ptr<platform::ServedSocket> socket, SimulatedPanel& panel,
                  const platform::StopSignal& stop);
  ~PanelConnection();
  PanelConnection(const PanelConnection&) = delete;
  PanelConnection& operator=(const PanelConnection&) = delete;

  // The pieces and the reset point of `fault` apply to all that follows.
  void ShapeOutput(const Fault& fault);

  // The command line up to and including its LF; nothing when the tool
  // closed first or sent too much without one.
  std::optional<std::string> ReceiveCommandLine();
  // A block until the length that `lengthOf` tells has arrived, or while
  // no length is known, until the tool falls silent for the idle gap; in
  // any case until the tool closes or stops sending for too long.
  Bytes ReceiveBlock(const LengthRule& lengthOf);
  Bytes ReceiveExactly(std::size_t length);
  Bytes ReceiveUntilIdle();

  // False once the connection is broken or was reset.
  bool Send(std::span<const std::uint8_t> bytes);
  // The reply line form: `text`, CR, LF and one more byte.
  bool SendLine(std::string_view text);
  // Waits; false when the simulator stops meanwhile.
  bool Pause(std::chrono::milliseconds duration) const { return stop_.SleepFor(duration); }
  const PanelTiming& Timing() const { return timing_; }

 private:
  enum class Fill { kData, kIdle, kClosed, kStopped };
  // Receives what is there within `wait` into the input, recording it.
  Fill FillInput(std::chrono::milliseconds wait);
  bool SendChunk(std::span<const std::uint8_t> bytes);
  void ResetConnection();
  void StaySilent();
  void CloseInOrder();

  std::unique_ptr<platform::ServedSocket> socket_;  // none once reset or closed
  SimulatedPanel& panel_;
  const platform::StopSignal& stop_;
  const SimulatedPanel::ConnectionId id_;
  const PanelTiming timing_;
  Bytes input_;  // received and not yet taken
  bool peerClosed_ = false;
  bool broken_ = false;
  std::vector<std::size_t> pieces_;
  std::size_t nextPiece_ = 0;
  std::optional<std::uint64_t> resetAfter_;
  std::optional<std::uint64_t> silentAfter_;
  std::optional<std::chrono::milliseconds> trickle_;
  std::uint64_t sent_ = 0;
};

}  // namespace sim
