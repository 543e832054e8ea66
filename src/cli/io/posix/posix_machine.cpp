#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>

#include "io/system_machine.h"

namespace cli {

namespace {

// The terminal's echo off for its lifetime (or as it was, with kShown).
class TerminalEcho {
 public:
  TerminalEcho(int fd, Echo echo) : fd_(fd) {
    if (tcgetattr(fd_, &saved_) != 0) return;
    valid_ = true;
    if (echo == Echo::kShown) return;
    termios quiet = saved_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(fd_, TCSAFLUSH, &quiet);
  }
  ~TerminalEcho() {
    if (valid_) tcsetattr(fd_, TCSAFLUSH, &saved_);
  }
  TerminalEcho(const TerminalEcho&) = delete;
  TerminalEcho& operator=(const TerminalEcho&) = delete;

  bool Valid() const { return valid_; }

 private:
  int fd_;
  termios saved_{};
  bool valid_ = false;
};

// A line from the terminal `fd`, read as it is ready and given up once
// `stop` is raised (looked at every kStopCheckInterval).
std::optional<std::string> ReadLine(int fd, const platform::StopSignal& stop) {
  std::string line;
  for (;;) {
    if (stop.Triggered()) return std::nullopt;
    pollfd watched{fd, POLLIN, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(platform::kStopCheckInterval.count()));
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    char c = 0;
    if (ready < 0 || ::read(fd, &c, 1) != 1) return std::nullopt;
    if (c == '\n') return line;
    line += c;
  }
}

class PosixMachine : public SystemMachine {
 public:
  // A reader that went away is a write that fails, told like any other.
  PosixMachine() { std::signal(SIGPIPE, SIG_IGN); }

  bool ErrorsOnTerminal() const override { return isatty(STDERR_FILENO) == 1; }
  bool InputOnTerminal() const override { return isatty(STDIN_FILENO) == 1; }

  std::optional<std::string> ReadTerminalLine(const std::string& prompt, Echo echo) override {
    if (!InputOnTerminal()) return std::nullopt;
    const TerminalEcho terminal(STDIN_FILENO, echo);
    if (!terminal.Valid()) return std::nullopt;
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::optional<std::string> line = ReadLine(STDIN_FILENO, Stop());
    if (echo == Echo::kHidden || !line) std::fputs("\n", stderr);
    return line;
  }
};

}  // namespace

std::unique_ptr<Machine> StartMachine() { return std::make_unique<PosixMachine>(); }

}  // namespace cli
