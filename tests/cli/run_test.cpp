// The run over panels on its own: a task that throws fails its panel only,
// which endings may be tried again, and the watch for a stop request.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>
#endif

#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/stop_watch.h"

#include "run/fleet.h"
#include "run/retry.h"

namespace {

using operations::Ending;
using operations::Flaw;
using operations::Stage;

TEST(RunFleet, ATaskThatThrowsFailsItsPanelOnlyAndKeepsItsPlace) {
  const std::vector<cli::Panel> panels = {
      {.address = 0x7F000101}, {.address = 0x7F000102, .name = "odd"}, {.address = 0x7F000103}};
  const std::vector<cli::PanelOutcome> outcomes =
      cli::RunFleet(panels, 2, [](const cli::Panel& panel) -> cli::PanelOutcome {
        if (panel.address == 0x7F000102) throw std::runtime_error("out of memory");
        if (panel.address == 0x7F000103) throw 42;
        return {};
      });
  ASSERT_EQ(outcomes.size(), 3u);
  EXPECT_TRUE(outcomes[0].Ok());
  EXPECT_EQ(outcomes[0].panel, 0x7F000101u);
  EXPECT_EQ(outcomes[1].code, cli::Code::kBroken);
  EXPECT_EQ(outcomes[1].message, "unexpected failure");
  EXPECT_EQ(outcomes[1].cause, "out of memory");
  EXPECT_EQ(outcomes[1].name, "odd");
  EXPECT_EQ(outcomes[2].code, cli::Code::kBroken);
  EXPECT_EQ(outcomes[2].panel, 0x7F000103u);
}

// The canaries are judged when the last of them ends: a failure of a
// later panel is no canary's and keeps no panel after it from starting.
// One job makes the order certain.
TEST(RunFleet, OnlyTheCanariesOwnFailuresHaltTheRest) {
  const std::vector<cli::Panel> panels = {
      {.address = 0x7F000101}, {.address = 0x7F000102}, {.address = 0x7F000103}};
  const auto failing = [](protocol::PanelAddress bad) {
    return [bad](const cli::Panel& panel) -> cli::PanelOutcome {
      if (panel.address == bad) return {.code = cli::Code::kUnreachable, .message = "No Connect!!"};
      return {};
    };
  };
  const std::vector<cli::PanelOutcome> later =
      cli::RunFleet(panels, 1, failing(0x7F000102), {}, {.canary = 1});
  EXPECT_TRUE(later[0].Ok());
  EXPECT_EQ(later[1].code, cli::Code::kUnreachable);
  EXPECT_TRUE(later[2].Ok());

  const std::vector<cli::PanelOutcome> first =
      cli::RunFleet(panels, 1, failing(0x7F000101), {}, {.canary = 1});
  EXPECT_EQ(first[1].code, cli::Code::kNotStarted);
  EXPECT_EQ(first[1].cause, "the canary panel failed");
  EXPECT_EQ(first[2].code, cli::Code::kNotStarted);
}

// A read may be tried again whenever the network ended it, or the panel
// closed at once (an empty answer); a write only when no connection was
// made, since its command may otherwise have reached the panel.
TEST(Retry, OnlyTheNetworkBeforeAnythingCouldChangeIsTriedAgain) {
  struct Case {
    bool reads;
    Ending ending;
    Stage stage;
    Flaw flaw;
    bool again;
  };
  const Case cases[] = {
      {true, Ending::kNotConnected, Stage::kConnect, Flaw::kNone, true},
      {true, Ending::kSilent, Stage::kPayload, Flaw::kNone, true},
      {true, Ending::kBroken, Stage::kPayload, Flaw::kNone, true},
      {true, Ending::kBadData, Stage::kPayload, Flaw::kEmpty, true},
      {true, Ending::kBadData, Stage::kPayload, Flaw::kBadSum, false},
      {true, Ending::kNoSocket, Stage::kConnect, Flaw::kNone, false},
      {true, Ending::kRefused, Stage::kAcceptance, Flaw::kNone, false},
      {true, Ending::kOverdue, Stage::kPayload, Flaw::kNone, false},
      {true, Ending::kNoFile, Stage::kPayload, Flaw::kNone, false},
      {false, Ending::kNotConnected, Stage::kConnect, Flaw::kNone, true},
      {false, Ending::kBroken, Stage::kCommand, Flaw::kNone, false},
      {false, Ending::kSilent, Stage::kAcceptance, Flaw::kNone, false},
      {false, Ending::kBlockCut, Stage::kPayload, Flaw::kNone, false},
      {false, Ending::kSilent, Stage::kVerdict, Flaw::kNone, false},
  };
  for (const Case& c : cases) {
    const cli::ExchangeTerms terms{.payload = "block",
                                   .payloadComesIn = c.reads,
                                   .limit = std::chrono::seconds(1),
                                   .verdictLimit = std::chrono::seconds(1)};
    const operations::Outcome outcome{.ending = c.ending, .stage = c.stage, .flaw = c.flaw};
    EXPECT_EQ(cli::MayRetry(outcome, terms), c.again)
        << (c.reads ? "read" : "write") << " ending " << static_cast<int>(c.ending) << " at stage "
        << static_cast<int>(c.stage);
  }
}

// A request raises the stop; a watch whose program ends goes at once, not
// after a poll, since every vk38 command waits for it before exiting. Twenty
// watches, each left time to wait, would take two seconds with a 100 ms poll.
TEST(RunStop, ARequestRaisesTheStopAndTheWatchEndsAtOnceWithItsOwner) {
#ifndef _WIN32
  {
    const platform::StopWatch watch(130);
    // Only this thread and the watcher run here, both with the requests
    // blocked: the watcher's wait takes this one.
    kill(getpid(), SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!watch.Signal().Triggered() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(watch.Signal().Triggered());
  }
#endif
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) {
    const platform::StopWatch watch(130);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
