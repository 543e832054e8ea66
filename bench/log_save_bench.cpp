// Saves a log from a simulated panel with the operation that the File
// Operate page and vk38's `log save` call, and the same log with a bare loop
// of socket receives and file writes, and compares the two (best of three
// rounds each).
//   log_save_bench [MiB]   (256 MiB by default)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "operations/panel_log.h"
#include "platform/system.h"
#include "protocol/commands.h"
#include "protocol/panel_wire.h"
#include "sim/panel_simulator.h"
#include "support/private_network.h"
#include "throughput.h"

namespace {

constexpr protocol::PanelAddress kPanel = 0xC0A80009;

// The same request and bytes through nothing but the socket and file calls.
std::uint64_t RawFetch(platform::Network& network, platform::FileSystem& files,
                       const std::string& path) {
  const auto socket = network.CreateStreamSocket(protocol::kPanelProgressLimit);
  const auto file = files.CreateForWriting(path);
  if (!socket || !file || !socket->Connect(protocol::AddressText(kPanel), protocol::kPanelPort))
    return 0;
  socket->Send(reinterpret_cast<const std::uint8_t*>(protocol::commands::kLogRequest.data()),
               protocol::commands::kLogRequest.size());
  std::vector<std::uint8_t> buffer(protocol::kPanelBlockSize);
  std::uint64_t total = 0;
  for (;;) {
    const std::ptrdiff_t got = socket->Receive(buffer.data(), buffer.size());
    if (got <= 0) return file->Close() ? total : 0;
    if (!file->Write(buffer.data(), static_cast<std::size_t>(got))) return 0;
    total += static_cast<std::uint64_t>(got);
  }
}

// The log through operations::SaveLog, as the page and vk38 save it; the
// bytes that arrived, or 0 when the operation did not end well.
std::uint64_t OperationFetch(const protocol::PanelLink& link, platform::FileSystem& files,
                             const std::string& path) {
  std::uint64_t total = 0;
  const operations::Outcome outcome = operations::SaveLog(
      link, [&] { return files.CreateForWriting(path); },
      [&](std::uint64_t bytes) { total = bytes; });
  return outcome.Done() ? total : 0;
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  const std::optional<std::uint64_t> bytes = bench::BenchBytes(argc, argv);
  if (!bytes) {
    std::fprintf(stderr, "usage: log_save_bench [MiB]\n");
    return 2;
  }
  platform::SystemNetwork network;
  platform::SystemFileSystem files;
  sim::PanelSimulator simulator{network, {kPanel}};
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "simulator: %s\n", error.c_str());
    return 1;
  }
  simulator.Panel(kPanel).SetLog({.size = *bytes, .piece = 64 * 1024});

  const protocol::PanelLink link{network, kPanel};
  const std::string path = bench::ScratchPath("vk38-log-bench");

  double operationSeconds = 1e9;
  double rawSeconds = 1e9;
  for (int round = 0; round < bench::kRounds; ++round) {
    std::uint64_t saved = 0;
    operationSeconds = std::min(
        operationSeconds, bench::TimeSeconds([&] { saved = OperationFetch(link, files, path); }));
    std::filesystem::remove(path);
    std::uint64_t raw = 0;
    rawSeconds =
        std::min(rawSeconds, bench::TimeSeconds([&] { raw = RawFetch(network, files, path); }));
    std::filesystem::remove(path);
    if (saved != *bytes || raw != *bytes) {
      std::fprintf(stderr, "transfer incomplete: saved %llu, raw %llu bytes\n",
                   static_cast<unsigned long long>(saved), static_cast<unsigned long long>(raw));
      return 1;
    }
  }
  bench::Report("log save", *bytes, operationSeconds, rawSeconds, "SaveLog");
  return 0;
}
