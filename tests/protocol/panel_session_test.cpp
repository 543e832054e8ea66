// CPanelSession against a simulated panel over the private network, and
// against scripted sockets and files where a failure must be forced.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>

#include "platform/system.h"
#include "protocol/panel_session.h"
#include "sim/log_source.h"
#include "sim/panel_simulator.h"
#include "support/fake_file_system.h"
#include "support/fake_network.h"

namespace {

using namespace std::chrono_literals;
using sim::Bytes;
using sim::Fault;

constexpr protocol::PanelAddress kVk1 = 0xC0A80009;     // 192.168.0.9
constexpr protocol::PanelAddress kNobody = 0xC0A80008;  // 192.168.0.8: in the network, no panel
const std::string kLineEnd("\r\n\0", 3);

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string BufferText(const protocol::CPanelSession& session, std::size_t count) {
  return std::string(session.ReplyBuffer().begin(),
                     session.ReplyBuffer().begin() + static_cast<std::ptrdiff_t>(count));
}

class PanelSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::PanelTiming timing;
    timing.peerWait = 5s;
    Vk1().SetTiming(timing);
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
  }

  sim::SimulatedPanel& Vk1() { return simulator.Panel(kVk1); }

  // A session to VK1 that has sent `command`.
  std::unique_ptr<protocol::CPanelSession> SessionAfter(std::string_view command) {
    auto session = std::make_unique<protocol::CPanelSession>(link);
    EXPECT_EQ(session->Open(), protocol::OpenResult::kOpen);
    EXPECT_TRUE(session->SendCommand(command));
    return session;
  }

  // The first reply to "VK38 IP SETTING CHANGE" becomes exactly `reply`.
  void ReplyWith(std::string_view reply, std::vector<std::size_t> pieces = {}) {
    Vk1().SetFault("VK38 IP SETTING CHANGE", Fault{.firstReply = BytesOf(reply), .pieces = pieces});
  }

  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network};
  protocol::PanelLink link{network, kVk1};
};

TEST_F(PanelSessionTest, CommandGoesOutWithoutNul) {
  SessionAfter("VK38 LOG REQ\r\n").reset();
  ASSERT_TRUE(Vk1().WaitForConnections(1, 5s));
  EXPECT_EQ(Vk1().Received(), std::vector<Bytes>{BytesOf("VK38 LOG REQ\r\n")});
}

TEST_F(PanelSessionTest, ReplyInPiecesIsJoinedIntoOneReply) {
  const std::string reply = "WRITE OK 0123456789" + kLineEnd;  // 22 bytes
  ReplyWith(reply, {5, 10, 7});
  auto session = SessionAfter("VK38 IP SETTING CHANGE\r\n");
  EXPECT_EQ(session->ReceiveReply(), reply.size());
  EXPECT_EQ(BufferText(*session, reply.size()), reply);
  EXPECT_TRUE(session->ReplyStartsWith("WRITE OK"));
}

TEST_F(PanelSessionTest, ReplyEndingInCarriageReturnWaitsForTwoMoreBytes) {
  // "WRITE OK\r" arrives first; a line judged by its last byte would end here.
  ReplyWith("WRITE OK" + kLineEnd, {9});
  auto session = SessionAfter("VK38 IP SETTING CHANGE\r\n");
  EXPECT_EQ(session->ReceiveReply(), 11u);
}

