// TCP stream sockets as the panel link needs them: connect, send and receive
// that block the caller, each for at most a given time without progress.
// The POSIX implementation serves native builds and tests; the Win32 one
// keeps the windows repainting while a call waits.
//
// The serving side, as the panel simulator needs it: a listening socket and
// the sockets it accepts, whose calls never block and whose waits run on
// the simulator's own threads and end when its stop signal is raised.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/stop_signal.h"

namespace platform {

// The longest one call may wait without progress: no connection made, no
// byte sent or received. A call that reaches it fails as on any other error.
using WaitLimit = std::chrono::milliseconds;

class StreamSocket {
 public:
  // Send or Receive waited the whole limit and nothing moved: the peer is
  // silent, which is not the same as a broken connection (-1).
  static constexpr std::ptrdiff_t kTimedOut = -2;

  virtual ~StreamSocket() = default;  // closes the socket, without a shutdown handshake
  // Connects to a dotted address and port; false when refused, failed or
  // not made within the wait limit.
  virtual bool Connect(const std::string& addressText, std::uint16_t port) = 0;
  // Sends some of the bytes; the count taken, -1 on error, or kTimedOut
  // when none could be sent within the wait limit.
  virtual std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) = 0;
  // Receives up to `capacity` bytes; the count, 0 when the peer closed in
  // order, -1 on error (a reset included), or kTimedOut when nothing
  // arrived within the wait limit.
  virtual std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) = 0;
  // The wait limit of every later call.
  virtual void SetWaitLimit(WaitLimit limit) = 0;
  // From now on every wait also ends once `stop` (which must outlive the
  // socket) is raised, within kStopCheckInterval; the call then fails as on
  // a broken connection (Connect: false). For a program that is asked to
  // end while it waits on a panel.
  virtual void EndWaitsOn(const StopSignal& stop) = 0;
};

// What a wait on the serving side ended with.
enum class Readiness { kReady, kTimeout, kStopped };

// A wait on the serving side that only the stop signal ends.
inline constexpr std::chrono::milliseconds kUntilStopped{-1};

// The serving side's end of one accepted connection. Each piece given to
// Send leaves at once (no coalescing). Closing it (destruction) lets what
// was sent still reach the peer.
class ServedSocket {
 public:
  // The call could do nothing now; wait and try again.
  static constexpr std::ptrdiff_t kWouldBlock = -2;

  virtual ~ServedSocket() = default;
  // Up to `capacity` bytes: the count, 0 when the peer closed in order, -1
  // on an error or a reset, or kWouldBlock.
  virtual std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) = 0;
  // Some of the bytes: the count taken, -1 on an error, or kWouldBlock.
  virtual std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) = 0;
  // Waits until Receive or Send would not block (an error or the end of the
  // stream included), for at most `limit` (kUntilStopped: no limit).
  virtual Readiness WaitToReceive(const StopSignal& stop, std::chrono::milliseconds limit) = 0;
  virtual Readiness WaitToSend(const StopSignal& stop, std::chrono::milliseconds limit) = 0;
  // Waits, without receiving anything, until the peer ends the connection.
  virtual Readiness WaitForPeerToClose(const StopSignal& stop) = 0;
  // Sends the end of the stream; receiving goes on.
  virtual void EndSending() = 0;
  // Ends the connection at once with a reset, whatever is still unsent;
  // only destruction may follow.
  virtual void Reset() = 0;
};

class ListeningSocket {
 public:
  virtual ~ListeningSocket() = default;
  // The next connection; nothing once the stop signal is raised.
  virtual std::unique_ptr<ServedSocket> Accept(const StopSignal& stop) = 0;
};

class Network {
 public:
  virtual ~Network() = default;
  // A new unconnected TCP stream socket with keep-alive on, whose calls
  // wait at most `limit` without progress; nothing when none can be made.
  virtual std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) = 0;
  // Listens on a dotted address and port, the address reusable at once
  // after an earlier listener on it closed; nothing, with the reason in
  // `error`, when it cannot.
  virtual std::unique_ptr<ListeningSocket> Listen(const std::string& addressText,
                                                  std::uint16_t port, std::string& error) = 0;
};

}  // namespace platform
