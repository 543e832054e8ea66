#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "platform/console.h"

namespace platform {

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

// A C runtime descriptor the program was given, read as it is and left open.
class DescriptorReader : public ReadableFile {
 public:
  explicit DescriptorReader(int fd) : fd_(fd) {}

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    const unsigned int slice = capacity > 1u << 30 ? 1u << 30 : static_cast<unsigned int>(capacity);
    return _read(fd_, buffer, slice);
  }

 private:
  int fd_;
};

// A console, and not merely a character device: NUL is one too, and
// progress drawn into it or a question asked of it would cost time and
// wait for nothing.
bool IsConsole(FILE* stream) {
  const intptr_t handle = _get_osfhandle(_fileno(stream));
  DWORD mode = 0;
  return handle != -1 && GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode);
}

}  // namespace

SystemConsole::SystemConsole() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

bool SystemConsole::ErrorsOnTerminal() const { return IsConsole(stderr); }
bool SystemConsole::InputOnTerminal() const { return IsConsole(stdin); }

// Ctrl+C ends the console's read at once (the stop watch sees the event).
std::optional<std::string> SystemConsole::ReadTerminalLine(const std::string& prompt, Echo echo,
                                                           const StopSignal& stop) {
  if (!InputOnTerminal()) return std::nullopt;
  const ConsoleEcho console(GetStdHandle(STD_INPUT_HANDLE), echo);
  if (!console.Valid()) return std::nullopt;
  std::fputs(prompt.c_str(), stderr);
  std::string line;
  const bool read = static_cast<bool>(std::getline(std::cin, line));
  if (echo == Echo::kHidden || !read) std::fputs("\n", stderr);
  if (!read || stop.Triggered()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::unique_ptr<ReadableFile> SystemConsole::Descriptor(int descriptor) {
  if (descriptor < 0 || _get_osfhandle(descriptor) == -1) {
    failure_ = std::strerror(EBADF);
    return nullptr;
  }
  return std::make_unique<DescriptorReader>(descriptor);
}

}  // namespace platform
