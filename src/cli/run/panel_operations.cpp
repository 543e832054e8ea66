#include "run/panel_operations.h"

#include <utility>

#include <fmt/format.h>

#include "operations/camera_table.h"
#include "operations/credentials.h"
#include "operations/outcome_words.h"
#include "operations/panel_log.h"
#include "operations/setup_block.h"
#include "rules/outcome_texts.h"
#include "run/outcome_cause.h"
#include "run/retry.h"

namespace cli {

namespace {

using operations::OutcomeWords;

// vk38's words for endings that a page leaves silent.
constexpr std::string_view kNoSocket = "No socket could be made";
constexpr std::string_view kBlockLost =
    "The block did not reach the panel whole, or no answer came";
constexpr std::string_view kReadOk = "Read OK";

// The page's words, and vk38's own where the page says nothing.
constexpr OutcomeWords Beside(OutcomeWords page, const OutcomeWords& own) {
  for (std::string_view OutcomeWords::*slot :
       {&OutcomeWords::noSocket, &OutcomeWords::notConnected, &OutcomeWords::lost,
        &OutcomeWords::refused, &OutcomeWords::payloadLost, &OutcomeWords::notWritten,
        &OutcomeWords::badData, &OutcomeWords::noFile, &OutcomeWords::fileFailed,
        &OutcomeWords::done}) {
    if ((page.*slot).empty()) page.*slot = own.*slot;
  }
  return page;
}

constexpr OutcomeWords kTableRead =
    Beside(rules::kCameraTableReadWords, {.noSocket = kNoSocket,
                                          .payloadLost = rules::kSocketError,
                                          .badData = "Bad camera table",
                                          .done = kReadOk});
constexpr OutcomeWords kTableWrite =
    Beside(rules::kCameraTableWriteWords, {.noSocket = kNoSocket, .payloadLost = kBlockLost});
// A proposal comes as a table read does; its confirmation has the page's
// words for each answer.
constexpr OutcomeWords kAssignConfirm = Beside(
    rules::kAssignmentConfirmWords, {.noSocket = kNoSocket, .payloadLost = rules::kSocketError});
constexpr OutcomeWords kSetupRead =
    Beside(rules::kSetupSaveWords, {.noSocket = kNoSocket,
                                    .lost = rules::kSocketError,
                                    .payloadLost = rules::kSocketError,
                                    .badData = "Bad setup block",
                                    .done = rules::kSetupSaved});
// The File Operate page words every ending of its Load.
constexpr OutcomeWords kSetupWrite = rules::kSetupLoadWords;
constexpr OutcomeWords kLogSave = Beside(rules::kLogSaveWords, {.noSocket = kNoSocket});
// Whatever fails once the panel accepted an upgrade is the page's one text.
constexpr OutcomeWords kUpgrade =
    Beside(rules::kImageSendWords, {.noSocket = kNoSocket,
                                    .payloadLost = rules::kUpgradeFailed,
                                    .notWritten = rules::kUpgradeFailed,
                                    .fileFailed = rules::kUpgradeFailed,
                                    .done = rules::kUpgradeFinished});
constexpr OutcomeWords kCredentialRead =
    Beside(rules::kCredentialReadWords, {.noSocket = kNoSocket,
                                         .payloadLost = rules::kAuthSocketError,
                                         .badData = "Bad credential record",
                                         .done = kReadOk});
constexpr OutcomeWords kCredentialWrite =
    Beside(rules::kCredentialWriteWords, {.noSocket = kNoSocket, .payloadLost = kBlockLost});

Code CodeFor(operations::Ending ending) {
  using operations::Ending;
  switch (ending) {
    case Ending::kDone:
      return Code::kOk;
    case Ending::kNoSocket:
    case Ending::kNotConnected:
      return Code::kUnreachable;
    case Ending::kSilent:
    case Ending::kOverdue:
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

// Whether the panel may hold what a write sent: the panel's verdict says
// so either way; without one, what went out decides. The command line and
// the panel's acceptance change nothing; once the block or image started
// to go out, only reading the panel back tells.
Change ChangeOf(const operations::Outcome& outcome) {
  using operations::Ending;
  switch (outcome.ending) {
    case Ending::kDone:
      return Change::kYes;
    case Ending::kNoSocket:
    case Ending::kNotConnected:
    case Ending::kRefused:
    case Ending::kNotWritten:
    case Ending::kNoFile:
      return Change::kNo;
    case Ending::kSilent:
    case Ending::kOverdue:
    case Ending::kBroken:
    case Ending::kBlockCut:
    case Ending::kBadData:
    case Ending::kFileFailed:
      break;
  }
  return outcome.stage >= operations::Stage::kPayload ? Change::kMaybe : Change::kNo;
}

// What an exchange does to the panel: reads it, or changes it.
enum class Effect { kReads, kChanges };

// The outcome in the page's words, with the cause in vk38's.
PanelOutcome Told(const operations::Outcome& outcome, const OutcomeWords& words,
                  const ExchangeTerms& terms, Effect effect = Effect::kReads) {
  PanelOutcome told;
  told.code = CodeFor(outcome.ending);
  told.message = operations::WordsFor(outcome, words);
  told.cause = CauseOf(outcome, terms);
  told.mayRetry = MayRetry(outcome, terms);
  if (effect == Effect::kChanges) told.changed = ChangeOf(outcome);
  return told;
}

// What bounds an exchange on `link` in all: for records and blocks the
// exchange limit, and the panel's deadline (--max-time) for every exchange.
std::string OverdueText(const protocol::PanelLink& link, protocol::SessionExtent extent) {
  const bool bounded = link.waits.exchange && extent == protocol::SessionExtent::kRecords;
  std::string text =
      bounded ? fmt::format("an exchange may take {} in all", Duration(*link.waits.exchange)) : "";
  if (link.waits.deadline)
    text += bounded ? ", and --max-time bounds all of a panel's work"
                    : "--max-time bounds all of a panel's work";
  return text;
}

// What an exchange on `link` moves, for its causes.
ExchangeTerms Terms(const protocol::PanelLink& link, std::string_view payload, bool comesIn,
                    std::size_t recordSize = 0,
                    protocol::SessionExtent extent = protocol::SessionExtent::kRecords) {
  return {.payload = payload,
          .payloadComesIn = comesIn,
          .recordSize = recordSize,
          .limit = link.waits.progress,
          .verdictLimit = link.waits.progress,
          .overdue = OverdueText(link, extent)};
}

}  // namespace

PanelOutcome ReadCameraTable(const protocol::PanelLink& link, protocol::IpSettingRecord& table) {
  return Told(operations::ReadCameraTable(link, table), kTableRead,
              Terms(link, "camera table", true, protocol::IpSettingRecord::kSize));
}

PanelOutcome WriteCameraTable(const protocol::PanelLink& link,
                              const protocol::IpSettingRecord& prepared) {
  return Told(operations::WriteCameraTable(link, prepared), kTableWrite,
              Terms(link, "camera table", false), Effect::kChanges);
}

PanelOutcome ProposeAssignment(const protocol::PanelLink& link, operations::Assignment assignment,
                               protocol::IpSettingRecord& proposal) {
  return Told(operations::ProposeAssignment(link, assignment, false, proposal), kTableRead,
              Terms(link, "proposal", true, protocol::IpSettingRecord::kSize));
}

PanelOutcome ConfirmAssignment(const protocol::PanelLink& link, operations::Assignment assignment) {
  return Told(operations::ConfirmAssignment(link, assignment), kAssignConfirm,
              Terms(link, "answer", true), Effect::kChanges);
}

PanelOutcome ReadSetupBlock(const protocol::PanelLink& link, std::vector<std::uint8_t>& block) {
  // Unlike the page, vk38 never keeps a block cut at the reply buffer.
  return Told(operations::ReadSetupBlock(link, block, operations::LongBlock::kRefused), kSetupRead,
              Terms(link, "setup block", true));
}

PanelOutcome WriteSetupBlock(const protocol::PanelLink& link, std::span<const std::uint8_t> block) {
  return Told(operations::WriteSetupBlock(link, block), kSetupWrite,
              Terms(link, "setup block", false), Effect::kChanges);
}

PanelOutcome SaveLog(const protocol::PanelLink& link, const operations::CreateSink& create,
                     const Progress& progress) {
  return Told(operations::SaveLog(link, create, progress), kLogSave,
              Terms(link, "log", true, 0, protocol::SessionExtent::kStream));
}

PanelOutcome UpgradeImage(const protocol::PanelLink& link, Image image,
                          std::span<const std::uint8_t> bytes, const Progress& progress) {
  ExchangeTerms terms = Terms(link, "image", false, 0, protocol::SessionExtent::kStream);
  terms.verdictLimit = link.waits.flashWrite;
  return Told(operations::SendImage(link, image, bytes, progress), kUpgrade, terms,
              Effect::kChanges);
}

PanelOutcome ReadCredentials(const protocol::PanelLink& link, protocol::CredentialRecord& record) {
  return Told(operations::ReadCredentials(link, record), kCredentialRead,
              Terms(link, "credential record", true, protocol::CredentialRecord::kSize));
}

PanelOutcome WriteCredentials(const protocol::PanelLink& link,
                              const protocol::CredentialRecord& record) {
  return Told(operations::WriteCredentials(link, record), kCredentialWrite,
              Terms(link, "credential record", false), Effect::kChanges);
}

}  // namespace cli
