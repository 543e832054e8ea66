#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "io/system_machine.h"

namespace cli {

namespace {

// The console's input mode without echo for its lifetime (or as it was,
// with kShown).
class ConsoleEcho {
 public:
  ConsoleEcho(HANDLE input, Echo echo) : input_(input) {
    if (!GetConsoleMode(input_, &saved_)) return;
    valid_ = true;
    if (echo == Echo::kHidden)
      SetConsoleMode(input_, saved_ & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  }
  ~ConsoleEcho() {
    if (valid_) SetConsoleMode(input_, saved_);
  }
  ConsoleEcho(const ConsoleEcho&) = delete;
  ConsoleEcho& operator=(const ConsoleEcho&) = delete;

  bool Valid() const { return valid_; }

 private:
  HANDLE input_;
  DWORD saved_ = 0;
  bool valid_ = false;
};

class Win32Machine : public SystemMachine {
 public:
  // Tables, blocks and logs pass through the standard streams byte for byte.
  Win32Machine() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
  }

  bool ErrorsOnTerminal() const override { return _isatty(_fileno(stderr)) != 0; }
  bool InputOnTerminal() const override { return _isatty(_fileno(stdin)) != 0; }

  // Ctrl+C ends the console's read at once (the stop watch sees the event).
  std::optional<std::string> ReadTerminalLine(const std::string& prompt, Echo echo) override {
    if (!InputOnTerminal()) return std::nullopt;
    const ConsoleEcho console(GetStdHandle(STD_INPUT_HANDLE), echo);
    if (!console.Valid()) return std::nullopt;
    std::fputs(prompt.c_str(), stderr);
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (echo == Echo::kHidden || !read) std::fputs("\n", stderr);
    if (!read || Stop().Triggered()) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
};

}  // namespace

std::unique_ptr<Machine> StartMachine() {
  auto machine = std::make_unique<Win32Machine>();
  if (!machine->NetworkStarted()) return nullptr;
  return machine;
}

}  // namespace cli
