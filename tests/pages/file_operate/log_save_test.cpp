#include <gtest/gtest.h>

#include "file_ope_fixture.h"
#include "sim/log_source.h"

namespace files_test {
namespace {

using testing_support::ScriptedPeer;

const std::string kLogCommand = "VK38 LOG REQ\r\n";

Bytes ExpectedLog(std::size_t size) {
  Bytes log(size);
  sim::FillLog(kPanel, 0, log);
  return log;
}

TEST_F(FileOpeWithPanel, ALogInManyPiecesArrivesWholeAndInOrder) {
  Panel().SetLog({.size = 10000, .piece = 1460});
  host.AnswerNextFileDialog(PathOf("VK38.log"));
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"Save OK!!"});
  EXPECT_EQ(host.boxes[0].caption, "Status");
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk);

  ASSERT_EQ(host.fileDialogs.size(), 1u);
  EXPECT_TRUE(host.fileDialogs[0].save);
  EXPECT_EQ(host.fileDialogs[0].options.filter, "LOG|VK38.log||");
  EXPECT_EQ(host.fileDialogs[0].options.initialName, "VK38.log");
  EXPECT_TRUE(host.fileDialogs[0].options.overwritePrompt);
  EXPECT_EQ(ReadFile(PathOf("VK38.log")), ExpectedLog(10000));
  const Bytes command(kLogCommand.begin(), kLogCommand.end());
  EXPECT_EQ(Received().at(0), command);
}

TEST_F(FileOpeWithPanel, APanelThatClosesAtOnceGivesAnEmptyLog) {
  Panel().SetFault(kLogCommand, {.closeAtOnce = true});
  WriteFile(PathOf("VK38.log"), Bytes(100, 'x'));
  host.AnswerNextFileDialog(PathOf("VK38.log"));
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"Save OK!!"});
  EXPECT_TRUE(ReadFile(PathOf("VK38.log")).empty());
}

TEST_F(FileOpeWithPanel, CancellingTheDialogContactsNoPanel) {
  host.AnswerNextFileDialog(std::nullopt);
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{});
  EXPECT_TRUE(Received().empty());
}

TEST_F(FileOpeWithPanel, ALogCutByAResetKeepsWhatArrivedAndSaysSo) {
  Panel().SetLog({.size = 50000, .piece = 1000});
  Panel().SetFault(kLogCommand, {.resetAfter = 20000});
  host.AnswerNextFileDialog(PathOf("VK38.log"));
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"Socket Error!!"});
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
  const Bytes saved = ReadFile(PathOf("VK38.log"));
  const Bytes full = ExpectedLog(50000);
  ASSERT_LE(saved.size(), 20000u);
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), full.begin()));
}

TEST_F(FileOpeWithPanel, TheLogsFailuresToConnect) {
  panels.SetCurrent(kNoPanel);
  host.AnswerNextFileDialog(PathOf("VK38.log"));
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"No Connect!!"});
  EXPECT_EQ(page.Controls().Text(IDC_SETUP_FILE_PATH), "");
}

TEST_F(FileOpeScripted, AnUncreatableFileDrainsTheWholeLogFirst) {
  ScriptedPeer& panel = network.Expect(
      ScriptedPeer::Answering({std::string(4096, 'a'), std::string(4096, 'b'), "end"}));
  files.locked.insert("/locked/VK38.log");
  host.AnswerNextFileDialog("/locked/VK38.log");
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"File open error"});
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
  EXPECT_TRUE(panel.pieces.empty()) << "every piece was read before the message";
}

TEST_F(FileOpeScripted, APieceThatCannotBeWrittenIsReportedAfterTheWholeLog) {
  ScriptedPeer& panel = network.Expect(
      ScriptedPeer::Answering({std::string(3000, 'a'), std::string(3000, 'b'), "cc"}));
  files.Add("/VK38.log", {.writeFailsAfter = 4000});
  host.AnswerNextFileDialog("/VK38.log");
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"File write error"});
  EXPECT_TRUE(panel.pieces.empty());
  EXPECT_EQ(files.files["/VK38.log"]->content, std::string(3000, 'a') + "cc");
}

TEST_F(FileOpeScripted, TheLogCommandThatCannotBeSentIsReported) {
  network.Expect(ScriptedPeer().TakingOnly(0));
  host.AnswerNextFileDialog("/VK38.log");
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{"Socket Error!!"});
  network.socketCreationFails = true;
  host.AnswerNextFileDialog("/VK38.log");
  EXPECT_EQ(Press(IDC_LOG_SAVE), Lines{});
}

}  // namespace
}  // namespace files_test
