// How a page reports a write: which text each ending shows, that silent
// endings stay silent, and that a block that did not go out whole is never
// taken as written.
#include "pages/common/outcome_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "operations/camera_table.h"
#include "operations/setup_block.h"
#include "support/fake_file_system.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"

namespace {

using testing_support::FakeNetwork;
using testing_support::ScriptedHost;
using testing_support::ScriptedPeer;

constexpr std::string_view kCommand = "VK38 SETTING CHANGE\r\n";
const std::string kAccepted = std::string("SETTING CHANGE OK\r\n") + '\0';
const std::string kWritten = std::string("WRITE OK\r\n") + '\0';
const std::string kBlock = "block";

// Every ending with a text of its own, so that a mix-up shows.
constexpr ExchangeTexts kNamed{.noSocket = "no socket",
                               .notConnected = "not connected",
                               .lost = "lost",
                               .refused = "refused",
                               .payloadLost = "block lost",
                               .notWritten = "not written",
                               .noFile = "no file",
                               .fileFailed = "file failed",
                               .done = "written"};

class ProbePage : public ui::Page {
 public:
  explicit ProbePage(ui::Host& host) : ui::Page(1, host) {}
};

struct OutcomeReportTest : ::testing::Test {
  ScriptedHost host;
  FakeNetwork network;
  testing_support::FakeFileSystem files;
  ProbePage page{host};

  OutcomeReportTest() { files.Add("block", {.content = kBlock}); }

  // A setup write of `path`, reported with `texts`; true when done.
  bool Write(const ExchangeTexts& texts, const std::string& path = "block") {
    const operations::Outcome outcome =
        operations::WriteSetupBlock(protocol::PanelLink{network, protocol::kBuiltInPanels[0]},
                                    [&] { return files.OpenForReading(path); });
    ReportOutcome(page, outcome, texts);
    return outcome.Done();
  }
};

struct Ending {
  const char* name;
  bool noSocket;
  ScriptedPeer peer;
  std::string expectedText;
};

TEST_F(OutcomeReportTest, EachEndingOfAWriteShowsItsOwnTextAsAFailure) {
  const std::vector<Ending> endings = {
      {"socket not created", true, {}, "no socket"},
      {"connection refused", false, ScriptedPeer::Refusing(), "not connected"},
      {"command not sent", false, ScriptedPeer::Answering({kAccepted}).TakingOnly(0), "lost"},
      {"no acceptance", false, ScriptedPeer::Answering({}), "lost"},
      {"other reply", false, ScriptedPeer::Answering({std::string("SETTING CHANGE NG\r\n") + '\0'}),
       "refused"},
      {"block cut", false,
       ScriptedPeer::Answering({kAccepted, kWritten}).TakingOnly(kCommand.size() + 2),
       "block lost"},
      {"no confirmation", false, ScriptedPeer::Answering({kAccepted}), "block lost"},
      {"write refused", false,
       ScriptedPeer::Answering({kAccepted, std::string("WRITE NG\r\n") + '\0'}), "not written"},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.name);
    host.boxes.clear();
    network.socketCreationFails = ending.noSocket;
    if (!ending.noSocket) network.Expect(ending.peer);
    EXPECT_FALSE(Write(kNamed));
    ASSERT_EQ(host.BoxTexts(), std::vector<std::string>{ending.expectedText});
    EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
    EXPECT_EQ(host.boxes[0].Icon(), ui::kMbIconError);
  }
}

TEST_F(OutcomeReportTest, AConfirmedWriteSendsCommandAndBlockAndShowsItsStatus) {
  ScriptedPeer& peer = network.Expect(ScriptedPeer::Answering({kAccepted, kWritten}));
  EXPECT_TRUE(Write(kNamed));
  EXPECT_EQ(peer.received, std::string(kCommand) + kBlock);
  ASSERT_EQ(host.BoxTexts(), std::vector<std::string>{"written"});
  EXPECT_EQ(host.boxes[0].caption, "Status");
  EXPECT_EQ(host.boxes[0].Icon(), 0u);
}

TEST_F(OutcomeReportTest, SilentEndingsShowNothing) {
  network.socketCreationFails = true;
  EXPECT_FALSE(Write({}));
  network.socketCreationFails = false;
  network.Expect(ScriptedPeer::Refusing());
  EXPECT_FALSE(Write({}));
  network.Expect(ScriptedPeer::Answering({std::string("NG\r\n") + '\0'}));
  EXPECT_FALSE(Write({}));
  network.Expect(ScriptedPeer::Answering({kAccepted}));
  EXPECT_FALSE(Write({}));
  network.Expect(ScriptedPeer::Answering({kAccepted, kWritten}));
  EXPECT_TRUE(Write({}));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(OutcomeReportTest, ABlockThatCannotBeOpenedEndsTheWriteUnanswered) {
  // The panel would confirm, but nothing was sent: no confirmation is read.
  ScriptedPeer& peer = network.Expect(ScriptedPeer::Answering({kAccepted, kWritten}));
  EXPECT_FALSE(Write(kNamed, "missing"));
  EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"no file"});
  EXPECT_EQ(peer.received, kCommand);
}

TEST_F(OutcomeReportTest, OnlyARefusedConnectionOrALostCommandStopsAPageAtTheStart) {
  const protocol::PanelLink link{network, protocol::kBuiltInPanels[0]};
  protocol::IpSettingRecord table;
  network.socketCreationFails = true;
  EXPECT_FALSE(StoppedAtStart(operations::ReadCameraTable(link, table)));
  network.socketCreationFails = false;
  network.Expect(ScriptedPeer::Refusing());
  EXPECT_TRUE(StoppedAtStart(operations::ReadCameraTable(link, table)));
  network.Expect(ScriptedPeer::Answering({}).TakingOnly(0));
  EXPECT_TRUE(StoppedAtStart(operations::ReadCameraTable(link, table)));
  network.Expect(ScriptedPeer::Answering({}));
  EXPECT_FALSE(StoppedAtStart(operations::ReadCameraTable(link, table)));
}

}  // namespace
