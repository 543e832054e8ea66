#include "vk38_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace cli_test {

namespace {

std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string FreshFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("vk38-test-" + std::to_string(getpid()) + "-" + name);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

namespace {

// Runs `command` (which leaves vk38's streams in `folder`) through the shell.
Vk38Run RunShell(const std::string& command, const std::string& folder) {
  Vk38Run run;
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system(command.c_str());
  run.took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadText(folder + "/out");
  run.err = ReadText(folder + "/err");
  return run;
}

// The program with its arguments and streams, as a shell command.
std::string Vk38Command(const std::vector<std::string>& arguments, const std::string& folder,
                        const std::string& outputTo) {
  std::string command = Quoted(VK38_PROGRAM);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  return command + " >" + Quoted(outputTo.empty() ? folder + "/out" : outputTo) + " 2>" + folder +
         "/err <" + folder + "/in";
}

}  // namespace

Vk38Run RunVk38(const std::vector<std::string>& arguments, const std::string& input,
                const std::string& outputTo) {
  const std::string folder = FreshFolder("run");
  WriteText(folder + "/in", input);
  return RunShell(Vk38Command(arguments, folder, outputTo), folder);
}

Vk38Run RunVk38OnSmallDisk(const std::vector<std::string>& arguments, const std::string& disk,
                           int kib, const std::string& prepare) {
  const std::string folder = FreshFolder("run");
  WriteText(folder + "/in", "");
  const std::string saved = folder + "/disk";
  const std::string script = "mount -t tmpfs -o size=" + std::to_string(kib) + "k tmpfs " +
                             Quoted(disk) + " && cd " + Quoted(disk) + " && " + prepare + " && " +
                             Vk38Command(arguments, folder, "") + "; code=$?; cp -a . " +
                             Quoted(saved) + "; exit $code";
  std::filesystem::create_directories(saved);
  Vk38Run run = RunShell("unshare --mount sh -c " + Quoted(script), folder);
  std::filesystem::copy(saved, disk, std::filesystem::copy_options::recursive);
  return run;
}

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Argv(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return argv;
}

// The exit code of a child that ended, -1 when a signal ended it.
int WaitForExit(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

InterruptedRun RunVk38AndSignal(const std::vector<std::string>& arguments,
                                std::chrono::milliseconds after, int signal) {
  const std::string folder = FreshFolder("signalled");
  const std::string out = folder + "/out", err = folder + "/err";
  posix_spawn_file_actions_t streams;
  posix_spawn_file_actions_init(&streams);
  posix_spawn_file_actions_addopen(&streams, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&streams, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&streams, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> words = {VK38_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = Argv(words);
  pid_t child = 0;
  InterruptedRun result;
  const Clock::time_point start = Clock::now();
  if (posix_spawn(&child, VK38_PROGRAM, &streams, nullptr, argv.data(), environ) != 0) {
    return result;
  }
  posix_spawn_file_actions_destroy(&streams);
  std::this_thread::sleep_for(after);
  result.outBeforeSignal = ReadText(out);
  const Clock::time_point signalled = Clock::now();
  kill(child, signal);
  result.run.exitCode = WaitForExit(child);
  result.endedAfterSignal =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - signalled);
  result.run.took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  result.run.out = ReadText(out);
  result.run.err = ReadText(err);
  return result;
}

namespace {

// What the terminal shows within `limit`: until `until` shows, or with none
// until the program closed it.
std::string ReadShown(int master, const std::string& until, std::chrono::milliseconds limit) {
  std::string shown;
  const Clock::time_point deadline = Clock::now() + limit;
  while ((until.empty() || shown.find(until) == std::string::npos) && Clock::now() < deadline) {
    pollfd watched{master, POLLIN, 0};
    if (poll(&watched, 1, 50) <= 0) continue;
    char buffer[256];
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got <= 0) break;
    shown.append(buffer, static_cast<std::size_t>(got));
  }
  return shown;
}

}  // namespace

TerminalRun RunVk38OnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                              const std::string& typed) {
  std::vector<std::string> words = {VK38_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = Argv(words);
  TerminalRun result;
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child < 0) return result;
  if (child == 0) {
    execv(VK38_PROGRAM, argv.data());
    _exit(127);
  }
  result.shown = ReadShown(master, prompt, std::chrono::seconds(10));
  // The terminal turns Ctrl-C (3) into SIGINT.
  if (write(master, typed.data(), typed.size()) != static_cast<ssize_t>(typed.size())) {
    kill(child, SIGKILL);
  }
  result.shown += ReadShown(master, "", std::chrono::seconds(20));
  result.exitCode = WaitForExit(child);
  termios mode{};
  result.echoesAfterwards = tcgetattr(master, &mode) == 0 && (mode.c_lflag & ECHO) != 0;
  close(master);
  return result;
}

std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Notices(const std::string& err) {
  std::vector<std::string> notices;
  std::size_t at = 0;
  while (at < err.size()) {
    std::size_t end = err.find('\n', at);
    if (end == std::string::npos) end = err.size();
    std::string line = err.substr(at, end - at);
    // A notice is headed by its panel's address.
    const std::size_t head = line.find(": ");
    if (head != std::string::npos && head > 0 && line.find_first_not_of("0123456789.") == head) {
      line.erase(0, head + 2);
    }
    const bool starts = line.starts_with("error: ") || line.starts_with("warning: ") ||
                        line.starts_with("question: ");
    if (starts) {
      notices.push_back(line.substr(line.find(": ") + 2));
    } else if (!notices.empty() && !line.starts_with("vk38")) {
      notices.back() += "\n" + line;
    }
    at = end + 1;
  }
  return notices;
}

}  // namespace cli_test