TEST_F(PanelSessionTest, ReplyIsJudgedOverTheExpectedTextsLength) {
  struct Case {
    std::string reply;
    std::string expected;
    bool matches;
  };
  const Case cases[] = {
      {"WRITE OK" + kLineEnd, "WRITE OK", true},
      {"WRITE OK, 3342 bytes" + kLineEnd, "WRITE OK", true},
      {"WRITE NG" + kLineEnd, "WRITE OK", false},
      {"wRITE OK" + kLineEnd, "WRITE OK", false},
      {"WRITE O" + kLineEnd, "WRITE OK", false},
      {"SETTING CHANGE OK\r\nMORE TEXT" + kLineEnd, "SETTING CHANGE OK\r\n", true},
      {"SETTING CHANGE OK\rAB", "SETTING CHANGE OK\r\n", false},
      {"SETTING CHANGE OK" + kLineEnd, "SETTING CHANGE OK", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    ReplyWith(c.reply);
    auto session = SessionAfter("VK38 IP SETTING CHANGE\r\n");
    ASSERT_EQ(session->ReceiveReply(), c.reply.size());
    EXPECT_EQ(session->ReplyStartsWith(c.expected), c.matches);
  }
}

TEST_F(PanelSessionTest, EarlyCloseFailsAReplyButEndsABlockEmpty) {
  Vk1().SetFault("VK38 IP SETTING CHANGE", Fault{.closeAtOnce = true});
  auto closed = SessionAfter("VK38 IP SETTING CHANGE\r\n");
  EXPECT_EQ(closed->ReceiveReply(), std::nullopt);
  EXPECT_EQ(closed->LastWaitEnd(), protocol::WaitEnd::kClosed);

  Vk1().SetFault("VK38 IP SETTING REQ", Fault{.closeAtOnce = true});
  EXPECT_EQ(SessionAfter("VK38 IP SETTING REQ\r\n")->ReceiveUntilClosed(), 0u);
}

TEST_F(PanelSessionTest, ReplyWithoutCompletingCarriageReturnFails) {
  // A line that fills the whole buffer without its CR, then one that the
  // panel closes on before the CR LF and the extra byte.
  ReplyWith(std::string(5000, 'A'));
  EXPECT_EQ(SessionAfter("VK38 IP SETTING CHANGE\r\n")->ReceiveReply(), std::nullopt);
  ReplyWith("WRITE OK\r\n");
  EXPECT_EQ(SessionAfter("VK38 IP SETTING CHANGE\r\n")->ReceiveReply(), std::nullopt);
}

TEST_F(PanelSessionTest, BlockIsReadUntilCloseAndCutAt4096) {
  Bytes block(5000);
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  Vk1().SetSetupBlock(block);
  Vk1().SetFault("VK38 SETTING REQ", Fault{.pieces = {1000, 2000}});
  auto session = SessionAfter("VK38 SETTING REQ\r\n");
  EXPECT_EQ(session->ReceiveUntilClosed(), 4096u);
  EXPECT_TRUE(std::equal(block.begin(), block.begin() + 4096, session->ReplyBuffer().begin()));
}

TEST_F(PanelSessionTest, BlockReadFailsWhenTheConnectionIsReset) {
  Vk1().SetFault("VK38 SETTING REQ", Fault{.resetAfter = 100});
  auto session = SessionAfter("VK38 SETTING REQ\r\n");
  EXPECT_EQ(session->ReceiveUntilClosed(), std::nullopt);
  // Broken, not silent: the panel's reset is not a wait that ran out.
  EXPECT_EQ(session->LastWaitEnd(), protocol::WaitEnd::kBroken);
}

TEST_F(PanelSessionTest, StreamHandsOnEveryPieceInOrder) {
  Vk1().SetLog({10000, 1460});
  auto session = SessionAfter("VK38 LOG REQ\r\n");
  Bytes got;
  std::size_t calls = 0;
  const protocol::StreamEnd end =
      session->ReceiveStream([&](const std::uint8_t* data, std::size_t count) {
        got.insert(got.end(), data, data + count);
        ++calls;
      });
  Bytes expected(10000);
  sim::FillLog(kVk1, 0, expected);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(end.total, 10000u);
  EXPECT_FALSE(end.failed);
  EXPECT_GE(calls, 2u) << "a stream is not cut at the buffer's size";
}

TEST_F(PanelSessionTest, StreamEndsOnResetWithWhatCameSoFar) {
  Vk1().SetLog({50000, 4096});
  Vk1().SetFault("VK38 LOG REQ", Fault{.resetAfter = 20000});
  std::uint64_t passed = 0;
  const protocol::StreamEnd end =
      SessionAfter("VK38 LOG REQ\r\n")->ReceiveStream([&](const std::uint8_t*, std::size_t count) {
        passed += count;
      });
  EXPECT_TRUE(end.failed);
  EXPECT_EQ(end.total, passed);
  EXPECT_LE(end.total, 20000u);
}

TEST_F(PanelSessionTest, FileStreamedToThePanelArrivesByteForByte) {
  std::string image(4097, '\0');
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 31);
  testing_support::FakeFileSystem files;
  files.Add("image.bin", {.content = image});
  Vk1().SetImageSize(image.size());

  auto session = SessionAfter("VK38 VER UP START\r\n");
  ASSERT_TRUE(session->ReceiveReply());
  auto file = files.OpenForReading("image.bin");
  EXPECT_EQ(session->SendFile(*file), protocol::FileSend::kWhole);
  EXPECT_TRUE(session->ReceiveReply());
  EXPECT_TRUE(session->ReplyStartsWith("FILE OK"));
  session.reset();
  ASSERT_TRUE(Vk1().WaitForConnections(1, 5s));
  EXPECT_EQ(Vk1().ProgramImage(), BytesOf(image));
}

