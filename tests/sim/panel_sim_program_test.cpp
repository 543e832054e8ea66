// The panel-sim program: started as a child process, steered through its
// control channel and ended with SIGTERM; its help, which its man page is
// made from. POSIX only: it forks.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "raw_client.h"

namespace {

using namespace std::chrono_literals;

// The program on a spare address of the private network, so that it never
// meets the in-process simulators of other tests.
class PanelSimProgram : public ::testing::Test {
 protected:
  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  // Starts the program and reads its standard output up to "ready".
  std::string Launch() {
    int out[2];
    if (pipe(out) != 0) return "";
    pid = fork();
    if (pid == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execl(PANEL_SIM_PROGRAM, PANEL_SIM_PROGRAM, "--address", "192.168.0.8", "--control-port",
            "35698", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    std::string said;
    char c;
    while (said.find('\n') == std::string::npos && read(out[0], &c, 1) == 1) said += c;
    close(out[0]);
    return said;
  }

  // Runs one control command through the channel.
  std::string Control(std::string_view line) {
    RawClient channel(0x7F000001, 35698);
    channel.Send(std::string(line) + "\n");
    std::string answer;
    while (answer.find("OK\n") == std::string::npos && answer.find("ERR") == std::string::npos) {
      const std::string more = channel.ReceiveCount(1);
      if (more.empty()) break;
      answer += more;
    }
    return answer;
  }

  pid_t pid = -1;
};

TEST_F(PanelSimProgram, ServesItsPanelIsSteeredAndEndsOnSigterm) {
  ASSERT_EQ(Launch(), "panel-sim ready\n");
  EXPECT_EQ(Control("panels"), "panel 192.168.0.8\nOK\n");
  EXPECT_EQ(Control("fault 192.168.0.8 oversize 100 VK38 AUTH SETTING REQ"), "OK\n");

  RawClient client(0xC0A80008);
  client.Send("VK38 AUTH SETTING REQ\r\n");
  EXPECT_EQ(client.ReceiveAll().size(), 100u);

  kill(pid, SIGTERM);
  int status = 0;
  const auto start = std::chrono::steady_clock::now();
  while (waitpid(pid, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() - start < 5s) {
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_TRUE(WIFEXITED(status)) << "still running or killed";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  pid = -1;
}

// What the program printed on standard output and error, and its exit code.
std::pair<std::string, int> RunPanelSim(const std::string& arguments) {
  const std::string command = std::string(PANEL_SIM_PROGRAM) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {"", -1};
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    out.append(buffer, got);
  }
  const int status = pclose(pipe);
  return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(PanelSimHelp, DescribesEveryOptionWithinEightyColumnsAndEndsWell) {
  const auto [help, exitCode] = RunPanelSim("--help");
  EXPECT_EQ(exitCode, 0);
  for (const char* told : {"--address A", "--control-port N", "--help", "--version", "127.0.0.2",
                           "192.168.0.9", "unshare", "Examples:", "Exit status:"}) {
    EXPECT_NE(help.find(told), std::string::npos) << told;
  }
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;

  EXPECT_EQ(RunPanelSim("--version"), (std::pair<std::string, int>{"panel-sim 1.1.0.1\n", 0}));
  const auto [mistake, mistakeCode] = RunPanelSim("--adress 127.0.0.2");
  EXPECT_EQ(mistakeCode, 2);
  EXPECT_NE(mistake.find("panel-sim --help"), std::string::npos) << mistake;
}

}  // namespace
