#include "pages/upgrade/upgrade.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/fake_file_system.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace {

using testing_support::Click;
using testing_support::FakeFile;
using testing_support::FakeFileSystem;
using testing_support::FakeNetwork;
using testing_support::ScriptedHost;
using testing_support::ScriptedPeer;
using testing_support::Type;
using Lines = std::vector<std::string>;

std::string Line(const std::string& text) { return text + "\r\n" + '\0'; }

const std::string kStartOk = Line("VER UP START OK");
const std::string kProgramStart = "VK38 VER UP START\r\n";
const std::string kFpgaStart = "FPGA VER UP START\r\n";
const std::string kImagePath = "/images/image.bin";

struct UpgradePage : ::testing::Test {
  ScriptedHost host;
  FakeNetwork network;
  FakeFileSystem files;
  rules::PanelAddressBook panels;
  CUPGrade page{PageContext{host, ChosenPanel{network, panels}, files}};

  void ChooseImage(int fileButton, const std::string& content) {
    files.Add(kImagePath, {.content = content});
    host.AnswerNextFileDialog(kImagePath);
    Click(page, fileButton);
  }
  Lines LoadShows(int loadButton) {
    host.boxes.clear();
    Click(page, loadButton);
    return host.BoxTexts();
  }
};

TEST_F(UpgradePage, FileChoosesAPathThatBothEditsShow) {
  host.AnswerNextFileDialog("/images/prog.bin");
  Click(page, IDC_PROGRAM_FILE);
  host.AnswerNextFileDialog("/images/fpga.bin");
  Click(page, IDC_FPGA_FILE);
  host.AnswerNextFileDialog(std::nullopt);
  Click(page, IDC_PROGRAM_FILE);

  ASSERT_EQ(host.fileDialogs.size(), 3u);
  EXPECT_FALSE(host.fileDialogs[0].save);
  EXPECT_EQ(host.fileDialogs[0].options.filter, "*.*|*.*||");
  EXPECT_EQ(host.fileDialogs[0].options.initialName, "");
  EXPECT_EQ(page.ProgramPath(), "/images/prog.bin");
  EXPECT_EQ(page.Controls().Text(IDC_PROGRAM_PATH), "/images/prog.bin");
  EXPECT_EQ(page.Controls().Text(IDC_FPGA_PATH), "/images/fpga.bin");
}

TEST_F(UpgradePage, AProgramImageIsStreamedByteForByteAndConfirmed) {
  std::string image(4097, '\0');
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
  ChooseImage(IDC_PROGRAM_FILE, image);
  ScriptedPeer& panel = network.Expect(
      ScriptedPeer::Answering({kStartOk, Line("FILE OK"), Line("ERASE DONE"), Line("WRITE OK")}));

  EXPECT_EQ(LoadShows(IDC_PROGRAM_LOAD), Lines{"Ver Up Finish"});
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk);
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
  EXPECT_EQ(panel.connectedTo, "192.168.0.9:35600");
  EXPECT_EQ(panel.received, kProgramStart + image);
  EXPECT_EQ(panel.sendSizes, (std::vector<std::size_t>{kProgramStart.size(), 4096, 1}));
  EXPECT_TRUE(files.files[kImagePath]->closed);
  // The panel writes its flash before it answers the image.
  EXPECT_EQ(panel.createdWithLimit, protocol::kPanelProgressLimit);
  EXPECT_EQ(panel.receiveLimits,
            (std::vector<platform::WaitLimit>{
                protocol::kPanelProgressLimit, protocol::kPanelFlashWriteLimit,
                protocol::kPanelFlashWriteLimit, protocol::kPanelFlashWriteLimit}));
}

TEST_F(UpgradePage, AnFpgaImageNeedsOnlyAFinalWriteOk) {
  ChooseImage(IDC_FPGA_FILE, "fpga-bits");
  ScriptedPeer& panel =
      network.Expect(ScriptedPeer::Answering({kStartOk, Line("ANYTHING"), Line("WRITE OK")}));
  EXPECT_EQ(LoadShows(IDC_FPGA_LOAD), Lines{"Ver Up Finish"});
  EXPECT_EQ(panel.received, kFpgaStart + "fpga-bits");
  EXPECT_EQ(panel.receiveLimits, (std::vector<platform::WaitLimit>{
                                     protocol::kPanelProgressLimit, protocol::kPanelFlashWriteLimit,
                                     protocol::kPanelFlashWriteLimit}));
}

TEST_F(UpgradePage, AnEmptyImageSendsNoByteAfterTheCommand) {
  ChooseImage(IDC_PROGRAM_FILE, "");
  ScriptedPeer& panel = network.Expect(
      ScriptedPeer::Answering({kStartOk, Line("FILE OK"), Line("X"), Line("WRITE OK")}));
  EXPECT_EQ(LoadShows(IDC_PROGRAM_LOAD), Lines{"Ver Up Finish"});
  EXPECT_EQ(panel.received, kProgramStart);
}

