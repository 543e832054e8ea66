// The panel session alone: a panel answering bytes split at the fuzzer's
// points, and the session's receives, sends and file streaming in the
// fuzzer's order. A model of the 4096-byte reply buffer must match the
// session's after every step: each receive writes exactly the bytes the
// panel handed out, from the start of the buffer, and nothing else.
#include <algorithm>
#include <array>
#include <cstring>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_peer.h"
#include "fuzz_steps.h"
#include "protocol/panel_session.h"
#include "support/fake_file_system.h"

namespace {

using fuzz::FuzzInput;
using fuzz::ScriptedConnection;
using Buffer = std::array<std::uint8_t, protocol::kPanelBlockSize>;

using enum fuzz::steps::panel_session::Step;

constexpr std::uint8_t kCarriageReturn = 13;

struct Run {
  explicit Run(FuzzInput& input) : connection(network, input) {}

  testing_support::FakeNetwork network;
  protocol::CPanelSession session{protocol::PanelLink{network, protocol::kBuiltInPanels[0]}};
  ScriptedConnection connection;
  Buffer model{};
  bool open = false;

  void RequireBufferMatches() const {
    const auto buffer = session.ReplyBuffer();
    FUZZ_REQUIRE(buffer.size() == protocol::kPanelBlockSize);
    FUZZ_REQUIRE(std::equal(buffer.begin(), buffer.end(), model.begin()));
  }
  void Write(const std::string& bytes) { std::copy(bytes.begin(), bytes.end(), model.begin()); }

  void ReceiveReply() {
    const std::size_t before = connection.Delivered().size();
    const std::optional<std::size_t> got = session.ReceiveReply();
    const std::string fresh = connection.Delivered().substr(before);
    FUZZ_REQUIRE(fresh.size() <= protocol::kPanelBlockSize);
    Write(fresh);
    if (got) {
      FUZZ_REQUIRE(open && *got == fresh.size() && *got >= 3);
      FUZZ_REQUIRE(model[*got - 3] == kCarriageReturn);
    } else {
      // Only a close, an error or a full buffer ends a reply unfinished.
      FUZZ_REQUIRE(!open || connection.Drained() || fresh.size() == protocol::kPanelBlockSize);
    }
  }

  void ReceiveUntilClosed() {
    const std::size_t before = connection.Delivered().size();
    const std::optional<std::size_t> got = session.ReceiveUntilClosed();
    const std::string fresh = connection.Delivered().substr(before);
    Write(fresh);
    if (got) {
      FUZZ_REQUIRE(open && *got == fresh.size() && *got <= protocol::kPanelBlockSize);
      FUZZ_REQUIRE(*got == protocol::kPanelBlockSize ||
                   (connection.Drained() && !connection.EndsInError()));
    } else {
      FUZZ_REQUIRE(!open || (connection.Drained() && connection.EndsInError()));
    }
  }

  void ReceiveStream() {
    const std::size_t before = connection.Delivered().size();
    std::string streamed;
    const protocol::StreamEnd end =
        session.ReceiveStream([&](const std::uint8_t* data, std::size_t count) {
          FUZZ_REQUIRE(count > 0 && count <= protocol::kPanelBlockSize);
          streamed.append(reinterpret_cast<const char*>(data), count);
          std::memcpy(model.data(), data, count);
        });
    FUZZ_REQUIRE(streamed == connection.Delivered().substr(before));
    FUZZ_REQUIRE(end.total == streamed.size());
    FUZZ_REQUIRE(!open || connection.Drained());
    FUZZ_REQUIRE(end.failed == (!open || connection.EndsInError()));
  }

  void SendCommand(const std::string& command) {
    const std::size_t before = open ? connection.Sent().size() : 0;
    const bool sent = session.SendCommand(command);
    if (!open) {
      FUZZ_REQUIRE(!sent || command.empty());
      return;
    }
    const std::string wire = connection.Sent().substr(before);
    FUZZ_REQUIRE(sent ? wire == command : command.compare(0, wire.size(), wire) == 0);
  }

  void SendFile(const std::string& content, std::size_t readFailsAfter) {
    testing_support::FakeFileSystem files;
    testing_support::FakeFile& file = files.Add("image", {.content = content});
    if (readFailsAfter < content.size()) file.readFailsAfter = readFailsAfter;
    const std::size_t before = open ? connection.Sent().size() : 0;
    const std::size_t callsBefore = open ? connection.SendSizes().size() : 0;
    const bool sent =
        session.SendFile(*files.OpenForReading("image")) == protocol::FileSend::kWhole;
    // Streaming a file goes through the reply buffer.
    std::copy_n(session.ReplyBuffer().begin(), protocol::kPanelBlockSize, model.begin());
    if (!open) {
      FUZZ_REQUIRE(!sent || content.empty());
      return;
    }
    const std::string wire = connection.Sent().substr(before);
    FUZZ_REQUIRE(content.compare(0, wire.size(), wire) == 0);
    FUZZ_REQUIRE(sent == (wire == content && readFailsAfter >= content.size()));
    for (std::size_t i = callsBefore; i < connection.SendSizes().size(); ++i) {
      FUZZ_REQUIRE(connection.SendSizes()[i] <= protocol::kPanelBlockSize);
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Run run(input);
  const protocol::OpenResult opened = run.session.Open();
  FUZZ_REQUIRE((opened == protocol::OpenResult::kSocketNotCreated) == run.connection.NoSocket());
  FUZZ_REQUIRE((opened == protocol::OpenResult::kOpen) == run.connection.Accepted());
  run.open = opened == protocol::OpenResult::kOpen;

  while (!input.Empty()) {
    switch (input.Byte() % kStepCount) {
      case kReceiveReply:
        run.ReceiveReply();
        break;
      case kReceiveUntilClosed:
        run.ReceiveUntilClosed();
        break;
      case kReceiveStream:
        run.ReceiveStream();
        break;
      case kSendCommand:
        run.SendCommand(input.Piece());
        break;
      case kSendFile: {
        const std::size_t readFailsAfter = input.Size();
        run.SendFile(input.Piece(), readFailsAfter);
        break;
      }
    }
    run.RequireBufferMatches();
  }
  return 0;
}
