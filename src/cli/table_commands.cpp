// table get and table set: the camera table to a file and back, with the
// Setting page's REFRESH exchange and the rules and exchange of its SET.
#include <fmt/format.h>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "cli/panel_calls.h"
#include "rules/camera_table_write.h"

namespace cli {

namespace {

// A table file of 101 rows is a few kilobytes; anything far larger is no table.
constexpr std::size_t kTableFileLimit = 1024 * 1024;

std::string TableText(const IpSettingRecord& table, TableFormat format) {
  return format == TableFormat::kCsv ? TableCsv(table) : TableJson(table);
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The address tests, their notices on standard error in order.
bool PassesAddressTests(const IpSettingRecord& table, PanelAddress panel) {
  const rules::AddressCheck check = rules::CheckAddresses(table, panel);
  for (const rules::WriteNotice& notice : check.notices) {
    fmt::print(stderr, "{}: {}\n",
               notice.kind == rules::WriteNotice::Kind::kError ? "error" : "warning", notice.text);
  }
  return check.proceeds;
}

// The firmware questions: answered by --yes, otherwise each is shown and
// the write refused.
bool FirmwareQuestionsAnswered(const IpSettingRecord& prepared, bool yes) {
  const std::vector<std::string> questions = rules::FirmwareQuestions(prepared);
  if (yes) return true;
  for (const std::string& question : questions) fmt::print(stderr, "question: {}\n", question);
  return questions.empty();
}

PanelOutcome WriteTable(const RunContext& context, const TableSetArgs& args,
                        const std::vector<RowChange>& changes) {
  PanelTarget target(context, args.panel);
  IpSettingRecord table;
  const CallResult read = ReadCameraTable(target.link, table);
  if (!read.ok) return {.ok = false, .message = read.text};
  const rules::CameraAddrCopies camAddrAtRead = rules::CameraAddresses(table);
  const rules::AddrCopy swAddrAtRead = rules::SwitcherAddress(table);

  ApplyRowChanges(changes, table);
  if (!PassesAddressTests(table, args.panel)) {
    return {.ok = false, .message = "not written: the address tests stopped the write"};
  }
  rules::PrepareForWrite(table, camAddrAtRead, swAddrAtRead);
  if (!FirmwareQuestionsAnswered(table, args.yes)) {
    return {.ok = false, .message = "not written: the firmware questions need --yes"};
  }
  ComputeChecksum(table);
  const CallResult written = WriteCameraTable(target.link, table);
  return {.ok = written.ok, .message = written.text, .file = args.file};
}

}  // namespace

int TableGet(const RunContext& context, const TableGetArgs& args) {
  const bool toFolder = args.output && (args.panels.size() > 1 || IsFolder(*args.output));
  if (toFolder && !MakeFolder(*args.output)) {
    fmt::print(stderr, "vk38: the folder {} cannot be made\n", *args.output);
    return kExitFileRefused;
  }
  const std::string_view suffix = args.format == TableFormat::kCsv ? ".csv" : ".json";
  std::string printed;  // the one table that goes to standard output
  const int code = RunOnPanels(
      context, args.panels,
      [&](PanelAddress panel) -> PanelOutcome {
        PanelTarget target(context, panel);
        IpSettingRecord table;
        const CallResult read = ReadCameraTable(target.link, table);
        if (!read.ok) return {.ok = false, .message = read.text};
        const std::string text = TableText(table, args.format);
        if (!args.output) {
          printed = text;
          return {.ok = true, .message = read.text};
        }
        const std::string path =
            toFolder ? PanelFilePath(*args.output, panel, suffix) : *args.output;
        if (auto failed = WriteWholeFile(context.machine.Files(), path, Bytes(text))) {
          return {.ok = false, .message = *failed, .file = path};
        }
        return {.ok = true, .message = read.text, .file = path};
      },
      // With the table on standard output, the report goes beside it.
      args.output ? nullptr : stderr);
  std::fwrite(printed.data(), 1, printed.size(), stdout);
  return code;
}

int TableSet(const RunContext& context, const TableSetArgs& args) {
  const std::optional<std::string> text =
      ReadWholeFile(context.machine.Files(), args.file, kTableFileLimit);
  if (!text) {
    fmt::print(stderr, "vk38: {}: cannot be read\n", args.file);
    return kExitFileRefused;
  }
  const TableFileRead read = ReadTableFile(*text);
  if (const TableFileError* error = std::get_if<TableFileError>(&read)) {
    fmt::print(stderr, "vk38: {}: {}\n", args.file, ErrorText(*error));
    return kExitFileRefused;
  }
  const std::vector<RowChange>& changes = std::get<std::vector<RowChange>>(read);
  return RunOnPanels(context, {args.panel},
                     [&](PanelAddress) { return WriteTable(context, args, changes); });
}

}  // namespace cli
