#include "cli/panel_calls.h"

#include <algorithm>
#include <array>
#include <optional>

#include "protocol/commands.h"
#include "protocol/zero_sum.h"
#include "rules/outcome_texts.h"

namespace cli {

namespace {

// Endings that the pages leave silent.
constexpr std::string_view kNoSocket = "No socket could be made";
constexpr std::string_view kBadRecord = "The panel's record was cut short or its sum was bad";
constexpr std::string_view kBadBlock = "The panel's setup block was empty or its sum was bad";
constexpr std::string_view kBlockLost =
    "The block did not reach the panel whole, or no answer came";

CallResult Failed(std::string_view text) { return {false, std::string(text)}; }
CallResult Succeeded(std::string_view text) { return {true, std::string(text)}; }

// Opens the session and sends `command`; the failure, or nothing.
std::optional<CallResult> Start(CPanelSession& session, std::string_view command,
                                std::string_view notConnected = kNoConnect,
                                std::string_view lost = kSocketError) {
  switch (session.Open()) {
    case OpenResult::kSocketNotCreated:
      return Failed(kNoSocket);
    case OpenResult::kNotConnected:
      return Failed(notConnected);
    case OpenResult::kOpen:
      break;
  }
  if (!session.SendCommand(command)) return Failed(lost);
  return std::nullopt;
}

// A write: command, "SETTING CHANGE OK", the block from `send`, "WRITE OK".
// The texts of a write's endings; the User Auth. page words them its own way.
struct WriteTexts {
  std::string_view notConnected = kNoConnect;
  std::string_view lost = kSocketError;
  std::string_view refused = kCommandError;
  std::string_view notWritten = kWriteError;
  std::string_view written = kWriteOk;
};

CallResult Write(const PanelLink& link, std::string_view command,
                 const std::function<bool(CPanelSession&)>& send, const WriteTexts& texts = {}) {
  CPanelSession session(link);
  if (auto failed = Start(session, command, texts.notConnected, texts.lost)) return *failed;
  if (!session.ReceiveReply()) return Failed(texts.lost);
  if (!session.ReplyStartsWith(replies::kChangeAccepted)) return Failed(texts.refused);
  // An incomplete block is not answered; no confirmation is awaited.
  if (!send(session) || !session.ReceiveReply()) return Failed(kBlockLost);
  if (!session.ReplyStartsWith(replies::kWriteOk)) return Failed(texts.notWritten);
  return Succeeded(texts.written);
}

constexpr WriteTexts kCredentialTexts{.notConnected = "Not connected.",
                                      .lost = "Socket error.",
                                      .refused = "Command error.",
                                      .notWritten = "Write error.",
                                      .written = "Write OK.\nPlease reboot TL-VK38."};

}  // namespace

CallResult ReadCameraTable(const PanelLink& link, IpSettingRecord& table) {
  CPanelSession session(link);
  if (auto failed = Start(session, commands::kCameraTableRequest)) return *failed;
  const std::optional<std::size_t> received = session.ReceiveUntilClosed();
  if (!received) return Failed(kSocketError);
  const auto record = session.ReplyBuffer().first(*received);
  if (record.size() != IpSettingRecord::kSize || !IsChecksumValid(record))
    return Failed(kBadRecord);
  std::copy(record.begin(), record.end(), table.bytes.begin());
  DecodeKinds(table);
  return Succeeded("Read OK");
}

CallResult WriteCameraTable(const PanelLink& link, const IpSettingRecord& prepared) {
  return Write(link, commands::kCameraTableChange,
               [&](CPanelSession& session) { return session.SendAll(prepared.bytes); });
}

CallResult ReadSetupBlock(const PanelLink& link, std::vector<std::uint8_t>& block) {
  CPanelSession session(link);
  if (auto failed = Start(session, commands::kSetupRequest)) return *failed;
  const std::optional<std::size_t> received = session.ReceiveUntilClosed();
  if (!received) return Failed(kSocketError);
  const auto bytes = session.ReplyBuffer().first(*received);
  if (bytes.empty() || !IsZeroSum(bytes)) return Failed(kBadBlock);
  block.assign(bytes.begin(), bytes.end());
  return Succeeded("Save OK");
}

CallResult WriteSetupBlock(const PanelLink& link, std::span<const std::uint8_t> block) {
  return Write(link, commands::kSetupChange,
               [&](CPanelSession& session) { return session.SendAll(block); });
}

CallResult SaveLog(const PanelLink& link, platform::WritableFile& file, const Progress& progress) {
  CPanelSession session(link);
  if (auto failed = Start(session, commands::kLogRequest)) return *failed;
  bool writeFailed = false;
  std::uint64_t total = 0;
  const StreamEnd end = session.ReceiveStream([&](const std::uint8_t* data, std::size_t count) {
    // A piece that cannot be written is lost, but the rest still arrives.
    if (!file.Write(data, count)) writeFailed = true;
    total += count;
    if (progress) progress(total);
  });
  if (!file.Close()) writeFailed = true;
  if (end.failed) return Failed(kSocketError);
  if (writeFailed) return Failed("File write error");
  return Succeeded("Save OK!!");
}

namespace {

// The image in blocks of the panel's size, the bytes counted as they go.
bool SendImage(CPanelSession& session, platform::ReadableFile& file, const Progress& progress) {
  std::array<std::uint8_t, kPanelBlockSize> block;
  std::uint64_t total = 0;
  for (;;) {
    const std::ptrdiff_t read = file.Read(block.data(), block.size());
    if (read < 0) return false;
    if (read == 0) return true;
    if (!session.SendAll({block.data(), static_cast<std::size_t>(read)})) return false;
    total += static_cast<std::uint64_t>(read);
    if (progress) progress(total);
  }
}

// The panel's verdict: a program image is answered "FILE OK", a line that
// is not examined and the one that decides; an FPGA image by two lines, the
// second deciding. Each may take the panel's flash write.
bool ImageWritten(CPanelSession& session, Image image) {
  constexpr ReplyWait kAfterImage = ReplyWait::kFlashWrite;
  if (image == Image::kProgram &&
      !(session.ReceiveReply(kAfterImage) && session.ReplyStartsWith(replies::kFileOk))) {
    return false;
  }
  return session.ReceiveReply(kAfterImage) && session.ReceiveReply(kAfterImage) &&
         session.ReplyStartsWith(replies::kWriteOk);
}

}  // namespace

CallResult UpgradeImage(const PanelLink& link, Image image, platform::ReadableFile& file,
                        const Progress& progress) {
  CPanelSession session(link);
  const std::string_view command =
      image == Image::kProgram ? commands::kProgramUpgradeStart : commands::kFpgaUpgradeStart;
  if (auto failed = Start(session, command)) return *failed;
  if (!session.ReceiveReply()) return Failed(kSocketError);
  if (!session.ReplyStartsWith(replies::kUpgradeAccepted)) return Failed(kCommandError);
  // An image that did not go out whole is not answered; nothing is awaited.
  if (!SendImage(session, file, progress) || !ImageWritten(session, image)) {
    return Failed("File Error!!");
  }
  return Succeeded("Ver Up Finish");
}

CallResult ReadCredentials(const PanelLink& link, CredentialRecord& record) {
  CPanelSession session(link);
  if (auto failed = Start(session, commands::kCredentialRequest, kCredentialTexts.notConnected,
                          kCredentialTexts.lost)) {
    return *failed;
  }
  const std::optional<std::size_t> received = session.ReceiveUntilClosed();
  if (!received) return Failed(kCredentialTexts.lost);
  const auto block = session.ReplyBuffer().first(*received);
  if (block.empty() || block.size() > CredentialRecord::kSize || !IsZeroSum(block)) {
    return Failed("The panel's credential record was empty, too long or its sum was bad");
  }
  record.Overwrite(block);
  return Succeeded("Read OK");
}

CallResult WriteCredentials(const PanelLink& link, const CredentialRecord& record) {
  return Write(
      link, commands::kCredentialChange,
      [&](CPanelSession& session) { return session.SendAll(record.Bytes()); }, kCredentialTexts);
}

}  // namespace cli
