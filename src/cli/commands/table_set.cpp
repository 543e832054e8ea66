// table set: the Setting page's SET from a table file: the panel's table
// is read, the file applied over it, the page's own write rules run, and
// the table written.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "cli/file_io.h"
#include "cli/panel_calls.h"
#include "cli/subcommands.h"
#include "cli/table_file.h"
#include "rules/camera_table_write.h"

namespace cli {

namespace {

struct TableSetOptions {
  std::string panelText{};
  protocol::PanelAddress panel = 0;
  std::string file{};
  bool yes = false;  // answers the firmware questions with OK
};

// A table file of 101 rows is a few kilobytes; anything far larger is no table.
constexpr std::size_t kTableFileLimit = 1024 * 1024;

// The address tests, their notices on standard error in order.
bool PassesAddressTests(const protocol::IpSettingRecord& table, protocol::PanelAddress panel) {
  const rules::AddressCheck check = rules::CheckAddresses(table, panel);
  for (const rules::WriteNotice& notice : check.notices) {
    fmt::print(stderr, "{}: {}\n",
               notice.kind == rules::WriteNotice::Kind::kError ? "error" : "warning", notice.text);
  }
  return check.proceeds;
}

// The firmware questions: answered by --yes, otherwise each is shown and
// the write refused.
bool FirmwareQuestionsAnswered(const protocol::IpSettingRecord& prepared, bool yes) {
  const std::vector<std::string> questions = rules::FirmwareQuestions(prepared);
  if (yes) return true;
  for (const std::string& question : questions) fmt::print(stderr, "question: {}\n", question);
  return questions.empty();
}

PanelOutcome WriteTable(PanelTarget& target, const TableSetOptions& args,
                        const std::vector<RowChange>& changes) {
  protocol::IpSettingRecord table;
  PanelOutcome read = ReadCameraTable(target.link, table);
  if (!read.Ok()) return read;
  const rules::CameraAddrCopies camAddrAtRead = rules::CameraAddresses(table);
  const rules::AddrCopy swAddrAtRead = rules::SwitcherAddress(table);

  ApplyRowChanges(changes, table);
  if (!PassesAddressTests(table, args.panel)) {
    return Failure(Code::kRefused, "not written", "the address tests stopped the write");
  }
  protocol::IpSettingRecord prepared = rules::PrepareForWrite(table, camAddrAtRead, swAddrAtRead);
  if (!FirmwareQuestionsAnswered(prepared, args.yes)) {
    return Failure(Code::kRefused, "not written", "the firmware questions need --yes");
  }
  protocol::ComputeChecksum(prepared);
  PanelOutcome written = WriteCameraTable(target.link, prepared);
  written.file = args.file;
  return written;
}

int TableSet(const RunContext& context, const TableSetOptions& args) {
  const WholeFile text = ReadWholeFile(context.machine.Files(), args.file, kTableFileLimit);
  if (text.failure) {
    fmt::print(stderr, "vk38: {}; nothing was sent\n", *text.failure);
    return kExitFileRefused;
  }
  const TableFileRead read = ReadTableFile(text.bytes);
  if (const TableFileError* error = std::get_if<TableFileError>(&read)) {
    fmt::print(stderr, "vk38: {}: {}\n", args.file, ErrorText(*error));
    return kExitFileRefused;
  }
  const std::vector<RowChange>& changes = std::get<std::vector<RowChange>>(read);
  return RunOnPanels(context, {{.address = args.panel}},
                     [&](PanelTarget& target) { return WriteTable(target, args, changes); });
}

}  // namespace

void AddTableSet(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableSetOptions>();
  CLI::App* set = table.add_subcommand(
      "set",
      "Write a camera table file to PANEL (the Setting page's SET): the panel's table is read, "
      "the file applied over it, the page's rules run, and the table written.");
  AddPanelArgument(*set, options->panelText);
  set->add_option("FILE", options->file,
                  "CSV or JSON as table get writes it (JSON told by its content), or - for "
                  "standard input. Rows, columns and keys may be left out; an empty cell leaves "
                  "the panel's value. A column or key the table does not have refuses the file.")
      ->required();
  set->add_flag("--yes", options->yes,
                "answer the page's firmware questions with OK (without it, a table that asks "
                "them is not written)");
  set->footer(
      "Standard output: the outcome line and the summary. The page's notices (errors, warnings, "
      "questions) go to standard error.");
  set->callback([&invocation, options] {
    options->panel = Resolve(options->panelText);
    invocation.exitCode = TableSet(invocation.Context(), *options);
  });
}

}  // namespace cli
