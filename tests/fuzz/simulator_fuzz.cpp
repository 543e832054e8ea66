// The simulator's command handling with whatever a client sends: a panel
// whose stored table the fuzzer may choose, a fault it may set, and client
// bytes split at the fuzzer's points. The client's bytes all arrive before
// the panel serves them and the client then stops sending, so every wait of
// the panel ends at once and a run is deterministic.
//
// Invariants: the panel records exactly the bytes the client sent; it
// stores only whole records and blocks whose sum is 0, and "WRITE OK" goes
// out exactly when it stored what the client sent; an unknown command line
// gets no answer; a read sends what the panel holds; a proposal keeps off
// the panel's own address.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string>
#include <thread>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "platform/posix/posix_network.h"
#include "platform/stop_signal.h"
#include "protocol/zero_sum.h"
#include "sim/command_dispatch.h"
#include "sim/credential_block.h"
#include "sim/panel_connection.h"
#include "sim/setup_block.h"
#include "sim/simulated_panel.h"

namespace {

using fuzz::FuzzInput;
using sim::Bytes;

constexpr protocol::PanelAddress kPanel = 0xC0A80009;
constexpr std::size_t kMaxLog = 8 * 1024;
constexpr std::array<std::string_view, 15> kCommandLines = {
    "VK38 IP SETTING REQ\r\n",     "VK38 IP SETTING CHANGE\r\n", "VK38 IP SET RENEW START\r\n",
    "VK38 IP SET RENEW RETRY\r\n", "VK38 IP SET RENEW SET\r\n",  "VK38 IP SET KEEP START\r\n",
    "VK38 IP SET KEEP RETRY\r\n",  "VK38 IP SET KEEP SET\r\n",   "VK38 SETTING REQ\r\n",
    "VK38 SETTING CHANGE\r\n",     "VK38 LOG REQ\r\n",           "VK38 VER UP START\r\n",
    "FPGA VER UP START\r\n",       "VK38 AUTH SETTING REQ\r\n",  "VK38 AUTH SETTING CHANGE\r\n"};
constexpr std::string_view kChangeOk = std::string_view("SETTING CHANGE OK\r\n\0", 20);
constexpr std::string_view kWriteOk = std::string_view("WRITE OK\r\n\0", 11);
constexpr std::string_view kWriteNg = std::string_view("WRITE NG\r\n\0", 11);

// Setup byte of the input.
enum Setup : std::uint8_t {
  kStoreTable = 0x01,  // followed by a piece: the panel's stored table
  kFault = 0x02,       // followed by a fault byte and its sizes
  kImageSize = 0x04,   // followed by a size: the image length the panel expects
};

enum FaultBits : std::uint8_t {
  kWrongReply = 0x01,
  kBadChecksum = 0x02,
  kWriteNgFault = 0x04,
  kFileNg = 0x08,
  kOversize = 0x10,  // followed by a size
  kPieces = 0x20,    // followed by a count and sizes
  kReset = 0x40,     // followed by a size
  kCloseAtOnce = 0x80,
};

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

sim::Fault ReadFault(FuzzInput& input) {
  const std::uint8_t bits = input.Byte();
  sim::Fault fault;
  fault.wrongReply = bits & kWrongReply;
  fault.badChecksum = bits & kBadChecksum;
  fault.writeNg = bits & kWriteNgFault;
  fault.fileNg = bits & kFileNg;
  fault.closeAtOnce = bits & kCloseAtOnce;
  if (bits & kOversize) fault.oversize = input.Size() % (2 * protocol::IpSettingRecord::kSize);
  if (bits & kPieces) {
    const int count = input.Byte() % 8;
    for (int i = 0; i < count; ++i) fault.pieces.push_back(input.Byte());
  }
  if (bits & kReset) fault.resetAfter = input.Size();
  return fault;
}

bool IsFaultFree(const sim::Fault& fault) {
  return !fault.wrongReply && !fault.badChecksum && !fault.writeNg && !fault.fileNg &&
         !fault.closeAtOnce && !fault.oversize && !fault.resetAfter;
}

// Serves one connection whose client sent `pieces` and stopped sending;
// returns everything the panel answered, read as it comes.
std::string Serve(sim::SimulatedPanel& panel, const std::vector<std::string>& pieces) {
  static const platform::StopSignal stop;
  int ends[2];
  FUZZ_REQUIRE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0);
  for (const std::string& piece : pieces) {
    FUZZ_REQUIRE(::send(ends[1], piece.data(), piece.size(), MSG_NOSIGNAL) ==
                 static_cast<ssize_t>(piece.size()));
  }
  ::shutdown(ends[1], SHUT_WR);
  std::string answer;
  std::thread client([&answer, fd = ends[1]] {
    std::array<char, 65536> chunk;
    for (;;) {
      const ssize_t got = ::recv(fd, chunk.data(), chunk.size(), 0);
      if (got <= 0) break;
      answer.append(chunk.data(), static_cast<std::size_t>(got));
    }
  });
  {
    sim::PanelConnection connection(platform::AdoptServedSocket(ends[0]), panel, stop);
    sim::ServeConnection(connection, panel);
  }
  client.join();
  ::close(ends[1]);
  return answer;
}

