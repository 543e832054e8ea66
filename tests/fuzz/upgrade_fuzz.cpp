// The upgrade page: program and FPGA Loads with whatever images and
// whatever the panel answers, after File choices, in the fuzzer's order.
//
// Invariants: every box is one of the page's six texts, with the error icon
// except "Ver Up Finish"; "Ver Up Finish" is a Load's only box and comes
// only after the whole image went out behind the command and the panel's
// lines ended with "WRITE OK" (after "FILE OK" for a program); any other
// Load ends with "File Error!!"; no image byte goes out before the panel
// accepted the start; images go out in blocks of at most 4096 bytes and
// every file is closed.
#include <algorithm>

#include "file_fuzz.h"
#include "fuzz_steps.h"
#include "page_rig.h"
#include "pages/upgrade/upgrade.h"
#include "protocol/panel_session.h"
#include "resources/resource.h"

namespace {

using fuzz::FuzzInput;
using fuzz::ScriptedConnection;
using Texts = std::vector<std::string>;
using Rig = fuzz::PageRig<CUPGrade>;

using enum fuzz::steps::upgrade::Step;
constexpr int kMaxSteps = 6;
const std::string kProgramPath = "C:/images/program.bin";
const std::string kFpgaPath = "C:/images/fpga.bin";
const std::string kFinish = "Ver Up Finish";
const std::string kFileError = "File Error!!";

void Choose(Rig& rig, FuzzInput& input, bool program) {
  const bool cancel = input.Byte() & 1;
  const std::string& path = program ? kProgramPath : kFpgaPath;
  fuzz::ScriptFile(rig.files, path, input);
  rig.host.AnswerNextFileDialog(cancel ? std::nullopt : std::optional(path));
  const std::string before = program ? rig.page.ProgramPath() : rig.page.FpgaPath();
  rig.Act([&] { testing_support::Click(rig.page, program ? IDC_PROGRAM_FILE : IDC_FPGA_FILE); });
  FUZZ_REQUIRE(rig.LastBoxes().empty());
  const std::string& now = program ? rig.page.ProgramPath() : rig.page.FpgaPath();
  FUZZ_REQUIRE(now == (cancel ? before : path));
  FUZZ_REQUIRE(rig.Screen().Text(IDC_PROGRAM_PATH) == rig.page.ProgramPath());
  FUZZ_REQUIRE(rig.Screen().Text(IDC_FPGA_PATH) == rig.page.FpgaPath());
}

void Load(Rig& rig, FuzzInput& input, bool program) {
  const std::size_t firstBox = rig.host.boxes.size();
  const ScriptedConnection connection =
      rig.Click(program ? IDC_PROGRAM_LOAD : IDC_FPGA_LOAD, input);
  const Texts& boxes = rig.LastBoxes();
  FUZZ_REQUIRE(!boxes.empty());
  FUZZ_REQUIRE(fuzz::AllAmong(boxes, {"No Connect!!", "Socket Error!!", "Command Error!!",
                                      "File Open Error!!", kFileError, kFinish}));
  for (std::size_t i = firstBox; i < rig.host.boxes.size(); ++i) {
    const testing_support::ShownMessageBox& box = rig.host.boxes[i];
    FUZZ_REQUIRE(box.Icon() == (box.text == kFinish ? 0u : unsigned{ui::kMbIconError}));
  }
  for (const auto& [path, file] : rig.files.files) FUZZ_REQUIRE(file->closed);

  // The outcome table: what went wrong before the image ("No Connect!!",
  // "Socket Error!!", "Command Error!!" and/or "File Open Error!!"), then
  // the verdict: "File Error!!" twice for a program whose image did not get
  // through or was not confirmed with "FILE OK", once otherwise, or "Ver Up
  // Finish" alone.
  const bool finished = boxes.back() == kFinish;
  const auto verdict = std::find(boxes.begin(), boxes.end(), finished ? kFinish : kFileError);
  const Texts failures(boxes.begin(), verdict);
  const Texts verdicts(verdict, boxes.end());
  const std::vector<Texts> failureRows = {{},
                                          {"No Connect!!"},
                                          {"Socket Error!!"},
                                          {"Command Error!!"},
                                          {"Command Error!!", "File Open Error!!"},
                                          {"File Open Error!!"}};
  FUZZ_REQUIRE(std::find(failureRows.begin(), failureRows.end(), failures) != failureRows.end());
  if (finished) {
    FUZZ_REQUIRE(boxes.size() == 1);
  } else if (!program) {
    FUZZ_REQUIRE(verdicts == Texts{kFileError});
  } else if (verdicts.size() == 1) {
    // Only the last line failed: the image went out whole to "FILE OK".
    FUZZ_REQUIRE(failures.empty() && verdicts == Texts{kFileError});
    const std::string& path = rig.page.ProgramPath();
    FUZZ_REQUIRE(connection.Sent() == "VK38 VER UP START\r\n" + rig.files.files.at(path)->content);
    FUZZ_REQUIRE(connection.Delivered().find("FILE OK") != std::string::npos);
  } else {
    FUZZ_REQUIRE(verdicts == Texts(2, kFileError));
  }
  if (!connection.Accepted()) {
    FUZZ_REQUIRE(!finished);
    return;
  }
  const std::string command = program ? "VK38 VER UP START\r\n" : "FPGA VER UP START\r\n";
  const std::string& sent = connection.Sent();
  const std::string delivered = connection.Delivered();
  FUZZ_REQUIRE(command.starts_with(sent.substr(0, command.size())));
  const bool started = delivered.starts_with("VER UP START OK\r\n");
  if (!started) FUZZ_REQUIRE(sent.size() <= command.size());
  const std::vector<std::size_t>& sizes = connection.SendSizes();
  for (std::size_t i = 1; i < sizes.size(); ++i)
    FUZZ_REQUIRE(sizes[i] <= protocol::kPanelBlockSize);
  if (!finished) return;

  const std::string& path = program ? rig.page.ProgramPath() : rig.page.FpgaPath();
  FUZZ_REQUIRE(sent == command + rig.files.files.at(path)->content);
  // After the start line: for a program "FILE OK" first; and a line that
  // begins with "WRITE OK" after at least one more line.
  const std::string after = delivered.substr(std::string_view("VER UP START OK\r\n").size() + 1);
  if (program) FUZZ_REQUIRE(after.starts_with("FILE OK"));
  bool writeOk = false;
  for (std::size_t at = after.find("WRITE OK"); at != std::string::npos && !writeOk;
       at = after.find("WRITE OK", at + 1)) {
    writeOk = at >= 3 && after[at - 3] == '\r';
  }
  FUZZ_REQUIRE(writeOk);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Rig rig;
  for (int step = 0; step < kMaxSteps && !input.Empty(); ++step) {
    switch (input.Byte() % kStepCount) {
      case kChooseProgram:
        Choose(rig, input, true);
        break;
      case kChooseFpga:
        Choose(rig, input, false);
        break;
      case kLoadProgram:
        Load(rig, input, true);
        break;
      case kLoadFpga:
        Load(rig, input, false);
        break;
    }
  }
  return 0;
}
