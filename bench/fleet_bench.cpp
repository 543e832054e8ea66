// vk38's setup backup of a fleet of simulated panels (1,000 by default, on
// 127.0.x.y of the private network) against the backup of one panel: the
// fleet should take no more than ceil(panels / jobs) times one panel's
// time, and the run should add little memory. Then again with one panel in
// ten silent, which holds a job for the wait limit (--timeout) and no
// longer. Medians of the rounds. The panels answer at once, or after
// --answer-ms, as a panel across a network does.
//   fleet_bench [--panels N] [--jobs J] [--rounds R] [--timeout-ms T] [--answer-ms A]
// The memory figure is the growth of this process's peak resident size
// during the fleet's backup over its size before (Linux): vk38's threads,
// sessions and outputs, and the simulator's side of the connections too.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "commands/setup/setup_backup.h"
#include "platform/system.h"
#include "run/run_on_panels.h"
#include "sim/panel_simulator.h"
#include "support/private_network.h"

namespace {

struct Options {
  int panels = 1000;
  int jobs = 64;
  int rounds = 5;
  std::chrono::milliseconds timeout{1000};
  std::chrono::milliseconds answer{0};
};

std::optional<Options> ReadOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    char* end = nullptr;
    const long value = std::strtol(argv[i + 1], &end, 10);
    if (*end != '\0' || value < 0 || value > 60000) return std::nullopt;
    if (name == "--answer-ms") {
      options.answer = std::chrono::milliseconds(value);
    } else if (value == 0) {
      return std::nullopt;
    } else if (name == "--panels") {
      options.panels = static_cast<int>(std::min(value, 65000L));
    } else if (name == "--jobs") {
      options.jobs = static_cast<int>(value);
    } else if (name == "--rounds") {
      options.rounds = static_cast<int>(value);
    } else if (name == "--timeout-ms") {
      options.timeout = std::chrono::milliseconds(value);
    } else {
      return std::nullopt;
    }
  }
  if (argc % 2 == 0) return std::nullopt;
  return options;
}

// 127.0.0.2, 127.0.0.3, ... as many as asked, skipping the .0 and .255 of
// every third byte.
std::vector<protocol::PanelAddress> FleetAddresses(int count) {
  std::vector<protocol::PanelAddress> addresses;
  for (protocol::PanelAddress address = 0x7F000002;
       addresses.size() < static_cast<std::size_t>(count); ++address) {
    const auto last = address & 0xFF;
    if (last != 0 && last != 0xFF) addresses.push_back(address);
  }
  return addresses;
}

std::vector<cli::Panel> Unnamed(const std::vector<protocol::PanelAddress>& addresses) {
  std::vector<cli::Panel> panels;
  for (const protocol::PanelAddress address : addresses) panels.push_back({.address = address});
  return panels;
}

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); 0 when unknown.
long StatusKib(std::string_view field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(std::string(field) + ":", 0) == 0)
      return std::atol(line.c_str() + field.size() + 1);
  }
  return 0;
}

// Starts a new peak of the resident size at the present size.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Backups {
  const cli::RunContext& context;
  std::filesystem::path folder;
  int rounds;

  // The median time of the rounds; nothing when a run did not end with
  // `expected`.
  std::optional<double> Seconds(const std::vector<cli::Panel>& panels, int expected) const {
    std::vector<double> seconds;
    for (int round = 0; round < rounds; ++round) {
      std::filesystem::remove_all(folder);
      const auto start = std::chrono::steady_clock::now();
      const int code = cli::SetupBackup(context, panels, folder.string());
      seconds.push_back(
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (code != expected) return std::nullopt;
    }
    return Median(seconds);
  }
};

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  const std::optional<Options> options = ReadOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: fleet_bench [--panels N] [--jobs J] [--rounds R] [--timeout-ms T] "
                 "[--answer-ms A]\n");
    return 2;
  }
  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network, FleetAddresses(options->panels)};
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "fleet_bench: %s\n", error.c_str());
    return 1;
  }
  const std::unique_ptr<cli::Machine> machine = cli::StartMachine();
  std::FILE* quiet = std::fopen("/dev/null", "w");
  cli::RunContext context{.machine = *machine};
  context.jobs = options->jobs;
  context.report = quiet;
  context.waits.progress = options->timeout;
  const Backups backups{
      context, std::filesystem::temp_directory_path() / ("fleet_bench-" + std::to_string(getpid())),
      options->rounds};
  const std::vector<cli::Panel> fleet = Unnamed(simulator.Addresses());
  constexpr std::string_view kBackupCommand = "VK38 SETTING REQ";
  for (const cli::Panel& panel : fleet) {
    simulator.Panel(panel.address).SetFault(kBackupCommand, {.delay = options->answer});
  }

  const std::optional<double> one = backups.Seconds({fleet.front()}, cli::kExitSuccess);
  const long before = StatusKib("VmRSS");
  ResetPeakMemory();
  const std::optional<double> all = backups.Seconds(fleet, cli::kExitSuccess);
  const long added = StatusKib("VmHWM") - before;

  int silent = 0;
  for (std::size_t i = 0; i < fleet.size(); i += 10, ++silent) {
    simulator.Panel(fleet[i].address)
        .SetFault(kBackupCommand, {.delay = options->answer, .silentAfter = 0});
  }
  const std::optional<double> withSilent = backups.Seconds(fleet, cli::kExitPanelFailed);
  std::filesystem::remove_all(backups.folder);
  std::fclose(quiet);
  if (!one || !all || !withSilent) {
    std::fprintf(stderr, "fleet_bench: a backup did not end as it should\n");
    return 1;
  }

  const int waves = CeilDiv(options->panels, options->jobs);
  const double bound = waves * *one;
  const double silentBound = bound + CeilDiv(silent, options->jobs) *
                                         std::chrono::duration<double>(options->timeout).count();
  std::printf("setup backup, %d jobs, panels answering after %lld ms, median of %d rounds\n",
              options->jobs, static_cast<long long>(options->answer.count()), options->rounds);
  std::printf("1 panel: %.1f ms\n", *one * 1000);
  std::printf("%d panels: %.1f ms (%.2f of %d x 1 panel)\n", options->panels, *all * 1000,
              *all / bound, waves);
  std::printf("memory added: %.1f MiB\n", static_cast<double>(added) / 1024);
  std::printf("%d of %d silent: %.1f ms (%.2f of %d x 1 panel + %d x %lld ms)\n", silent,
              options->panels, *withSilent * 1000, *withSilent / silentBound, waves,
              CeilDiv(silent, options->jobs), static_cast<long long>(options->timeout.count()));
  return 0;
}
