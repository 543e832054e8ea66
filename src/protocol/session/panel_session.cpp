#include "protocol/panel_session.h"

#include <algorithm>
#include <cstring>

#include "protocol/commands.h"
#include "protocol/panel_address.h"

namespace protocol {

namespace {

constexpr std::uint8_t kCarriageReturn = 13;

using Kind = SessionStep::Kind;

SessionStep Sized(Kind kind, std::uint64_t bytes) { return {.kind = kind, .bytes = bytes}; }

// A line as it is told: up to its CR, unprintable bytes as '?', and no
// longer than a reply line is ever shown.
std::string PrintableLine(std::span<const std::uint8_t> line) {
  constexpr std::size_t kLongestShown = 80;
  std::string text;
  for (const std::uint8_t byte : line) {
    if (byte == kCarriageReturn || text.size() == kLongestShown) break;
    text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
  }
  return text;
}

}  // namespace

OpenResult CPanelSession::Open() {
  using Clock = std::chrono::steady_clock;
  deadline_ = link_.waits.deadline;
  if (link_.waits.exchange && extent_ == SessionExtent::kRecords) {
    const Clock::time_point bound =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(*link_.waits.exchange);
    deadline_ = deadline_ ? std::min(*deadline_, bound) : bound;
  }
  if (!TimeLeft()) {
    Tell({.kind = Kind::kNotConnected});
    return OpenResult::kNotConnected;
  }
  socket_ = link_.network.CreateStreamSocket(WaitLimit());
  if (!socket_) {
    Tell({.kind = Kind::kNotConnected});
    return OpenResult::kSocketNotCreated;
  }
  if (!socket_->Connect(AddressText(link_.address), kPanelPort)) {
    if (deadline_ && std::chrono::steady_clock::now() >= *deadline_) lastEnd_ = WaitEnd::kOverdue;
    Tell({.kind = Kind::kNotConnected});
    return OpenResult::kNotConnected;
  }
  Tell({.kind = Kind::kConnected});
  return OpenResult::kOpen;
}

std::chrono::milliseconds CPanelSession::WaitLimit() const {
  const std::chrono::milliseconds limit =
      flashWrite_ ? link_.waits.flashWrite : link_.waits.progress;
  if (!deadline_) return limit;
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(*deadline_ - std::chrono::steady_clock::now());
  return std::clamp(left, std::chrono::milliseconds(0), limit);
}

bool CPanelSession::TimeLeft() {
  if (!deadline_) return true;
  const std::chrono::milliseconds limit = WaitLimit();
  if (limit.count() <= 0) {
    lastEnd_ = WaitEnd::kOverdue;
    return false;
  }
  if (socket_) socket_->SetWaitLimit(limit);
  return true;
}

bool CPanelSession::SendBytes(std::span<const std::uint8_t> data) {
  if (!socket_) return false;
  std::size_t sent = 0;
  while (sent < data.size()) {
    if (!TimeLeft()) return false;
    const std::ptrdiff_t taken = socket_->Send(data.data() + sent, data.size() - sent);
    if (taken < 0) {
      NoteEnd(taken);
      return false;
    }
    sent += static_cast<std::size_t>(taken);
  }
  return true;
}

bool CPanelSession::SendAll(std::span<const std::uint8_t> data) {
  if (!SendBytes(data)) {
    TellEnd();
    return false;
  }
  Tell(Sized(Kind::kBlockSent, data.size()));
  return true;
}

bool CPanelSession::SendCommand(std::string_view command) {
  const std::span<const std::uint8_t> line{reinterpret_cast<const std::uint8_t*>(command.data()),
                                           command.size()};
  // Told before it goes: a command cut on its way may still have reached the panel.
  if (link_.observer) {
    const std::string text = PrintableLine(line);
    Tell({.kind = Kind::kCommand, .text = text, .changesPanel = !commands::IsQuestion(command)});
  }
  if (!SendBytes(line)) {
    TellEnd();
    return false;
  }
  return true;
}

std::ptrdiff_t CPanelSession::ReceiveInto(std::size_t offset) {
  if (!socket_) return -1;
  // A full buffer reads as the end of what the panel sends.
  if (offset >= buffer_.size()) return 0;
  if (!TimeLeft()) return -1;
  const std::ptrdiff_t result = socket_->Receive(buffer_.data() + offset, buffer_.size() - offset);
  if (result <= 0) NoteEnd(result);
  return result;
}

void CPanelSession::NoteEnd(std::ptrdiff_t result) {
  if (result == 0) {
    lastEnd_ = WaitEnd::kClosed;
  } else if (result == platform::StreamSocket::kTimedOut) {
    // A wait cut short by the session's end in all is no silence.
    const bool overdue = deadline_ && std::chrono::steady_clock::now() >= *deadline_;
    lastEnd_ = overdue ? WaitEnd::kOverdue : WaitEnd::kSilent;
  } else {
    lastEnd_ = WaitEnd::kBroken;
  }
}

void CPanelSession::Tell(const SessionStep& step) const {
  if (link_.observer) link_.observer->Step(step);
}

void CPanelSession::TellEnd() const { Tell({.kind = Kind::kEnded, .end = lastEnd_}); }

std::optional<std::size_t> CPanelSession::ReceiveReply(ReplyWait wait) {
  if (!socket_) return std::nullopt;
  if (wait == ReplyWait::kProgress) return ReceiveReplyLine();
  // Only this reply gets the flash-write limit; what follows waits as usual.
  flashWrite_ = true;
  socket_->SetWaitLimit(WaitLimit());
  const std::optional<std::size_t> reply = ReceiveReplyLine();
  flashWrite_ = false;
  socket_->SetWaitLimit(WaitLimit());
  return reply;
}

std::optional<std::size_t> CPanelSession::ReceiveReplyLine() {
  std::size_t got = 0;
  for (;;) {
    const std::ptrdiff_t result = ReceiveInto(got);
    if (result <= 0) {
      TellEnd();
      return std::nullopt;
    }
    got += static_cast<std::size_t>(result);
    if (got >= 3 && buffer_[got - 3] == kCarriageReturn) {
      if (link_.observer) {
        const std::string text = ReplyText(got);
        Tell({.kind = Kind::kReply, .text = text});
      }
      return got;
    }
  }
}

bool CPanelSession::ReplyStartsWith(std::string_view text) const {
  return text.size() <= buffer_.size() &&
         std::memcmp(buffer_.data(), text.data(), text.size()) == 0;
}

std::string CPanelSession::ReplyText(std::size_t count) const {
  return PrintableLine(
      std::span<const std::uint8_t>(buffer_).first(std::min(count, buffer_.size())));
}

std::optional<std::size_t> CPanelSession::ReceiveUntilClosed() {
  std::size_t got = 0;
  for (;;) {
    const std::ptrdiff_t result = ReceiveInto(got);
    if (result < 0) {
      TellEnd();
      return std::nullopt;
    }
    if (result == 0) {
      Tell(Sized(Kind::kBlockReceived, got));
      return got;
    }
    got += static_cast<std::size_t>(result);
  }
}

std::optional<bool> CPanelSession::MoreFollows() {
  if (!socket_) return std::nullopt;
  std::uint8_t beyond = 0;
  if (!TimeLeft()) {
    TellEnd();
    return std::nullopt;
  }
  const std::ptrdiff_t result = socket_->Receive(&beyond, 1);
  if (result < 0) {
    NoteEnd(result);
    TellEnd();
    return std::nullopt;
  }
  if (result > 0) Tell(Sized(Kind::kBlockReceived, static_cast<std::uint64_t>(result)));
  return result > 0;
}

StreamEnd CPanelSession::ReceiveStream(const Sink& sink) {
  StreamEnd end;
  for (;;) {
    const std::ptrdiff_t result = ReceiveInto(0);
    if (result <= 0) {
      end.failed = result < 0;
      Tell(Sized(Kind::kBlockReceived, end.total));
      if (end.failed) TellEnd();
      return end;
    }
    sink(buffer_.data(), static_cast<std::size_t>(result));
    end.total += static_cast<std::uint64_t>(result);
  }
}

FileSend CPanelSession::SendFile(platform::ReadableFile& file, const Progress& progress) {
  std::uint64_t total = 0;
  const auto sendPieces = [&] {
    for (;;) {
      const std::ptrdiff_t read = file.Read(buffer_.data(), buffer_.size());
      if (read < 0) return FileSend::kReadFailed;
      if (read == 0) return FileSend::kWhole;
      if (!SendBytes({buffer_.data(), static_cast<std::size_t>(read)})) {
        return FileSend::kSendFailed;
      }
      total += static_cast<std::uint64_t>(read);
      if (progress) progress(total);
    }
  };
  const FileSend end = sendPieces();
  // One step for the whole file: an image is thousands of blocks.
  Tell(Sized(Kind::kBlockSent, total));
  if (end == FileSend::kSendFailed) TellEnd();
  return end;
}

}  // namespace protocol
