#include "run/write_verification.h"

#include <algorithm>
#include <vector>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "commands/table/table_write_plan.h"
#include "run/panel_operations.h"
#include "table_file/table_changes.h"

namespace cli {

namespace {

constexpr std::string_view kConfirmed = "the panel answered WRITE OK, but";

// The page's words for the write stay; the cause tells the read-back.
PanelOutcome Verified(PanelOutcome written) {
  written.cause = "verified: the panel read back what was sent";
  written.extra["verified"] = true;
  return written;
}

PanelOutcome NotVerified(PanelOutcome written, std::string cause) {
  written.code = Code::kNotVerified;
  written.message = "Not verified";
  written.cause = std::move(cause);
  written.extra["verified"] = false;
  return written;
}

PanelOutcome ReadBackFailed(PanelOutcome written, const PanelOutcome& read) {
  std::string cause = fmt::format("{} the read-back failed: {}", kConfirmed, read.message);
  if (!read.cause.empty()) cause += " - " + read.cause;
  return NotVerified(std::move(written), std::move(cause));
}

}  // namespace

PanelOutcome VerifyCameraTable(const protocol::PanelLink& link,
                               const protocol::IpSettingRecord& prepared, PanelOutcome written) {
  protocol::IpSettingRecord table;
  const PanelOutcome read = ReadCameraTable(link, table);
  if (!read.Ok()) return ReadBackFailed(std::move(written), read);
  const std::vector<table_file::FieldChange> differences =
      table_file::TableChanges(prepared, table);
  if (differences.empty()) return Verified(std::move(written));
  std::vector<std::string> fields;
  for (const table_file::FieldChange& difference : differences) {
    fields.push_back(fmt::format("{} {}", difference.entry, difference.field));
    written.details.push_back("sent, read back: " + table_file::ChangeLine(difference));
  }
  written.extra["differences"] = table_file::ChangesJson(differences, "sent", "readBack");
  return NotVerified(
      std::move(written),
      fmt::format("{} its camera table differs in {} field{}: {}", kConfirmed, fields.size(),
                  fields.size() == 1 ? "" : "s", fmt::join(fields, ", ")));
}

std::optional<BlockDifference> CompareBlocks(std::span<const std::uint8_t> sent,
                                             std::span<const std::uint8_t> read) {
  const std::size_t common = std::min(sent.size(), read.size());
  std::optional<BlockDifference> difference;
  for (std::size_t at = 0; at < std::max(sent.size(), read.size()); ++at) {
    if (at < common && sent[at] == read[at]) continue;
    if (!difference) difference = BlockDifference{.first = at, .count = 0};
    ++difference->count;
  }
  return difference;
}

PanelOutcome VerifySetupBlock(const protocol::PanelLink& link, std::span<const std::uint8_t> sent,
                              PanelOutcome written) {
  std::vector<std::uint8_t> block;
  const PanelOutcome read = ReadSetupBlock(link, block);
  if (!read.Ok()) return ReadBackFailed(std::move(written), read);
  const std::optional<BlockDifference> difference = CompareBlocks(sent, block);
  if (!difference) return Verified(std::move(written));
  written.extra["differences"] = {{"first", difference->first},
                                  {"count", difference->count},
                                  {"sentBytes", sent.size()},
                                  {"readBytes", block.size()}};
  return NotVerified(
      std::move(written),
      fmt::format("{} the setup block read back differs from byte {} on, {} byte{} in all ({} "
                  "bytes sent, {} read)",
                  kConfirmed, difference->first, difference->count,
                  difference->count == 1 ? "" : "s", sent.size(), block.size()));
}

PanelOutcome VerifyCredentials(const protocol::PanelLink& link,
                               const protocol::CredentialRecord& sent, PanelOutcome written) {
  protocol::CredentialRecord record;
  const PanelOutcome read = ReadCredentials(link, record);
  if (!read.Ok()) return ReadBackFailed(std::move(written), read);
  std::vector<std::string> fields;
  if (record.UserName() != sent.UserName()) fields.emplace_back("user name");
  if (record.Password() != sent.Password()) fields.emplace_back("password");
  if (fields.empty()) return Verified(std::move(written));
  written.extra["differences"] = fields;
  return NotVerified(std::move(written),
                     fmt::format("{} the {} read back differ{}", kConfirmed,
                                 fmt::join(fields, " and "), fields.size() == 1 ? "s" : ""));
}

}  // namespace cli
