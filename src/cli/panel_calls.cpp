#include "cli/panel_calls.h"

#include <utility>

#include "operations/camera_table.h"
#include "operations/credentials.h"
#include "operations/outcome_words.h"
#include "operations/panel_log.h"
#include "operations/setup_block.h"
#include "rules/outcome_texts.h"

namespace cli {

namespace {

using operations::OutcomeWords;

// Endings that the pages leave silent.
constexpr std::string_view kNoSocket = "No socket could be made";
constexpr std::string_view kBlockLost =
    "The block did not reach the panel whole, or no answer came";

// The pages' words for each ending of a read and of a write.
constexpr OutcomeWords kTableRead{.noSocket = kNoSocket,
                                  .notConnected = kNoConnect,
                                  .lost = kSocketError,
                                  .payloadLost = kSocketError,
                                  .badData = "The panel's record was cut short or its sum was bad",
                                  .done = "Read OK"};
constexpr OutcomeWords kSetupRead{.noSocket = kNoSocket,
                                  .notConnected = kNoConnect,
                                  .lost = kSocketError,
                                  .payloadLost = kSocketError,
                                  .badData = "The panel's setup block was empty or its sum was bad",
                                  .done = "Save OK"};
constexpr OutcomeWords kLogSave{.noSocket = kNoSocket,
                                .notConnected = kNoConnect,
                                .lost = kSocketError,
                                .payloadLost = kSocketError,
                                .noFile = "File open error",
                                .fileFailed = "File write error",
                                .done = "Save OK!!"};
constexpr OutcomeWords kWrite{.noSocket = kNoSocket,
                              .notConnected = kNoConnect,
                              .lost = kSocketError,
                              .refused = kCommandError,
                              .payloadLost = kBlockLost,
                              .notWritten = kWriteError,
                              .done = kWriteOk};
// Whatever fails once the panel accepted an upgrade is the page's one text.
constexpr OutcomeWords kUpgrade{.noSocket = kNoSocket,
                                .notConnected = kNoConnect,
                                .lost = kSocketError,
                                .refused = kCommandError,
                                .payloadLost = "File Error!!",
                                .notWritten = "File Error!!",
                                .noFile = "File Open Error!!",
                                .fileFailed = "File Error!!",
                                .done = "Ver Up Finish"};
// The User Auth. page words its endings its own way.
constexpr OutcomeWords kCredentialRead{
    .noSocket = kNoSocket,
    .notConnected = "Not connected.",
    .lost = "Socket error.",
    .payloadLost = "Socket error.",
    .badData = "The panel's credential record was empty, too long or its sum was bad",
    .done = "Read OK"};
constexpr OutcomeWords kCredentialWrite{.noSocket = kNoSocket,
                                        .notConnected = "Not connected.",
                                        .lost = "Socket error.",
                                        .refused = "Command error.",
                                        .payloadLost = kBlockLost,
                                        .notWritten = "Write error.",
                                        .done = "Write OK.\nPlease reboot TL-VK38."};

Code CodeFor(operations::Ending ending) {
  using operations::Ending;
  switch (ending) {
    case Ending::kDone:
      return Code::kOk;
    case Ending::kNoSocket:
    case Ending::kNotConnected:
      return Code::kUnreachable;
    case Ending::kSilent:
      return Code::kTimeout;
    case Ending::kBroken:
    case Ending::kBlockCut:
      return Code::kBroken;
    case Ending::kRefused:
    case Ending::kNotWritten:
      return Code::kRefused;
    case Ending::kBadData:
      return Code::kBadData;
    case Ending::kNoFile:
    case Ending::kFileFailed:
      return Code::kFile;
  }
  return Code::kBroken;
}

PanelOutcome Told(const operations::Outcome& outcome, const OutcomeWords& words) {
  PanelOutcome told;
  told.code = CodeFor(outcome.ending);
  told.message = operations::WordsFor(outcome, words);
  return told;
}

}  // namespace

PanelOutcome ReadCameraTable(const PanelLink& link, IpSettingRecord& table) {
  return Told(operations::ReadCameraTable(link, table), kTableRead);
}

PanelOutcome WriteCameraTable(const PanelLink& link, const IpSettingRecord& prepared) {
  return Told(operations::WriteCameraTable(link, prepared), kWrite);
}

PanelOutcome ReadSetupBlock(const PanelLink& link, std::vector<std::uint8_t>& block) {
  return Told(operations::ReadSetupBlock(link, block), kSetupRead);
}

PanelOutcome WriteSetupBlock(const PanelLink& link, std::span<const std::uint8_t> block) {
  return Told(operations::WriteSetupBlock(link, block), kWrite);
}

PanelOutcome SaveLog(const PanelLink& link, const operations::CreateSink& create,
                     const Progress& progress) {
  return Told(operations::SaveLog(link, create, progress), kLogSave);
}

PanelOutcome UpgradeImage(const PanelLink& link, Image image,
                          std::unique_ptr<platform::ReadableFile> file, const Progress& progress) {
  // vk38 opens the image before it asks the panel.
  const operations::OpenSource handOver = [&file] { return std::move(file); };
  return Told(operations::SendImage(link, image, handOver, progress), kUpgrade);
}

PanelOutcome ReadCredentials(const PanelLink& link, CredentialRecord& record) {
  return Told(operations::ReadCredentials(link, record), kCredentialRead);
}

PanelOutcome WriteCredentials(const PanelLink& link, const CredentialRecord& record) {
  return Told(operations::WriteCredentials(link, record), kCredentialWrite);
}

}  // namespace cli
