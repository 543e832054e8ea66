// The File Operate page: Load with whatever file and replies, Save with
// whatever block, and the log Save with a stream split at the fuzzer's
// points and files that fail to be created, written or closed.
//
// Invariants: each exchange ends with at most one box, one of the page's
// own; Load sends the command and then the file byte for byte in blocks of
// at most 4096 bytes, and "Write OK" only after the whole file and the
// panel's "WRITE OK"; a saved setup file holds exactly the block received
// and only a block whose sum is 0; a saved log holds exactly the stream,
// and "Save OK!!" comes only when nothing was lost; every file is closed.
#include <algorithm>

#include "file_fuzz.h"
#include "fuzz_steps.h"
#include "page_rig.h"
#include "pages/file_operate/file_ope.h"
#include "protocol/panel_session.h"
#include "protocol/zero_sum.h"
#include "resources/resource.h"

namespace {

using fuzz::FuzzInput;
using fuzz::ScriptedConnection;
using Texts = std::vector<std::string>;
using Rig = fuzz::PageRig<CFile_Ope>;

using enum fuzz::steps::file_ope::Step;
constexpr int kMaxSteps = 6;
const std::string kSetupPath = "C:/setup/panel.v38";
const std::string kLogPath = "C:/log/VK38.log";
constexpr std::string_view kLoadCommand = "VK38 SETTING CHANGE\r\n";
constexpr std::string_view kSaveCommand = "VK38 SETTING REQ\r\n";
constexpr std::string_view kLogCommand = "VK38 LOG REQ\r\n";

void RequireFilesClosed(const Rig& rig) {
  for (const auto& [path, file] : rig.files.files) FUZZ_REQUIRE(file->closed);
}

// The operator picks the setup file (or cancels); the file is scripted.
void ChooseFile(Rig& rig, FuzzInput& input) {
  const bool cancel = input.Byte() & 1;
  fuzz::ScriptFile(rig.files, kSetupPath, input);
  rig.host.AnswerNextFileDialog(cancel ? std::nullopt : std::optional(kSetupPath));
  const std::string before = rig.page.m_filePath;
  rig.Act([&] { testing_support::Click(rig.page, IDC_SETUP_FILE); });
  FUZZ_REQUIRE(rig.LastBoxes().empty());
  FUZZ_REQUIRE(rig.page.m_filePath == (cancel ? before : kSetupPath));
  if (!cancel) FUZZ_REQUIRE(rig.Screen().Text(IDC_SETUP_FILE_PATH) == kSetupPath);
}

// Text typed into the path box is shown but never used: Load sends the
// file that File chose.
void TypePath(Rig& rig, FuzzInput& input) {
  const std::string before = rig.page.m_filePath;
  const std::string typed = input.Piece();
  rig.Act([&] { testing_support::Type(rig.page, IDC_SETUP_FILE_PATH, typed); });
  FUZZ_REQUIRE(rig.LastBoxes().empty() && rig.page.m_filePath == before);
}

void Load(Rig& rig, FuzzInput& input) {
  const ScriptedConnection connection = rig.Click(IDC_SETUP_LOAD, input);
  const Texts& boxes = rig.LastBoxes();
  FUZZ_REQUIRE(boxes.size() == 1);
  FUZZ_REQUIRE(fuzz::AllAmong(boxes, {"Write Error!!", "No Connect!!", "Socket Error!!",
                                      "Command Error!!", "File Open Error!!", "Write OK"}));
  RequireFilesClosed(rig);
  if (!connection.Accepted()) return;
  const std::string& sent = connection.Sent();
  FUZZ_REQUIRE(std::string_view(kLoadCommand).starts_with(sent.substr(0, kLoadCommand.size())));
  // Sends after the command carry the file in blocks of at most 4096.
  const std::vector<std::size_t>& sizes = connection.SendSizes();
  for (std::size_t i = 1; i < sizes.size(); ++i)
    FUZZ_REQUIRE(sizes[i] <= protocol::kPanelBlockSize);
  const auto file = rig.files.files.find(rig.page.m_filePath);
  const std::string content = file == rig.files.files.end() ? "" : file->second->content;
  if (sent.size() > kLoadCommand.size()) {
    FUZZ_REQUIRE(content.starts_with(sent.substr(kLoadCommand.size())));
    FUZZ_REQUIRE(connection.Delivered().starts_with("SETTING CHANGE OK\r\n"));
  }
  if (boxes[0] == "Write OK") {
    FUZZ_REQUIRE(sent == std::string(kLoadCommand) + content);
    FUZZ_REQUIRE(connection.Delivered().find("WRITE OK") != std::string::npos);
  }
}

void Save(Rig& rig, FuzzInput& input) {
  const bool cancel = input.Byte() & 1;
  fuzz::ScriptFile(rig.files, kSetupPath, input);
  const std::string contentBefore =
      rig.files.files.count(kSetupPath) ? rig.files.files[kSetupPath]->content : "";
  rig.host.AnswerNextFileDialog(cancel ? std::nullopt : std::optional(kSetupPath));
  const std::size_t dialogsBefore = rig.host.fileDialogs.size();
  const ScriptedConnection connection = rig.Click(IDC_SETUP_SAVE, input);
  const bool asked = rig.host.fileDialogs.size() > dialogsBefore;
  const Texts& boxes = rig.LastBoxes();
  FUZZ_REQUIRE(boxes.size() <= 1);
  FUZZ_REQUIRE(
      fuzz::AllAmong(boxes, {"No Connect!!", "File open error", "File write error", "Save OK"}));
  RequireFilesClosed(rig);

  const std::optional<std::string> block = fuzz::BlockReceived(connection, kSaveCommand);
  // Only a block with bytes whose sum is 0 is offered for saving: an empty
  // one would replace a good backup with nothing.
  const bool sound =
      block && !block->empty() &&
      protocol::IsZeroSum({reinterpret_cast<const std::uint8_t*>(block->data()), block->size()});
  FUZZ_REQUIRE(asked == sound);
  const bool written = asked && !cancel;
  if (!written) {
    FUZZ_REQUIRE(boxes.empty() || boxes[0] == "No Connect!!");
    const std::string contentAfter =
        rig.files.files.count(kSetupPath) ? rig.files.files[kSetupPath]->content : "";
    FUZZ_REQUIRE(contentAfter == contentBefore);
    return;
  }
  if (!boxes.empty() && boxes[0] == "Save OK") {
    FUZZ_REQUIRE(rig.files.files.at(kSetupPath)->content == *block);
  }
}

void SaveLog(Rig& rig, FuzzInput& input) {
  const bool cancel = input.Byte() & 1;
  const std::uint8_t fileFlags = fuzz::ScriptFile(rig.files, kLogPath, input);
  rig.host.AnswerNextFileDialog(cancel ? std::nullopt : std::optional(kLogPath));
  const ScriptedConnection connection = rig.Click(IDC_LOG_SAVE, input);
  const Texts& boxes = rig.LastBoxes();
  RequireFilesClosed(rig);
  if (cancel) {
    FUZZ_REQUIRE(boxes.empty() && !connection.Used());
    return;
  }
  FUZZ_REQUIRE(boxes.size() <= 1);
  FUZZ_REQUIRE(fuzz::AllAmong(boxes, {"No Connect!!", "Socket Error!!", "File open error",
                                      "File write error", "Save OK!!"}));
  if (connection.NoSocket()) {
    FUZZ_REQUIRE(boxes.empty());
    return;
  }
  FUZZ_REQUIRE(boxes.size() == 1);
  if (!connection.Accepted() || connection.Sent() != kLogCommand) return;
  // The panel is always heard to its end, whatever happens to the file.
  FUZZ_REQUIRE(connection.Drained());
  const bool lost = (fileFlags & (fuzz::kLocked | fuzz::kCloseFails)) ||
                    ((fileFlags & fuzz::kWriteFails) &&
                     rig.files.files.at(kLogPath)->content.size() < connection.Reply().size());
  if (boxes[0] == "Save OK!!") {
    FUZZ_REQUIRE(!connection.EndsInError());
    FUZZ_REQUIRE(rig.files.files.at(kLogPath)->content == connection.Delivered());
  }
  if (!lost && !connection.EndsInError()) FUZZ_REQUIRE(boxes[0] == "Save OK!!");
  if (connection.EndsInError()) FUZZ_REQUIRE(boxes[0] != "Save OK!!");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Rig rig;
  for (int step = 0; step < kMaxSteps && !input.Empty(); ++step) {
    switch (input.Byte() % kStepCount) {
      case kChooseFile:
        ChooseFile(rig, input);
        break;
      case kLoad:
        Load(rig, input);
        break;
      case kSave:
        Save(rig, input);
        break;
      case kSaveLog:
        SaveLog(rig, input);
        break;
      case kTypePath:
        TypePath(rig, input);
        break;
    }
  }
  return 0;
}
