#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/machine.h"
#include "platform/system.h"

namespace cli {

namespace {

class PosixMachine : public Machine {
 public:
  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  bool ErrorsOnTerminal() const override { return isatty(STDERR_FILENO) == 1; }

  std::optional<std::string> ReadSecret(const std::string& prompt) override {
    termios saved{};
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved) != 0) return std::nullopt;
    std::fputs(prompt.c_str(), stderr);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
    if (!read) return std::nullopt;
    return line;
  }

 private:
  platform::SystemNetwork network_;
  platform::SystemFileSystem files_;
};

}  // namespace

std::unique_ptr<Machine> StartMachine() { return std::make_unique<PosixMachine>(); }

}  // namespace cli
