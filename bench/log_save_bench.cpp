// Saves a 256 MiB log from a simulated panel through the File Operate
// page's own code, and the same log with a bare loop of socket receives and
// file writes, and compares the two (best of three rounds each).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "files/file_ope.h"
#include "link/panel_session.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_network.h"
#include "resources/resource.h"
#include "sim/panel_simulator.h"
#include "support/private_network.h"
#include "support/scripted_host.h"
#include "throughput.h"

namespace {

constexpr PanelAddress kPanel = 0xC0A80009;

// The same request and bytes through nothing but the socket and file calls.
std::uint64_t RawFetch(platform::Network& network, platform::FileSystem& files,
                       const std::string& path) {
  const auto socket = network.CreateStreamSocket(kPanelProgressLimit);
  const auto file = files.CreateForWriting(path);
  if (!socket || !file || !socket->Connect(AddressText(kPanel), kPanelPort)) return 0;
  const std::string command = "VK38 LOG REQ\r\n";
  socket->Send(reinterpret_cast<const std::uint8_t*>(command.data()), command.size());
  std::vector<std::uint8_t> buffer(kPanelBlockSize);
  std::uint64_t total = 0;
  for (;;) {
    const std::ptrdiff_t got = socket->Receive(buffer.data(), buffer.size());
    if (got <= 0) return file->Close() ? total : 0;
    if (!file->Write(buffer.data(), static_cast<std::size_t>(got))) return 0;
    total += static_cast<std::uint64_t>(got);
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  sim::PanelSimulator simulator{{kPanel}};
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "simulator: %s\n", error.c_str());
    return 1;
  }
  simulator.Panel(kPanel).SetLog({.size = bench::kBenchBytes, .piece = 64 * 1024});

  testing_support::ScriptedHost host;
  platform::PosixNetwork network;
  platform::PosixFileSystem files;
  PanelAddressBook panels;
  CFile_Ope page{PageContext{host, PanelLink{network, panels}, files}};
  const std::string path = bench::ScratchPath("vk38-log-bench");

  double pageSeconds = 1e9;
  double rawSeconds = 1e9;
  for (int round = 0; round < bench::kRounds; ++round) {
    host.boxes.clear();
    host.AnswerNextFileDialog(path);
    pageSeconds = std::min(pageSeconds, bench::TimeSeconds([&] {
                             page.Notify(IDC_LOG_SAVE, ui::Notification::kClicked);
                           }));
    const auto saved = std::filesystem::file_size(path);
    std::filesystem::remove(path);
    std::uint64_t raw = 0;
    rawSeconds =
        std::min(rawSeconds, bench::TimeSeconds([&] { raw = RawFetch(network, files, path); }));
    std::filesystem::remove(path);
    if (host.BoxTexts() != std::vector<std::string>{"Save OK!!"} || saved != bench::kBenchBytes ||
        raw != bench::kBenchBytes) {
      std::fprintf(stderr, "transfer incomplete: saved %llu, raw %llu bytes\n",
                   static_cast<unsigned long long>(saved), static_cast<unsigned long long>(raw));
      return 1;
    }
  }
  bench::Report("log save", bench::kBenchBytes, pageSeconds, rawSeconds);
  return 0;
}
