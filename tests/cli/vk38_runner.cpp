#include "vk38_runner.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    const std::string line = err.substr(at, end - at);
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
