// One short TCP session with the current panel: an operation opens it,
// sends one command line, reads and judges the reply, transfers the
// payload, and the connection closes when the session is destroyed. Each
// step is told to the link's observer, when it has one.
//
// Only the panel operations (src/operations) and the protocol's own tests
// and benches reach this header: the program's pages and vk38 go through
// the operations, and the build gives them no include path to it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/network.h"
#include "protocol/panel_link.h"
#include "protocol/panel_wire.h"
#include "protocol/session_steps.h"

namespace protocol {

enum class OpenResult { kSocketNotCreated, kNotConnected, kOpen };

// How long a reply may keep the session waiting: the progress limit, or
// the flash-write limit for the replies that follow a firmware image.
enum class ReplyWait { kProgress, kFlashWrite };

// How a ReceiveStream ended: the bytes handed to the sink, and whether the
// stream ended on a failed receive (silence or a break, see LastWaitEnd)
// rather than on the panel's close.
struct StreamEnd {
  std::uint64_t total = 0;
  bool failed = false;
};

// How SendFile ended: the file went out whole, or a read of it or a send
// failed first.
enum class FileSend { kWhole, kReadFailed, kSendFailed };

class CPanelSession {
 public:
  using Sink = std::function<void(const std::uint8_t* data, std::size_t count)>;
  // Called with the bytes sent so far.
  using Progress = std::function<void(std::uint64_t bytes)>;

  explicit CPanelSession(const PanelLink& link, SessionExtent extent = SessionExtent::kRecords)
      : link_(link), extent_(extent) {}
  CPanelSession(const CPanelSession&) = delete;
  CPanelSession& operator=(const CPanelSession&) = delete;

  // Creates the socket and connects to the current panel address.
  OpenResult Open();
  // Sends every byte; false on the first send that failed or stayed
  // blocked for the wait limit.
  bool SendAll(std::span<const std::uint8_t> data);
  // Sends a command line without a terminating NUL.
  bool SendCommand(std::string_view command);
  // Reads a reply line: complete when its third byte from the end is CR.
  // The byte count, or nothing when the panel closed, an error came first
  // or the panel stayed silent for the wait limit.
  std::optional<std::size_t> ReceiveReply(ReplyWait wait = ReplyWait::kProgress);
  // True when the reply buffer begins with `text` (its length compared).
  bool ReplyStartsWith(std::string_view text) const;
  // Reads a data block until the panel closes; cut at kPanelBlockSize.
  std::optional<std::size_t> ReceiveUntilClosed();
  // After a ReceiveUntilClosed that filled the reply buffer: whether the
  // panel sent more than fits before it closed (one receive of a byte kept
  // apart, the reply buffer untouched); nothing when that receive failed.
  std::optional<bool> MoreFollows();
  // Hands every piece received to `sink` until the panel closes or a
  // receive fails.
  StreamEnd ReceiveStream(const Sink& sink);
  // Streams the file in blocks of kPanelBlockSize, byte for byte, telling
  // `progress` after each block.
  FileSend SendFile(platform::ReadableFile& file, const Progress& progress = {});

  // The reply buffer: 4096 bytes, all zero when the session is created, not
  // cleared between reads.
  std::span<const std::uint8_t> ReplyBuffer() const { return buffer_; }
  // The printable text of the reply line of `count` bytes in the reply
  // buffer: without its CR LF and what follows, at most 80 characters,
  // each unprintable byte as '?'.
  std::string ReplyText(std::size_t count) const;

  // Why the last call that failed (or a reply line that the panel's close
  // cut off) ended; kBroken before any such call.
  WaitEnd LastWaitEnd() const { return lastEnd_; }

 private:
  // Sends every byte, telling no step.
  bool SendBytes(std::span<const std::uint8_t> data);
  // Tells the link's observer, when it has one.
  void Tell(const SessionStep& step) const;
  // Tells why the last send or receive did not complete.
  void TellEnd() const;
  // A receive into the buffer at `offset`, whose failure is noted.
  std::ptrdiff_t ReceiveInto(std::size_t offset);
  // Before a send or receive: false (noted as kOverdue) once the session's
  // time in all ran out; else the socket waits no longer than what is left.
  bool TimeLeft();
  // The wait limit of the calls now: the progress or the flash-write limit.
  std::chrono::milliseconds WaitLimit() const;
  // Notes why a send or receive returned `result` (0 or below).
  void NoteEnd(std::ptrdiff_t result);
  std::optional<std::size_t> ReceiveReplyLine();

  PanelLink link_;
  SessionExtent extent_;
  // When the session's time in all runs out, where it is bounded.
  std::optional<std::chrono::steady_clock::time_point> deadline_{};
  bool flashWrite_ = false;  // the reply after an image is awaited
  std::unique_ptr<platform::StreamSocket> socket_;
  std::array<std::uint8_t, kPanelBlockSize> buffer_{};
  WaitEnd lastEnd_ = WaitEnd::kBroken;
};

}  // namespace protocol
