// A console without a terminal for programs run in a test: the descriptors
// it was "started with" hold what the test scripts, and any other is not
// open.
#pragma once

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/console.h"
#include "platform/memory_file.h"

namespace testing_support {

class FakeConsole : public platform::Console {
 public:
  // What each descriptor holds (0: standard input).
  std::map<int, std::string> descriptors;

  bool ErrorsOnTerminal() const override { return false; }
  bool InputOnTerminal() const override { return false; }
  std::optional<std::string> ReadTerminalLine(const std::string&, platform::Echo,
                                              const platform::StopSignal&) override {
    return std::nullopt;
  }
  std::unique_ptr<platform::ReadableFile> Descriptor(int descriptor) override {
    const auto held = descriptors.find(descriptor);
    if (held == descriptors.end()) return nullptr;
    const std::string& text = held->second;
    return platform::ReaderOf(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  std::string LastFailure() const override { return std::strerror(EBADF); }
};

}  // namespace testing_support