// Sockets and files that fail on demand.
class ScriptedSessionTest : public ::testing::Test {
 protected:
  testing_support::FakeNetwork network;
  testing_support::FakeFileSystem files;
  protocol::PanelLink link{network, kVk1};
};

TEST_F(ScriptedSessionTest, FileGoesOutInBlocksOf4096) {
  for (const auto& [size, blocks] :
       {std::pair{std::size_t{0}, std::vector<std::size_t>{}},
        std::pair{std::size_t{4096}, std::vector<std::size_t>{4096}},
        std::pair{std::size_t{4097}, std::vector<std::size_t>{4096, 1}},
        std::pair{std::size_t{9000}, std::vector<std::size_t>{4096, 4096, 808}}}) {
    SCOPED_TRACE(size);
    const std::string content(size, 'x');
    files.Add("f", {.content = content});
    testing_support::ScriptedPeer& peer = network.Expect();
    protocol::CPanelSession session(link);
    ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
    auto file = files.OpenForReading("f");
    EXPECT_EQ(session.SendFile(*file), protocol::FileSend::kWhole);
    EXPECT_EQ(peer.sendSizes, blocks);
    EXPECT_EQ(peer.received, content);
  }
}

TEST_F(ScriptedSessionTest, FileStreamStopsAtAFailedSendOrRead) {
  files.Add("f", {.content = std::string(10000, 'y')});
  network.Expect(testing_support::ScriptedPeer::Answering({}).TakingOnly(5000));
  protocol::CPanelSession sending(link);
  ASSERT_EQ(sending.Open(), protocol::OpenResult::kOpen);
  auto file = files.OpenForReading("f");
  EXPECT_EQ(sending.SendFile(*file), protocol::FileSend::kSendFailed);
  EXPECT_EQ(network.Connections().back()->received.size(), 5000u);

  files.Add("g", {.content = std::string(10000, 'z'), .readFailsAfter = 4096});
  network.Expect();
  protocol::CPanelSession reading(link);
  ASSERT_EQ(reading.Open(), protocol::OpenResult::kOpen);
  auto broken = files.OpenForReading("g");
  EXPECT_EQ(reading.SendFile(*broken), protocol::FileSend::kReadFailed);
}

