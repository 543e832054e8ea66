#include <gtest/gtest.h>

#include "file_ope_fixture.h"
#include "protocol/zero_sum.h"

namespace files_test {
namespace {

using testing_support::ScriptedPeer;
using testing_support::Type;

const std::string kChangeCommand = "VK38 SETTING CHANGE\r\n";

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST_F(FileOpeWithPanel, SaveStoresTheBlockExactlyWhereTheUserSays) {
  const Bytes block = ZeroSumBlock(300, 300);
  Panel().SetSetupBlock(block);
  host.AnswerNextFileDialog(PathOf("panel.v38"));
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{"Save OK"});
  EXPECT_EQ(host.boxes[0].caption, "Status");
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk);

  ASSERT_EQ(host.fileDialogs.size(), 1u);
  EXPECT_TRUE(host.fileDialogs[0].save);
  EXPECT_EQ(host.fileDialogs[0].options.filter, "SETUP|*.v38||");
  EXPECT_EQ(host.fileDialogs[0].options.initialName, "*.v38");
  EXPECT_TRUE(host.fileDialogs[0].options.overwritePrompt);
  EXPECT_EQ(ReadFile(PathOf("panel.v38")), block);
  EXPECT_EQ(AsText(Received().at(0)), "VK38 SETTING REQ\r\n");
}

// A block whose sum is off, or no block at all (the panel closed without
// sending anything), is no setup: no dialog, no message, and an earlier
// backup under the name the user would have chosen stays as it was.
TEST_F(FileOpeWithPanel, ABadOrEmptyBlockIsDroppedWithoutADialogOrMessage) {
  Bytes badSum = ZeroSumBlock(300, 300);
  badSum[10] ^= 1;
  WriteFile(PathOf("old.v38"), Bytes(10, 1));
  for (const Bytes& block : {badSum, Bytes{}}) {
    Panel().SetSetupBlock(block);
    host.AnswerNextFileDialog(PathOf("old.v38"));
    EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{}) << block.size() << "-byte block";
    EXPECT_TRUE(host.fileDialogs.empty());
    EXPECT_EQ(ReadFile(PathOf("old.v38")), Bytes(10, 1));
  }
}

TEST_F(FileOpeWithPanel, ABlockBeyond4096BytesIsJudgedAndStoredAsItsFirst4096) {
  const Bytes block = ZeroSumBlock(5000, 4096);
  Panel().SetSetupBlock(block);
  host.AnswerNextFileDialog(PathOf("big.v38"));
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{"Save OK"});
  EXPECT_EQ(ReadFile(PathOf("big.v38")), Bytes(block.begin(), block.begin() + 4096));
}

TEST_F(FileOpeWithPanel, ASavedFileLoadedAgainReachesThePanelByteForByte) {
  const Bytes original = Panel().SetupBlock();
  host.AnswerNextFileDialog(PathOf("round trip.v38"));
  ASSERT_EQ(Press(IDC_SETUP_SAVE), Lines{"Save OK"});
  EXPECT_EQ(page.Controls().Text(IDC_SETUP_FILE_PATH), "") << "Save does not keep its path";

  Panel().SetSetupBlock(ZeroSumBlock(64, 64));
  host.AnswerNextFileDialog(PathOf("round trip.v38"));
  Press(IDC_SETUP_FILE);
  EXPECT_EQ(page.m_filePath, PathOf("round trip.v38"));
  EXPECT_EQ(page.Controls().Text(IDC_SETUP_FILE_PATH), PathOf("round trip.v38"));
  EXPECT_FALSE(host.fileDialogs.back().save);
  EXPECT_EQ(host.fileDialogs.back().options.filter, "SETUP|*.v38||");
  EXPECT_FALSE(host.fileDialogs.back().options.overwritePrompt);

  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write OK"});
  EXPECT_EQ(host.boxes[0].caption, "Status");
  EXPECT_EQ(Panel().SetupBlock(), original);
  EXPECT_EQ(AsText(Received().back()), kChangeCommand + AsText(original));
}

TEST_F(FileOpeWithPanel, LoadBeforeAnyFileIsChosenReportsItAfterTheAcceptedCommand) {
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"File Open Error!!"});
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
  EXPECT_EQ(AsText(Received().at(0)), kChangeCommand);
}