bool IsWholeZeroSum(const Bytes& bytes, std::size_t size) {
  return bytes.size() == size && protocol::IsZeroSum(bytes);
}

// A confirmed write: the line, then the panel's verdict on `written`.
void CheckWrite(const std::string& answer, const std::string& rest, std::size_t size,
                const Bytes& before, const Bytes& after) {
  const std::string written = rest.substr(0, size);
  const bool valid = written.size() == size && protocol::IsZeroSum(BytesOf(written));
  FUZZ_REQUIRE(answer == std::string(kChangeOk) + std::string(valid ? kWriteOk : kWriteNg));
  FUZZ_REQUIRE(Text(after) == (valid ? written : Text(before)));
}

void CheckProposal(const std::string& answer, protocol::PanelAddress panel) {
  FUZZ_REQUIRE(answer.size() == protocol::IpSettingRecord::kSize);
  protocol::IpSettingRecord proposal;
  std::copy(answer.begin(), answer.end(), proposal.bytes.begin());
  FUZZ_REQUIRE(protocol::IsZeroSum(proposal.bytes));
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const std::uint8_t kind = proposal.CamKind(c);
    if (kind != protocol::kWireNetwork && kind != protocol::kWireIpDirect) continue;
    FUZZ_REQUIRE(protocol::GetIp(proposal.CamAddr(c)) != panel);
  }
  if (proposal.SwKind() == protocol::kSwitcherNetwork)
    FUZZ_REQUIRE(protocol::GetIp(proposal.SwAddr()) != panel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  sim::SimulatedPanel panel(kPanel);
  panel.SetTiming({.idleGap = std::chrono::milliseconds(0),
                   .lineGap = std::chrono::milliseconds(0),
                   .pieceGap = std::chrono::milliseconds(0),
                   .peerWait = std::chrono::milliseconds(2000)});
  panel.SetLog({.size = input.Size() % kMaxLog, .piece = 1 + input.Size() % 2048});

  const std::uint8_t setup = input.Byte();
  if (setup & kStoreTable) {
    const std::string table = input.Piece();
    panel.SetCameraRecord(BytesOf(table));
  }
  sim::Fault fault;
  if (setup & kFault) fault = ReadFault(input);
  if (setup & kImageSize) panel.SetImageSize(input.Size());

  std::vector<std::string> pieces;
  std::string client;
  while (!input.Empty()) {
    pieces.push_back(input.Piece());
    client += pieces.back();
  }
  const std::size_t lf = client.find('\n');
  const std::string line = lf == std::string::npos ? client : client.substr(0, lf + 1);
  const std::string rest = lf == std::string::npos ? std::string() : client.substr(lf + 1);
  panel.SetFault(line, fault);

  const Bytes tableBefore = panel.CameraRecord();
  const Bytes setupBefore = panel.SetupBlock();
  const Bytes credentialsBefore = panel.Credentials();
  const std::string answer = Serve(panel, pieces);

  // Everything the client sent is recorded, unless the panel reset the
  // connection before it read it all.
  const std::vector<Bytes> received = panel.Received();
  FUZZ_REQUIRE(received.size() == 1);
  if (!fault.resetAfter) FUZZ_REQUIRE(Text(received[0]) == client);
  FUZZ_REQUIRE(client.compare(0, received[0].size(), Text(received[0])) == 0);

  const bool known =
      std::find(kCommandLines.begin(), kCommandLines.end(), line) != kCommandLines.end();
  if (!known || fault.closeAtOnce) FUZZ_REQUIRE(answer.empty());

  // Whatever happened, the panel holds only records and blocks it can send.
  const Bytes tableAfter = panel.CameraRecord();
  if (tableAfter != tableBefore)
    FUZZ_REQUIRE(IsWholeZeroSum(tableAfter, protocol::IpSettingRecord::kSize));
  if (panel.Credentials() != credentialsBefore) {
    FUZZ_REQUIRE(IsWholeZeroSum(panel.Credentials(), protocol::CredentialRecord::kSize));
  }
  const Bytes setupAfter = panel.SetupBlock();
  if (setupAfter != setupBefore)
    FUZZ_REQUIRE(!setupAfter.empty() && protocol::IsZeroSum(setupAfter));
  // "WRITE NG" refuses a write; the renew and keep SET confirm otherwise.
  const bool confirmsWithWrite = line.find(" SET\r\n") == std::string::npos;
  if (fault.writeNg && confirmsWithWrite) {
    FUZZ_REQUIRE(tableAfter == tableBefore && setupAfter == setupBefore &&
                 panel.Credentials() == credentialsBefore);
  }
  if (!IsFaultFree(fault)) return 0;

  if (line == "VK38 IP SETTING REQ\r\n") {
    FUZZ_REQUIRE(answer == Text(tableBefore));
  } else if (line == "VK38 SETTING REQ\r\n") {
    FUZZ_REQUIRE(answer == Text(setupBefore));
  } else if (line == "VK38 AUTH SETTING REQ\r\n") {
    FUZZ_REQUIRE(answer == Text(credentialsBefore));
  } else if (line == "VK38 LOG REQ\r\n") {
    FUZZ_REQUIRE(answer.size() == panel.Log().size);
  } else if (line == "VK38 IP SETTING CHANGE\r\n") {
    CheckWrite(answer, rest, protocol::IpSettingRecord::kSize, tableBefore, tableAfter);
  } else if (line == "VK38 AUTH SETTING CHANGE\r\n") {
    CheckWrite(answer, rest, protocol::CredentialRecord::kSize, credentialsBefore,
               panel.Credentials());
  } else if (line == "VK38 SETTING CHANGE\r\n") {
    const Bytes restBytes = BytesOf(rest);
    const std::optional<std::size_t> length = sim::SetupBlockLength(restBytes);
    const std::string block = length ? rest.substr(0, *length) : rest;
    const bool valid = !block.empty() && protocol::IsZeroSum(BytesOf(block));
    FUZZ_REQUIRE(answer == std::string(kChangeOk) + std::string(valid ? kWriteOk : kWriteNg));
    FUZZ_REQUIRE(Text(setupAfter) == (valid ? block : Text(setupBefore)));
  } else if (line == "VK38 IP SET RENEW START\r\n" || line == "VK38 IP SET RENEW RETRY\r\n" ||
             line == "VK38 IP SET KEEP START\r\n" || line == "VK38 IP SET KEEP RETRY\r\n") {
    CheckProposal(answer, kPanel);
  } else if (line == "VK38 IP SET RENEW SET\r\n" || line == "VK38 IP SET KEEP SET\r\n") {
    FUZZ_REQUIRE(answer == std::string("SETTING OK\r\n\0", 13));
    FUZZ_REQUIRE(IsWholeZeroSum(tableAfter, protocol::IpSettingRecord::kSize));
  } else if (line == "VK38 VER UP START\r\n" || line == "FPGA VER UP START\r\n") {
    const bool program = line[0] == 'V';
    const std::string image = panel.ImageSize() ? rest.substr(0, *panel.ImageSize()) : rest;
    const std::string expected = std::string("VER UP START OK\r\n\0FILE OK\r\n\0", 28) +
                                 (program ? std::string("ERASE OK\r\n\0", 11) : std::string()) +
                                 std::string(kWriteOk);
    FUZZ_REQUIRE(answer == expected);
    FUZZ_REQUIRE(Text(program ? panel.ProgramImage() : panel.FpgaImage()) == image);
  }
  return 0;
}
