#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/console.h"

namespace platform {

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
std::optional<std::string> ReadLine(int fd, const StopSignal& stop) {
  std::string line;
  for (;;) {
    if (stop.Triggered()) return std::nullopt;
    pollfd watched{fd, POLLIN, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(kStopCheckInterval.count()));
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    char c = 0;
    if (ready < 0 || ::read(fd, &c, 1) != 1) return std::nullopt;
    if (c == '\n') return line;
    line += c;
  }
}

// A descriptor the program was given, read as it is and left open.
class DescriptorReader : public ReadableFile {
 public:
  explicit DescriptorReader(int fd) : fd_(fd) {}

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, capacity);
      if (got >= 0 || errno != EINTR) return got;
    }
  }

 private:
  int fd_;
};

}  // namespace

SystemConsole::SystemConsole() { std::signal(SIGPIPE, SIG_IGN); }

bool SystemConsole::ErrorsOnTerminal() const { return isatty(STDERR_FILENO) == 1; }
bool SystemConsole::InputOnTerminal() const { return isatty(STDIN_FILENO) == 1; }

std::optional<std::string> SystemConsole::ReadTerminalLine(const std::string& prompt, Echo echo,
                                                           const StopSignal& stop) {
  if (!InputOnTerminal()) return std::nullopt;
  const TerminalEcho terminal(STDIN_FILENO, echo);
  if (!terminal.Valid()) return std::nullopt;
  std::fputs(prompt.c_str(), stderr);
  std::fflush(stderr);
  std::optional<std::string> line = ReadLine(STDIN_FILENO, stop);
  if (echo == Echo::kHidden || !line) std::fputs("\n", stderr);
  return line;
}

std::unique_ptr<ReadableFile> SystemConsole::Descriptor(int descriptor) {
  if (descriptor < 0 || ::fcntl(descriptor, F_GETFD) == -1) {
    failure_ = std::strerror(descriptor < 0 ? EBADF : errno);
    return nullptr;
  }
  return std::make_unique<DescriptorReader>(descriptor);
}

}  // namespace platform
