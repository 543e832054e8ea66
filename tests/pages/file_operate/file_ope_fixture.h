// The File Operate page against the in-process simulator and a temporary
// folder, or against scripted peers and files for the failures a real panel
// and disk do not produce on demand.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pages/file_operate/file_ope.h"
#include "platform/system.h"
#include "resources/resource.h"
#include "sim/panel_simulator.h"
#include "support/fake_file_system.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace files_test {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

inline constexpr protocol::PanelAddress kPanel = 0xC0A80009;    // VK1, simulated
inline constexpr protocol::PanelAddress kNoPanel = 0xC0A80008;  // nothing listens there

inline std::string Line(const std::string& text) { return text + "\r\n" + '\0'; }

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// A block of `size` bytes whose first `summed` bytes add up to 0.
inline Bytes ZeroSumBlock(std::size_t size, std::size_t summed) {
  Bytes block(size);
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < summed; ++i) {
    block[i] = static_cast<std::uint8_t>(i * 31 + 7);
    sum += block[i];
  }
  if (summed > 0) block[summed - 1] = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
  for (std::size_t i = summed; i < size; ++i) block[i] = 0x5A;
  return block;
}

// With the simulator on VK1 and real files in a temporary folder.
struct FileOpeWithPanel : ::testing::Test {
  testing_support::ScriptedHost host;
  platform::SystemNetwork network;
  platform::SystemFileSystem files;
  rules::PanelAddressBook panels;
  CFile_Ope page{PageContext{host, ChosenPanel{network, panels}, files}};
  sim::PanelSimulator simulator{network, {kPanel}};
  std::filesystem::path folder;

  void SetUp() override {
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
    folder = std::filesystem::temp_directory_path() /
             ("file-ope-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  sim::SimulatedPanel& Panel() { return simulator.Panel(kPanel); }
  std::string PathOf(const char* name) { return (folder / name).string(); }
  Lines Press(int button) {
    host.boxes.clear();
    testing_support::Click(page, button);
    // The panel records a connection once the tool has closed it.
    return host.BoxTexts();
  }
  std::vector<Bytes> Received() { return Panel().Received(); }
};

// With scripted peers and in-memory files.
struct FileOpeScripted : ::testing::Test {
  testing_support::ScriptedHost host;
  testing_support::FakeNetwork network;
  testing_support::FakeFileSystem files;
  rules::PanelAddressBook panels;
  CFile_Ope page{PageContext{host, ChosenPanel{network, panels}, files}};

  Lines Press(int button) {
    host.boxes.clear();
    testing_support::Click(page, button);
    return host.BoxTexts();
  }
};

}  // namespace files_test
