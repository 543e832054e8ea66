// A panel that stays silent — one that accepts and never answers, or a
// cable pulled in the middle of a transfer — never holds the program: every
// wait ends as a failure of its call after the limit, and the page then
// takes the path it takes for that failure. The limits are shortened here.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "pages/file_operate/file_ope.h"
#include "pages/upgrade/upgrade.h"
#include "platform/system.h"
#include "protocol/panel_session.h"
#include "resources/resource.h"
#include "sim/panel_simulator.h"
#include "support/fake_file_system.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

constexpr protocol::PanelAddress kPanel = 0xC0A80009;    // VK1, simulated
constexpr protocol::PanelAddress kStalled = 0xC0A80008;  // accepts no connection
constexpr protocol::PanelWaitLimits kShortWaits{.progress = 150ms, .flashWrite = 900ms};
// Scheduling and sanitizers may add to a limit, never take from it.
constexpr auto kSlack = 1500ms;

// "VER UP START OK", CR, LF and one byte: after it, a panel can fall silent.
constexpr std::uint64_t kStartOkLength = 18;

// A listener that never accepts. The system still makes connections for
// it until its queue is full; those take what is sent until their buffers
// fill, then nothing more. With a full queue, no connection is made.
class UnacceptingListener {
 public:
  enum class Queue { kRoom, kFull };

  UnacceptingListener(platform::Network& network, protocol::PanelAddress address, Queue queue) {
    std::string error;
    listening_ = network.Listen(protocol::AddressText(address), protocol::kPanelPort, error);
    ready_ = listening_ && (queue == Queue::kRoom || FillQueue(network, address));
  }

  bool Ready() const { return ready_; }

 private:
  // Connects until a connection is no longer made within a moment.
  bool FillQueue(platform::Network& network, protocol::PanelAddress address) {
    for (int i = 0; i < 16; ++i) {
      auto queued = network.CreateStreamSocket(200ms);
      if (!queued) return false;
      if (!queued->Connect(protocol::AddressText(address), protocol::kPanelPort)) return true;
      queued_.push_back(std::move(queued));
    }
    return false;
  }

  std::unique_ptr<platform::ListeningSocket> listening_;
  std::vector<std::unique_ptr<platform::StreamSocket>> queued_;
  bool ready_ = false;
};

// An image that never ends, for a send that can only stop by failing.
class EndlessFile : public platform::ReadableFile {
 public:
  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    std::memset(buffer, 0x5A, capacity);
    return static_cast<std::ptrdiff_t>(capacity);
  }
};

struct SilentPanel : ::testing::Test {
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
  }

  sim::SimulatedPanel& Panel() { return simulator.Panel(kPanel); }
  void FallSilent(std::string_view command, std::uint64_t afterBytes) {
    Panel().SetFault(command, sim::Fault{.silentAfter = afterBytes});
  }

  // Runs `action`, expecting it to take about `limit`: at least the limit,
  // and not much more.
  void ExpectToLast(std::chrono::milliseconds limit, const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    const auto took = Clock::now() - start;
    EXPECT_GE(took, limit);
    EXPECT_LT(took, limit + kSlack);
  }

  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network, {kPanel}};
  protocol::PanelLink link{network, kPanel, kShortWaits};
};

