// The version resources of the built SetupTool.exe, vk38.exe and
// panel-sim.exe: what Explorer's Details tab shows must be the version the
// version box shows.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "program.h"
#include "version_info.h"
#include "window.h"

namespace wine_driver {
namespace {

TEST(VersionResourceTest, ExecutableCarriesTheVersionOfTheVersionBox) {
  const std::optional<VersionInfo> info = ReadVersionInfo(ProgramPath());
  ASSERT_TRUE(info) << "SetupTool.exe has no version resource";

  // The version box reads "TL-VK38 Setup Software Version 1.1.0.1".
  constexpr std::array<unsigned, 4> kVersion = {1, 1, 0, 1};
  EXPECT_EQ(info->file_version, kVersion);
  EXPECT_EQ(info->product_version, kVersion);
  EXPECT_EQ(info->file_version_text, L"1.1.0.1");
  EXPECT_EQ(info->product_version_text, L"1.1.0.1");

  EXPECT_EQ(info->product_name, L"TL-VK38 Setup Software");
  EXPECT_EQ(info->original_filename, L"SetupTool.exe");
  EXPECT_FALSE(info->file_description.empty());
}

TEST(VersionResourceTest, CompanionAndSimulatorCarryTheSameVersion) {
  // Built beside SetupTool.exe, and in its sim folder.
  const std::wstring program = ProgramPath();
  const std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
  for (const auto& [path, name] : {std::pair{folder + L"vk38.exe", L"vk38.exe"},
                                   std::pair{folder + L"sim\\panel-sim.exe", L"panel-sim.exe"}}) {
    SCOPED_TRACE(Narrow(path));
    const std::optional<VersionInfo> info = ReadVersionInfo(path);
    ASSERT_TRUE(info) << "no version resource";
    EXPECT_EQ(info->file_version, (std::array<unsigned, 4>{1, 1, 0, 1}));
    EXPECT_EQ(info->product_version_text, L"1.1.0.1");
    EXPECT_EQ(info->product_name, L"TL-VK38 Setup Software");
    EXPECT_EQ(info->original_filename, name);
    EXPECT_FALSE(info->file_description.empty());
  }
}

}  // namespace
}  // namespace wine_driver
