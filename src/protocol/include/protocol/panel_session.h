// One short TCP session with the current panel: a handler opens it, sends
// one command line, reads and judges the reply, transfers the payload, and
// the connection closes when the session is destroyed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/file_system.h"
#include "platform/network.h"
#include "protocol/panel_link.h"

inline constexpr std::uint16_t kPanelPort = 35600;
inline constexpr std::size_t kPanelBlockSize = 4096;

enum class OpenResult { kSocketNotCreated, kNotConnected, kOpen };

// How long a reply may keep the session waiting: the progress limit, or
// the flash-write limit for the replies that follow a firmware image.
enum class ReplyWait { kProgress, kFlashWrite };

// How a ReceiveStream ended: the bytes handed to the sink, and whether the
// stream ended on a receive error rather than on the panel's close.
struct StreamEnd {
  std::uint64_t total = 0;
  bool failed = false;
};

class CPanelSession {
 public:
  using Sink = std::function<void(const std::uint8_t* data, std::size_t count)>;

  explicit CPanelSession(const PanelLink& link) : link_(link) {}
  CPanelSession(const CPanelSession&) = delete;
  CPanelSession& operator=(const CPanelSession&) = delete;

  // Creates the socket and connects to the current panel address.
  OpenResult Open();
  // Sends every byte; false on the first send error.
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
  // Hands every piece received to `sink` until the panel closes or a
  // receive fails.
  StreamEnd ReceiveStream(const Sink& sink);
  // Streams the file in blocks of kPanelBlockSize, byte for byte. False when
  // a send failed or the file could not be read to its end.
  bool SendFile(platform::ReadableFile& file);

  // The reply buffer: 4096 bytes, all zero when the session is created, not
  // cleared between reads.
  std::span<const std::uint8_t> ReplyBuffer() const { return buffer_; }

 private:
  std::ptrdiff_t ReceiveInto(std::size_t offset);
  std::optional<std::size_t> ReceiveReplyLine();

  PanelLink link_;
  std::unique_ptr<platform::StreamSocket> socket_;
  std::array<std::uint8_t, kPanelBlockSize> buffer_{};
};