TEST_F(FileOpeWithPanel, APathTypedIntoTheEditIsIgnored) {
  WriteFile(PathOf("typed.v38"), ZeroSumBlock(50, 50));
  Type(page, IDC_SETUP_FILE_PATH, PathOf("typed.v38"));
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"File Open Error!!"});
  EXPECT_EQ(AsText(Received().at(0)), kChangeCommand);
}

TEST_F(FileOpeWithPanel, LoadReportsEachFailureOfThePanel) {
  WriteFile(PathOf("setup.v38"), ZeroSumBlock(80, 80));
  host.AnswerNextFileDialog(PathOf("setup.v38"));
  Press(IDC_SETUP_FILE);

  Panel().SetFault(kChangeCommand, {.closeAtOnce = true});
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Socket Error!!"});
  Panel().SetFault(kChangeCommand, {.wrongReply = true});
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Command Error!!"});
  Panel().SetFault(kChangeCommand, {.writeNg = true});
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write Error!!"});
  WriteFile(PathOf("setup.v38"), Bytes{1, 2, 3});  // bytes that do not add up to 0
  Panel().ClearFaults();
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write Error!!"});

  panels.SetCurrent(kNoPanel);
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"No Connect!!"});
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{"No Connect!!"});
}

TEST_F(FileOpeWithPanel, SaveIntoAFileThatCannotBeCreatedSaysSo) {
  host.AnswerNextFileDialog(PathOf("no such folder/panel.v38"));
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{"File open error"});
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
}

TEST_F(FileOpeScripted, LoadFailuresOfTheLinkAndTheFile) {
  files.Add("/setup.v38", {.content = std::string(5000, 's')});
  host.AnswerNextFileDialog("/setup.v38");
  Press(IDC_SETUP_FILE);
  const std::string accepted = Line("SETTING CHANGE OK");

  network.socketCreationFails = true;
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write Error!!"});
  network.socketCreationFails = false;

  network.Expect(ScriptedPeer().TakingOnly(0));
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Socket Error!!"});

  ScriptedPeer& cut = network.Expect(
      ScriptedPeer::Answering({accepted, Line("WRITE OK")}).TakingOnly(kChangeCommand.size() + 10));
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write Error!!"});
  EXPECT_EQ(cut.pieces.size(), 1u) << "no confirmation is awaited after a failed send";

  network.Expect(ScriptedPeer::Answering({accepted}));
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write Error!!"});

  // A file that cannot be read to its end is not confirmed by the panel.
  files.files["/setup.v38"]->readFailsAfter = 4096 + 100;
  ScriptedPeer& partial = network.Expect(ScriptedPeer::Answering({accepted, Line("WRITE OK")}));
  EXPECT_EQ(Press(IDC_SETUP_LOAD), Lines{"Write Error!!"});
  EXPECT_EQ(partial.received.size(), kChangeCommand.size() + 4096 + 100);
  EXPECT_EQ(partial.pieces.size(), 1u) << "the confirmation was not awaited";
  EXPECT_TRUE(files.files["/setup.v38"]->closed);
}

TEST_F(FileOpeScripted, SaveEndsSilentlyWhenNothingUsableArrives) {
  network.socketCreationFails = true;
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{});
  network.socketCreationFails = false;
  network.Expect(ScriptedPeer().TakingOnly(0));
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{});
  network.Expect(ScriptedPeer::Answering({std::string(100, '\0')}).ThenFailing());
  EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{});
  EXPECT_TRUE(host.fileDialogs.empty());
}

TEST_F(FileOpeScripted, ASetupFileThatCannotBeWrittenIsNotReportedAsSaved) {
  const Bytes block = ZeroSumBlock(100, 100);
  for (bool closeFails : {false, true}) {
    files.Add("/out.v38", {.writeFailsAfter = closeFails ? std::nullopt : std::optional<size_t>(50),
                           .closeFails = closeFails});
    network.Expect(ScriptedPeer::Answering({AsText(block)}));
    host.AnswerNextFileDialog("/out.v38");
    EXPECT_EQ(Press(IDC_SETUP_SAVE), Lines{"File write error"}) << closeFails;
    EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
  }
}

}  // namespace
}  // namespace files_test
