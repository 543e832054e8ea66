// The steps of a session with a panel, told as they happen to whoever
// watches the exchange: vk38 traces them (-v) and learns from them whether
// a command that may change the panel went out. A block is told by its
// size alone, never by its bytes: a credential block holds a password.
#pragma once

#include <cstdint>
#include <string_view>

namespace protocol {

// Why a send or receive of a session did not complete: the panel closed the
// connection, it stayed silent for the whole wait limit, the session's time
// in all ran out (PanelWaitLimits::exchange or deadline), or the connection
// broke (a reset or any other error).
enum class WaitEnd { kClosed, kSilent, kOverdue, kBroken };

struct SessionStep {
  enum class Kind {
    kConnected,      // the connection to the panel is made
    kNotConnected,   // no socket, or the panel did not take the connection
    kCommand,        // a command line is about to go out: `text`, `changesPanel`
    kReply,          // a reply line came: `text`
    kBlockSent,      // `bytes` of a block, file or image went out
    kBlockReceived,  // `bytes` of a block, record or log came in
    kEnded,          // a send or receive did not complete: `end`
  };

  Kind kind = Kind::kConnected;
  // The line without its CR LF, unprintable bytes as '?'.
  std::string_view text{};
  std::uint64_t bytes = 0;
  // The command is no mere question: once it went out, the panel may hold
  // something new (a write, an assignment, an upgrade).
  bool changesPanel = false;
  WaitEnd end = WaitEnd::kBroken;
};

class SessionObserver {
 public:
  // Called on the thread that runs the session, in the order of the steps.
  virtual void Step(const SessionStep& step) = 0;

 protected:
  ~SessionObserver() = default;
};

}  // namespace protocol
