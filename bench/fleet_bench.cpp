// Backs up the setup of 64 simulated panels with vk38's concurrency, and in
// the same run the setup of one panel, and compares the two (best of three
// rounds each). The panels listen on 127.0.0.2 to 127.0.0.65 of the private
// network. Twice: with panels that answer at once (what the machine's two
// cores cost) and with panels that take 100 ms to answer, as a panel across
// a network does (what concurrency hides).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "cli/subcommands.h"
#include "platform/system.h"
#include "sim/panel_simulator.h"
#include "support/private_network.h"

namespace {

constexpr int kFleetSize = 64;
constexpr int kRounds = 3;
constexpr std::chrono::milliseconds kPanelAnswerTime{100};

std::vector<protocol::PanelAddress> FleetAddresses() {
  std::vector<protocol::PanelAddress> addresses;
  for (int i = 0; i < kFleetSize; ++i)
    addresses.push_back(0x7F000002 + static_cast<protocol::PanelAddress>(i));
  return addresses;
}

std::vector<cli::Panel> Unnamed(const std::vector<protocol::PanelAddress>& addresses) {
  std::vector<cli::Panel> panels;
  for (const protocol::PanelAddress address : addresses) panels.push_back({.address = address});
  return panels;
}

// The best time of the rounds for a backup of `panels`; negative on a failure.
double BestBackupSeconds(const cli::RunContext& context, const std::vector<cli::Panel>& panels,
                         const std::filesystem::path& folder) {
  double best = -1;
  for (int round = 0; round < kRounds; ++round) {
    std::filesystem::remove_all(folder);
    const auto start = std::chrono::steady_clock::now();
    const int code = cli::SetupBackup(context, panels, folder.string());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (code != cli::kExitSuccess) return -1;
    if (best < 0 || took.count() < best) best = took.count();
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network, FleetAddresses()};
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "fleet_bench: %s\n", error.c_str());
    return 1;
  }
  const std::unique_ptr<cli::Machine> machine = cli::StartMachine();
  std::FILE* quiet = std::fopen("/dev/null", "w");
  cli::RunContext context{.machine = *machine};
  context.jobs = kFleetSize;
  context.report = quiet;

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("fleet_bench-" + std::to_string(getpid()));
  for (const std::chrono::milliseconds answer : {std::chrono::milliseconds(0), kPanelAnswerTime}) {
    for (protocol::PanelAddress address : simulator.Addresses()) {
      simulator.Panel(address).SetFault("VK38 SETTING REQ", {.delay = answer});
    }
    const double one = BestBackupSeconds(context, Unnamed({simulator.Addresses().front()}), folder);
    const double fleet = BestBackupSeconds(context, Unnamed(simulator.Addresses()), folder);
    if (one < 0 || fleet < 0) {
      std::fprintf(stderr, "fleet_bench: a backup failed\n");
      return 1;
    }
    std::printf("panels answering after %lld ms:\n", static_cast<long long>(answer.count()));
    std::printf("  setup backup, 1 panel:   %8.1f ms\n", one * 1000);
    std::printf("  setup backup, %d panels: %8.1f ms (%d at once)\n", kFleetSize, fleet * 1000,
                context.jobs);
    std::printf("  ratio %d panels / 1 panel: %.2f\n", kFleetSize, fleet / one);
  }
  std::filesystem::remove_all(folder);
  std::fclose(quiet);
  return 0;
}
