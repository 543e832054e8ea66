#include "in_process.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "command_line/vk38_app.h"

namespace cli_test {

namespace {

// One standard stream sent to a temporary file for this object's lifetime.
class CaughtStream {
 public:
  CaughtStream(std::FILE* stream, int fd) : stream_(stream), fd_(fd), file_(std::tmpfile()) {
    std::fflush(stream_);
    saved_ = ::dup(fd_);
    ::dup2(::fileno(file_), fd_);
  }
  ~CaughtStream() {
    Restore();
    std::fclose(file_);
  }
  CaughtStream(const CaughtStream&) = delete;
  CaughtStream& operator=(const CaughtStream&) = delete;

  // What the stream took; the stream is itself again.
  std::string Text() {
    Restore();
    std::string text;
    std::rewind(file_);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) {
      text.append(buffer, got);
    }
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stream_);
    ::dup2(saved_, fd_);
    ::close(saved_);
    saved_ = -1;
  }

  std::FILE* stream_;
  int fd_;
  std::FILE* file_;
  int saved_ = -1;
};

}  // namespace

Vk38Run RunInProcess(cli::Machine& machine, const std::vector<std::string>& arguments) {
  std::vector<const char*> argv = {"vk38"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  Vk38Run run;
  const auto started = std::chrono::steady_clock::now();
  CaughtStream out(stdout, STDOUT_FILENO);
  CaughtStream err(stderr, STDERR_FILENO);
  run.exitCode = cli::RunVk38(static_cast<int>(argv.size()), argv.data(), machine);
  run.err = err.Text();
  run.out = out.Text();
  run.took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  return run;
}

}  // namespace cli_test