TEST_F(ScriptedSessionTest, SocketNotCreatedLeavesEveryOperationFailing) {
  network.socketCreationFails = true;
  protocol::CPanelSession session(link);
  EXPECT_EQ(session.Open(), protocol::OpenResult::kSocketNotCreated);
  EXPECT_FALSE(session.SendCommand("VK38 LOG REQ\r\n"));
  EXPECT_EQ(session.ReceiveReply(), std::nullopt);
  EXPECT_EQ(session.ReceiveUntilClosed(), std::nullopt);
  EXPECT_TRUE(session.ReceiveStream([](const std::uint8_t*, std::size_t) { FAIL(); }).failed);
  EXPECT_TRUE(std::all_of(session.ReplyBuffer().begin(), session.ReplyBuffer().end(),
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_F(ScriptedSessionTest, ReceiveErrorAfterDataFailsTheBlock) {
  network.Expect(testing_support::ScriptedPeer::Answering({"abc", "def"}).ThenFailing());
  protocol::CPanelSession session(link);
  ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
  EXPECT_EQ(session.ReceiveUntilClosed(), std::nullopt);
  EXPECT_EQ(BufferText(session, 6), "abcdef");
}

// What the link's observer is told, each step as one line.
class StepLog : public protocol::SessionObserver {
 public:
  void Step(const protocol::SessionStep& step) override {
    using Kind = protocol::SessionStep::Kind;
    static const std::map<Kind, std::string> kNames = {
        {Kind::kConnected, "connected"}, {Kind::kNotConnected, "not connected"},
        {Kind::kCommand, "command"},     {Kind::kReply, "reply"},
        {Kind::kBlockSent, "sent"},      {Kind::kBlockReceived, "received"},
        {Kind::kEnded, "ended"}};
    std::string line = kNames.at(step.kind);
    if (!step.text.empty()) line.append(" ").append(step.text);
    if (step.bytes > 0) line.append(" ").append(std::to_string(step.bytes));
    if (step.changesPanel) line += " (changes)";
    if (step.kind == Kind::kEnded)
      line += step.end == protocol::WaitEnd::kClosed ? " closed" : " broken";
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

TEST_F(ScriptedSessionTest, EachStepIsToldWithBlocksBySizeOnly) {
  StepLog steps;
  link.observer = &steps;
  const std::string secret = "hunter2";
  network.Expect(testing_support::ScriptedPeer::Answering(
      {std::string("SETTING CHANGE OK\r\n\0", 20), std::string("WRITE\x01OK\r\n\0", 11)}));
  {
    protocol::CPanelSession session(link);
    ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
    ASSERT_TRUE(session.SendCommand("VK38 AUTH SETTING CHANGE\r\n"));
    ASSERT_TRUE(session.ReceiveReply());
    ASSERT_TRUE(session.SendAll(BytesOf(std::string("admin\0", 6) + secret)));
    ASSERT_TRUE(session.ReceiveReply());
  }
  network.Expect(testing_support::ScriptedPeer::Answering({"admin", secret}));
  {
    protocol::CPanelSession session(link);
    ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
    ASSERT_TRUE(session.SendCommand("VK38 AUTH SETTING REQ\r\n"));
    ASSERT_EQ(session.ReceiveUntilClosed(), 12u);
  }
  network.Expect(testing_support::ScriptedPeer::Answering({"SETT"}).ThenFailing());
  {
    protocol::CPanelSession session(link);
    ASSERT_EQ(session.Open(), protocol::OpenResult::kOpen);
    ASSERT_TRUE(session.SendCommand("VK38 SETTING CHANGE\r\n"));
    EXPECT_EQ(session.ReceiveReply(), std::nullopt);
  }
  network.socketCreationFails = true;
  EXPECT_EQ(protocol::CPanelSession(link).Open(), protocol::OpenResult::kSocketNotCreated);
  EXPECT_EQ(
      steps.lines,
      (std::vector<std::string>{
          "connected", "command VK38 AUTH SETTING CHANGE (changes)", "reply SETTING CHANGE OK",
          "sent 13", "reply WRITE?OK", "connected", "command VK38 AUTH SETTING REQ", "received 12",
          "connected", "command VK38 SETTING CHANGE (changes)", "ended broken", "not connected"}));
}

TEST(PanelSessionConnect, NobodyListeningIsNotConnected) {
  platform::SystemNetwork network;
  protocol::CPanelSession session(protocol::PanelLink{network, kNobody});
  EXPECT_EQ(session.Open(), protocol::OpenResult::kNotConnected);
}

}  // namespace
