// The exchange helper on its own: which text each ending of a write shows,
// that silent endings stay silent, and that a block that did not go out
// whole is never taken as written.
#include "pages/common/panel_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"

namespace {

using testing_support::FakeNetwork;
using testing_support::ScriptedHost;
using testing_support::ScriptedPeer;

constexpr std::string_view kCommand = "VK38 TEST CHANGE\r\n";
const std::string kAccepted = std::string("SETTING CHANGE OK\r\n") + '\0';
const std::string kWritten = std::string("WRITE OK\r\n") + '\0';
const std::string kBlock = "block";

// Every ending with a text of its own, so that a mix-up shows.
constexpr ExchangeTexts kNamed{.noSocket = "no socket",
                               .notConnected = "not connected",
                               .lost = "lost",
                               .refused = "refused",
                               .blockLost = "block lost",
                               .notWritten = "not written",
                               .written = "written"};

class ProbePage : public ui::Page {
 public:
  explicit ProbePage(ui::Host& host) : ui::Page(1, host) {}
};

struct PanelExchangeTest : ::testing::Test {
  ScriptedHost host;
  FakeNetwork network;
  PanelAddressBook panels;
  ProbePage page{host};

  bool Write(const ExchangeTexts& texts,
             BlockDelivery (*how)(CPanelSession&, const std::string&) = SendBlock) {
    PanelExchange exchange(page, PanelLink{network, panels}, texts);
    return exchange.Write(kCommand, [&](CPanelSession& session) { return how(session, kBlock); });
  }

  static BlockDelivery SendBlock(CPanelSession& session, const std::string& block) {
    return session.SendCommand(block) ? BlockDelivery::kSent : BlockDelivery::kCut;
  }
};

struct Ending {
  const char* name;
  bool noSocket;
  ScriptedPeer peer;
  std::string expectedText;
};

TEST_F(PanelExchangeTest, EachEndingOfAWriteShowsItsOwnTextAsAFailure) {
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

TEST_F(PanelExchangeTest, AConfirmedWriteSendsCommandAndBlockAndShowsItsStatus) {
  ScriptedPeer& peer = network.Expect(ScriptedPeer::Answering({kAccepted, kWritten}));
  EXPECT_TRUE(Write(kNamed));
  EXPECT_EQ(peer.received, std::string(kCommand) + kBlock);
  ASSERT_EQ(host.BoxTexts(), std::vector<std::string>{"written"});
  EXPECT_EQ(host.boxes[0].caption, "Status");
  EXPECT_EQ(host.boxes[0].Icon(), 0u);
}

TEST_F(PanelExchangeTest, SilentEndingsShowNothing) {
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

TEST_F(PanelExchangeTest, AnAbandonedBlockEndsTheWriteWithThePagesOwnReportOnly) {
  // The panel would confirm, but nothing was sent: no confirmation is read.
  network.Expect(ScriptedPeer::Answering({kAccepted, kWritten}));
  EXPECT_FALSE(
      Write(kNamed, [](CPanelSession&, const std::string&) { return BlockDelivery::kAbandoned; }));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PanelExchangeTest, StartTellsASocketThatCouldNotBeMadeFromAFailedConnection) {
  network.socketCreationFails = true;
  PanelExchange first(page, PanelLink{network, panels}, {.notConnected = "not connected"});
  EXPECT_EQ(first.Start(kCommand), ExchangeStart::kNoSocket);
  network.socketCreationFails = false;
  network.Expect(ScriptedPeer::Refusing());
  PanelExchange second(page, PanelLink{network, panels}, {.notConnected = "not connected"});
  EXPECT_EQ(second.Start(kCommand), ExchangeStart::kFailed);
  network.Expect(ScriptedPeer::Answering({}));
  PanelExchange third(page, PanelLink{network, panels}, {});
  EXPECT_EQ(third.Start(kCommand), ExchangeStart::kSent);
  EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"not connected"});
}

}  // namespace
