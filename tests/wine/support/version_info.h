// The version resource of an executable, as Explorer's Details tab reads it.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace wine_driver {

struct VersionInfo {
  // VS_FIXEDFILEINFO's numbers, most significant first.
  std::array<unsigned, 4> file_version{};
  std::array<unsigned, 4> product_version{};
  // The US English, Unicode string table.
  std::wstring file_version_text;
  std::wstring product_version_text;
  std::wstring product_name;
  std::wstring file_description;
  std::wstring original_filename;
};

// Nothing when the file has no version resource.
std::optional<VersionInfo> ReadVersionInfo(const std::wstring& path);

}  // namespace wine_driver