TEST_F(UpgradePage, ATypedPathIsNotUsed) {
  ChooseImage(IDC_PROGRAM_FILE, "chosen");
  Type(page, IDC_PROGRAM_PATH, "/typed/elsewhere.bin");
  ScriptedPeer& panel = network.Expect(
      ScriptedPeer::Answering({kStartOk, Line("FILE OK"), Line("X"), Line("WRITE OK")}));
  Click(page, IDC_PROGRAM_LOAD);
  EXPECT_EQ(panel.received, kProgramStart + "chosen");
}

// Each outcome with the messages of both Loads, in order.
struct Outcome {
  const char* what;
  std::function<void(UpgradePage&)> arrange;
  Lines program;
  Lines fpga;
};

TEST_F(UpgradePage, EveryOutcomeShowsItsMessagesInOrder) {
  const std::string E = "File Error!!";
  const Outcome outcomes[] = {
      {"socket not created",
       [](UpgradePage& t) { t.network.socketCreationFails = true; },
       {E, E},
       {E}},
      {"connect fails",
       [](UpgradePage& t) { t.network.Expect(ScriptedPeer::Refusing()); },
       {"No Connect!!", E, E},
       {"No Connect!!", E}},
      {"command not sent",
       [](UpgradePage& t) { t.network.Expect(ScriptedPeer().TakingOnly(0)); },
       {"Socket Error!!", E, E},
       {"Socket Error!!", E}},
      {"no start reply",
       [](UpgradePage& t) { t.network.Expect(); },
       {"Socket Error!!", E, E},
       {"Socket Error!!", E}},
      {"start refused",
       [](UpgradePage& t) { t.network.Expect(ScriptedPeer::Answering({Line("VER UP NG")})); },
       {"Command Error!!", E, E},
       {"Command Error!!", E}},
      {"start refused and file missing",
       [](UpgradePage& t) {
         t.files.files.clear();
         t.network.Expect(ScriptedPeer::Answering({Line("VER UP NG")}));
       },
       {"Command Error!!", "File Open Error!!", E, E},
       {"Command Error!!", "File Open Error!!", E}},
      {"file missing",
       [](UpgradePage& t) {
         t.files.files.clear();
         t.network.Expect(ScriptedPeer::Answering({kStartOk}));
       },
       {"File Open Error!!", E, E},
       {"File Open Error!!", E}},
      {"send fails during the image",
       [](UpgradePage& t) {
         t.network.Expect(ScriptedPeer::Answering({kStartOk, Line("FILE OK"), Line("WRITE OK")})
                              .TakingOnly(kProgramStart.size() + 10));
       },
       {E, E},
       {E}},
      {"image read fails part-way",
       [](UpgradePage& t) {
         t.files.files[kImagePath]->readFailsAfter = 5000;
         t.network.Expect(ScriptedPeer::Answering(
             {kStartOk, Line("FILE OK"), Line("X"), Line("WRITE OK"), Line("WRITE OK")}));
       },
       {E, E},
       {E}},
      {"first reply not FILE OK, even when it says WRITE OK",
       [](UpgradePage& t) {
         t.network.Expect(ScriptedPeer::Answering({kStartOk, Line("WRITE OK"), Line("X")}));
       },
       {E, E},
       {E}},
      {"final reply not WRITE OK",
       [](UpgradePage& t) {
         t.network.Expect(
             ScriptedPeer::Answering({kStartOk, Line("FILE OK"), Line("X"), Line("WRITE NG")}));
       },
       {E},
       {E}},
      {"panel closes before the final line",
       [](UpgradePage& t) {
         t.network.Expect(ScriptedPeer::Answering({kStartOk, Line("FILE OK")}));
       },
       {E},
       {E}},
  };
  const std::string image(9000, 'i');
  for (const Outcome& outcome : outcomes) {
    for (bool program : {true, false}) {
      network = FakeNetwork();
      files.files.clear();
      ChooseImage(program ? IDC_PROGRAM_FILE : IDC_FPGA_FILE, image);
      outcome.arrange(*this);
      const Lines shown = LoadShows(program ? IDC_PROGRAM_LOAD : IDC_FPGA_LOAD);
      EXPECT_EQ(shown, program ? outcome.program : outcome.fpga)
          << outcome.what << (program ? " (program)" : " (FPGA)");
      for (const auto& box : host.boxes) {
        EXPECT_EQ(box.Icon(), box.text == "Ver Up Finish" ? 0u : unsigned{ui::kMbIconError});
      }
    }
  }
}

TEST_F(UpgradePage, AStaleReplyBufferNeverReportsSuccess) {
  // The image itself begins with the words a panel confirms with; a failed
  // send leaves them in the reply buffer.
  const std::string image = "WRITE OK\r\n" + std::string(5000, 'w');
  ChooseImage(IDC_FPGA_FILE, image);
  network.Expect(ScriptedPeer::Answering({kStartOk}).TakingOnly(kFpgaStart.size() + 100));
  EXPECT_EQ(LoadShows(IDC_FPGA_LOAD), Lines{"File Error!!"});

  ChooseImage(IDC_PROGRAM_FILE, "FILE OK\r\n" + image);
  network.Expect(ScriptedPeer::Answering({kStartOk}).TakingOnly(kProgramStart.size() + 100));
  EXPECT_EQ(LoadShows(IDC_PROGRAM_LOAD), (Lines{"File Error!!", "File Error!!"}));
}

}  // namespace
