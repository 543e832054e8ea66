// The console of a command-line program: whether a person is watching its
// standard error and can answer on its standard input, a line typed at the
// terminal (without echo for a password), and the descriptors it was
// started with (standard input, and others a script hands over) to read
// from like files.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/stop_signal.h"

namespace platform {

enum class Echo { kShown, kHidden };

class Console {
 public:
  virtual ~Console() = default;
  // True when standard error is a terminal (progress is shown there).
  virtual bool ErrorsOnTerminal() const = 0;
  // True when standard input is a terminal (a person can answer there).
  virtual bool InputOnTerminal() const = 0;
  // A line typed at the terminal after `prompt` on standard error, shown or
  // not as it is typed; nothing when standard input is not a terminal, is at
  // its end, or `stop` is raised meanwhile. The terminal is left as it was
  // found.
  virtual std::optional<std::string> ReadTerminalLine(const std::string& prompt, Echo echo,
                                                      const StopSignal& stop) = 0;
  // The descriptor `descriptor` the program was started with (0: standard
  // input), read like a file; nothing when it is not open (LastFailure
  // says why). It is not closed with the file.
  virtual std::unique_ptr<ReadableFile> Descriptor(int descriptor) = 0;
  virtual std::string LastFailure() const = 0;
};

// The program's own console. Made once, before any output: it sets up the
// standard streams for a command-line program (binary on Windows, so that
// tables, blocks and logs pass byte for byte; a reader that went away is a
// write that fails on POSIX, not the end of the program).
class SystemConsole : public Console {
 public:
  SystemConsole();
  bool ErrorsOnTerminal() const override;
  bool InputOnTerminal() const override;
  std::optional<std::string> ReadTerminalLine(const std::string& prompt, Echo echo,
                                              const StopSignal& stop) override;
  std::unique_ptr<ReadableFile> Descriptor(int descriptor) override;
  std::string LastFailure() const override { return failure_; }

 private:
  std::string failure_;
};

}  // namespace platform