TEST_F(SilentPanel, EveryKindOfReceiveFailsAfterTheLimit) {
  struct Case {
    const char* command;
    std::uint64_t silentAfter;
    std::function<bool(protocol::CPanelSession&)> succeeds;
  };
  const Case cases[] = {
      {"VK38 SETTING CHANGE", 0,
       [](protocol::CPanelSession& s) { return s.ReceiveReply().has_value(); }},
      {"VK38 SETTING REQ", 100,
       [](protocol::CPanelSession& s) { return s.ReceiveUntilClosed().has_value(); }},
      {"VK38 LOG REQ", 3000,
       [](protocol::CPanelSession& s) {
         return !s.ReceiveStream([](const std::uint8_t*, std::size_t) {}).failed;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    FallSilent(c.command, c.silentAfter);
    protocol::CPanelSession session(link);
    ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
    ASSERT_TRUE(session.SendCommand(std::string(c.command) + "\r\n"));
    ExpectToLast(kShortWaits.progress, [&] { EXPECT_FALSE(c.succeeds(session)); });
    EXPECT_EQ(session.LastWaitEnd(), protocol::WaitEnd::kSilent);
  }
}

TEST_F(SilentPanel, ASendThatStallsFailsAfterTheLimit) {
  UnacceptingListener stalled(network, kStalled, UnacceptingListener::Queue::kRoom);
  ASSERT_TRUE(stalled.Ready());
  link.address = kStalled;
  protocol::CPanelSession session(link);
  ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
  EndlessFile image;
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(session.SendFile(image), protocol::FileSend::kSendFailed);
  EXPECT_EQ(session.LastWaitEnd(), protocol::WaitEnd::kSilent);
  // The buffers fill first; from then on, nothing moves for the limit.
  EXPECT_GE(Clock::now() - start, kShortWaits.progress);
  EXPECT_LT(Clock::now() - start, kShortWaits.progress + kSlack);
}

TEST_F(SilentPanel, AConnectionThatIsNeverMadeFailsAfterTheLimit) {
  UnacceptingListener stalled(network, kStalled, UnacceptingListener::Queue::kFull);
  ASSERT_TRUE(stalled.Ready());
  link.address = kStalled;
  protocol::CPanelSession session(link);
  ExpectToLast(kShortWaits.progress,
               [&] { EXPECT_EQ(session.Open(), protocol::OpenResult::kNotConnected); });
}

TEST_F(SilentPanel, OnlyTheReplyAfterAnImageGetsTheFlashWriteLimit) {
  FallSilent("VK38 VER UP START", 0);
  protocol::CPanelSession session(link);
  ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
  ASSERT_TRUE(session.SendCommand("VK38 VER UP START\r\n"));
  ExpectToLast(kShortWaits.flashWrite,
               [&] { EXPECT_FALSE(session.ReceiveReply(protocol::ReplyWait::kFlashWrite)); });
  ExpectToLast(kShortWaits.progress, [&] { EXPECT_FALSE(session.ReceiveReply()); });
}

// The pages against a panel that falls silent: each shows what it shows
// when that call fails, with the same texts or the same silence.
struct SilentPanelPages : SilentPanel {
  testing_support::ScriptedHost host;
  testing_support::FakeFileSystem files;
  rules::PanelAddressBook panels;  // VK1 is the current panel
  PageContext context{host, {network, panels, kShortWaits}, files};

  Lines Press(ui::Dialog& page, int button) {
    host.boxes.clear();
    host.fileDialogs.clear();
    testing_support::Click(page, button);
    return host.BoxTexts();
  }
};

TEST_F(SilentPanelPages, FileOperateTakesItsFailurePaths) {
  CFile_Ope page(context);
  files.Add("/setup.v38", {.content = std::string(300, '\0')});
  host.AnswerNextFileDialog("/setup.v38");
  testing_support::Click(page, IDC_SETUP_FILE);

  FallSilent("VK38 SETTING CHANGE", 0);
  ExpectToLast(kShortWaits.progress,
               [&] { EXPECT_EQ(Press(page, IDC_SETUP_LOAD), Lines{"Socket Error!!"}); });

  // A setup block cut off by silence is no setup: Save ends silently.
  FallSilent("VK38 SETTING REQ", 100);
  EXPECT_EQ(Press(page, IDC_SETUP_SAVE), Lines{});
  EXPECT_TRUE(host.fileDialogs.empty());

  FallSilent("VK38 LOG REQ", 3000);
  host.AnswerNextFileDialog("/VK38.log");
  EXPECT_EQ(Press(page, IDC_LOG_SAVE), Lines{"Socket Error!!"});
}

TEST_F(SilentPanelPages, ANeverMadeConnectionIsNoConnect) {
  UnacceptingListener stalled(network, kStalled, UnacceptingListener::Queue::kFull);
  ASSERT_TRUE(stalled.Ready());
  panels.SetCurrent(kStalled);
  CFile_Ope page(context);
  EXPECT_EQ(Press(page, IDC_SETUP_SAVE), Lines{"No Connect!!"});
}

TEST_F(SilentPanelPages, UpgradeWaitsTheFlashWriteLimitForTheReplyAfterTheImage) {
  CUPGrade page(context);
  files.Add("/image.bin", {.content = std::string(100000, 'I')});
  host.AnswerNextFileDialog("/image.bin");
  testing_support::Click(page, IDC_PROGRAM_FILE);

  // The whole image arrives; the panel then writes its flash for ever.
  FallSilent("VK38 VER UP START", kStartOkLength);
  ExpectToLast(kShortWaits.flashWrite, [&] {
    EXPECT_EQ(Press(page, IDC_PROGRAM_LOAD), (Lines{"File Error!!", "File Error!!"}));
  });
  ASSERT_EQ(Panel().Received().size(), 1u);
  EXPECT_EQ(Panel().Received()[0].size(), std::string("VK38 VER UP START\r\n").size() + 100000);
}

}  // namespace
