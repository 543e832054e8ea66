// Runs the vk38 program as a user does, in the test's private network, and
// keeps what it printed and how it ended.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace cli_test {

struct Vk38Run {
  int exitCode = -1;
  std::string out;
  std::string err;
  std::chrono::milliseconds took{0};
};

// `input` is what standard input holds; standard output goes to `outputTo`
// when given (/dev/full, say), and is kept in the run otherwise.
Vk38Run RunVk38(const std::vector<std::string>& arguments, const std::string& input = "",
                const std::string& outputTo = "");

// Runs vk38 with the folder `disk` a file system of only `kib` KiB (a tmpfs
// in a mount namespace of its own, inside the test's private network),
// after the shell command `prepare` ran there. The disk's files are copied
// to `disk` itself afterwards, for the test to look at.
Vk38Run RunVk38OnSmallDisk(const std::vector<std::string>& arguments, const std::string& disk,
                           int kib, const std::string& prepare);

// A run that was sent `signal` after `after`: what it had printed by then,
// and how long it took to end from the signal on.
struct InterruptedRun {
  Vk38Run run;
  std::string outBeforeSignal;
  std::chrono::milliseconds endedAfterSignal{0};
};
InterruptedRun RunVk38AndSignal(const std::vector<std::string>& arguments,
                                std::chrono::milliseconds after, int signal);

// A run on a terminal of its own (a pseudo-terminal): `typed` is typed once
// `prompt` showed ("\x03" is Ctrl-C). What the terminal showed (standard
// output and error alike), how vk38 ended, and whether the terminal echoes
// again afterwards.
struct TerminalRun {
  int exitCode = -1;
  std::string shown;
  bool echoesAfterwards = false;
};
TerminalRun RunVk38OnTerminal(const std::vector<std::string>& arguments, const std::string& prompt,
                              const std::string& typed);

// The names in a folder, sorted.
std::vector<std::string> FileNames(const std::string& folder);

// A fresh empty folder for one test's files.
std::string FreshFolder(const std::string& name);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// The texts vk38 printed on standard error as "error: ", "warning: " and
// "question: " notices (each headed by its panel's address or not), in
// order; a text may span lines.
std::vector<std::string> Notices(const std::string& err);

}  // namespace cli_test
