#include "protocol/panel_session.h"

#include <algorithm>
#include <cstring>

#include "protocol/panel_address.h"

namespace protocol {

namespace {
constexpr std::uint8_t kCarriageReturn = 13;
}  // namespace

OpenResult CPanelSession::Open() {
  socket_ = link_.network.CreateStreamSocket(link_.waits.progress);
  if (!socket_) return OpenResult::kSocketNotCreated;
  if (!socket_->Connect(AddressText(link_.panels.Current()), kPanelPort)) {
    return OpenResult::kNotConnected;
  }
  return OpenResult::kOpen;
}

bool CPanelSession::SendAll(std::span<const std::uint8_t> data) {
  if (!socket_) return false;
  std::size_t sent = 0;
  while (sent < data.size()) {
    const std::ptrdiff_t taken = socket_->Send(data.data() + sent, data.size() - sent);
    if (taken < 0) {
      NoteEnd(taken);
      return false;
    }
    sent += static_cast<std::size_t>(taken);
  }
  return true;
}

bool CPanelSession::SendCommand(std::string_view command) {
  return SendAll({reinterpret_cast<const std::uint8_t*>(command.data()), command.size()});
}

std::ptrdiff_t CPanelSession::ReceiveInto(std::size_t offset) {
  if (!socket_) return -1;
  // A full buffer reads as the end of what the panel sends.
  if (offset >= buffer_.size()) return 0;
  const std::ptrdiff_t result = socket_->Receive(buffer_.data() + offset, buffer_.size() - offset);
  if (result <= 0) NoteEnd(result);
  return result;
}

void CPanelSession::NoteEnd(std::ptrdiff_t result) {
  if (result == 0) {
    lastEnd_ = WaitEnd::kClosed;
  } else if (result == platform::StreamSocket::kTimedOut) {
    lastEnd_ = WaitEnd::kSilent;
  } else {
    lastEnd_ = WaitEnd::kBroken;
  }
}

std::optional<std::size_t> CPanelSession::ReceiveReply(ReplyWait wait) {
  if (!socket_) return std::nullopt;
  if (wait == ReplyWait::kProgress) return ReceiveReplyLine();
  // Only this reply gets the flash-write limit; what follows waits as usual.
  socket_->SetWaitLimit(link_.waits.flashWrite);
  const std::optional<std::size_t> reply = ReceiveReplyLine();
  socket_->SetWaitLimit(link_.waits.progress);
  return reply;
}

std::optional<std::size_t> CPanelSession::ReceiveReplyLine() {
  std::size_t got = 0;
  for (;;) {
    const std::ptrdiff_t result = ReceiveInto(got);
    if (result <= 0) return std::nullopt;
    got += static_cast<std::size_t>(result);
    if (got >= 3 && buffer_[got - 3] == kCarriageReturn) return got;
  }
}

bool CPanelSession::ReplyStartsWith(std::string_view text) const {
  return text.size() <= buffer_.size() &&
         std::memcmp(buffer_.data(), text.data(), text.size()) == 0;
}

std::optional<std::size_t> CPanelSession::ReceiveUntilClosed() {
  std::size_t got = 0;
  for (;;) {
    const std::ptrdiff_t result = ReceiveInto(got);
    if (result < 0) return std::nullopt;
    if (result == 0) return got;
    got += static_cast<std::size_t>(result);
  }
}

std::optional<bool> CPanelSession::MoreFollows() {
  if (!socket_) return std::nullopt;
  std::uint8_t beyond = 0;
  const std::ptrdiff_t result = socket_->Receive(&beyond, 1);
  if (result < 0) {
    NoteEnd(result);
    return std::nullopt;
  }
  return result > 0;
}

StreamEnd CPanelSession::ReceiveStream(const Sink& sink) {
  StreamEnd end;
  for (;;) {
    const std::ptrdiff_t result = ReceiveInto(0);
    if (result <= 0) {
      end.failed = result < 0;
      return end;
    }
    sink(buffer_.data(), static_cast<std::size_t>(result));
    end.total += static_cast<std::uint64_t>(result);
  }
}

FileSend CPanelSession::SendFile(platform::ReadableFile& file, const Progress& progress) {
  std::uint64_t total = 0;
  for (;;) {
    const std::ptrdiff_t read = file.Read(buffer_.data(), buffer_.size());
    if (read < 0) return FileSend::kReadFailed;
    if (read == 0) return FileSend::kWhole;
    if (!SendAll({buffer_.data(), static_cast<std::size_t>(read)})) return FileSend::kSendFailed;
    total += static_cast<std::uint64_t>(read);
    if (progress) progress(total);
  }
}

}  // namespace protocol
