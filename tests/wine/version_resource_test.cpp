// The version resource of the built SetupTool.exe: what Explorer's Details
// tab shows must be the version the version box shows.
#include <gtest/gtest.h>

#include "program.h"
#include "version_info.h"

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

}  // namespace
}  // namespace wine_driver
