// Uploads a program image to a simulated panel with the operation that the
// upgrade page and vk38's `upgrade` call, and the same file with a bare loop
// of file reads and socket sends, and compares the two (best of three
// rounds each).
//   upload_bench [MiB]   (256 MiB by default)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "operations/firmware.h"
#include "platform/system.h"
#include "protocol/commands.h"
#include "protocol/panel_wire.h"
#include "sim/panel_simulator.h"
#include "support/private_network.h"
#include "throughput.h"

namespace {

constexpr protocol::PanelAddress kPanel = 0xC0A80009;

bool WriteImage(const std::string& path, std::uint64_t bytes) {
  std::ofstream out(path, std::ios::binary);
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131);
  for (std::uint64_t written = 0; written < bytes; written += block.size()) {
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
  }
  return static_cast<bool>(out);
}

// The same command and file through nothing but the socket and file calls.
bool RawUpload(platform::Network& network, platform::FileSystem& files, const std::string& path) {
  const auto socket = network.CreateStreamSocket(protocol::kPanelProgressLimit);
  const auto file = files.OpenForReading(path);
  if (!socket || !file || !socket->Connect(protocol::AddressText(kPanel), protocol::kPanelPort))
    return false;
  const std::string_view command = protocol::commands::kProgramUpgradeStart;
  socket->Send(reinterpret_cast<const std::uint8_t*>(command.data()), command.size());
  std::vector<std::uint8_t> buffer(protocol::kPanelBlockSize);
  socket->Receive(buffer.data(), buffer.size());  // the start reply
  for (;;) {
    const std::ptrdiff_t read = file->Read(buffer.data(), buffer.size());
    if (read <= 0) break;
    for (std::ptrdiff_t sent = 0; sent < read;) {
      const std::ptrdiff_t taken =
          socket->Send(buffer.data() + sent, static_cast<std::size_t>(read - sent));
      if (taken < 0) return false;
      sent += taken;
    }
  }
  // The panel's three reply lines come one by one once the image is in.
  for (int line = 0; line < 3; ++line) {
    if (socket->Receive(buffer.data(), buffer.size()) <= 0) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  const std::optional<std::uint64_t> bytes = bench::BenchBytes(argc, argv);
  if (!bytes) {
    std::fprintf(stderr, "usage: upload_bench [MiB]\n");
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
  simulator.Panel(kPanel).SetImageSize(*bytes);
  const std::string path = bench::ScratchPath("vk38-image-bench");
  if (!WriteImage(path, *bytes)) return 1;

  const protocol::PanelLink link{network, kPanel};
  const operations::OpenSource open = [&] { return files.OpenForReading(path); };

  double operationSeconds = 1e9;
  double rawSeconds = 1e9;
  for (int round = 0; round < bench::kRounds; ++round) {
    bool operationDone = false;
    operationSeconds = std::min(
        operationSeconds, bench::TimeSeconds([&] {
          operationDone = operations::SendImage(link, operations::Image::kProgram, open).Done();
        }));
    const auto stored = simulator.Panel(kPanel).ProgramImage().size();
    bool rawDone = false;
    rawSeconds = std::min(rawSeconds,
                          bench::TimeSeconds([&] { rawDone = RawUpload(network, files, path); }));
    if (!operationDone || stored != *bytes || !rawDone) {
      std::fprintf(stderr, "upload incomplete: panel stored %zu bytes\n", stored);
      std::filesystem::remove(path);
      return 1;
    }
  }
  std::filesystem::remove(path);
  bench::Report("program upload", *bytes, operationSeconds, rawSeconds, "SendImage");
  return 0;
}
