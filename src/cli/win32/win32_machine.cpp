#include <io.h>
#include <windows.h>

#include <iostream>

#include <cstdio>

#include "cli/machine.h"
#include "platform/system.h"

namespace cli {

namespace {

class Win32Machine : public Machine {
 public:
  bool NetworkStarted() const { return network_.Started(); }
  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  bool ErrorsOnTerminal() const override { return _isatty(_fileno(stderr)) != 0; }

  std::optional<std::string> ReadSecret(const std::string& prompt) override {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD saved = 0;
    if (!_isatty(_fileno(stdin)) || !GetConsoleMode(input, &saved)) return std::nullopt;
    std::fputs(prompt.c_str(), stderr);
    SetConsoleMode(input, saved & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    SetConsoleMode(input, saved);
    std::fputs("\n", stderr);
    if (!read) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  platform::SystemNetwork network_;
  platform::SystemFileSystem files_;
};

}  // namespace

std::unique_ptr<Machine> StartMachine() {
  auto machine = std::make_unique<Win32Machine>();
  if (!machine->NetworkStarted()) return nullptr;
  return machine;
}

}  // namespace cli
