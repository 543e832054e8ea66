#include "version_info.h"

#include <windows.h>

#include <vector>

namespace wine_driver {

namespace {

std::array<unsigned, 4> Numbers(DWORD most, DWORD least) {
  return {HIWORD(most), LOWORD(most), HIWORD(least), LOWORD(least)};
}

// A value of the 040904B0 string table; empty when it is missing.
std::wstring StringValue(const std::vector<BYTE>& block, const wchar_t* name) {
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0) return {};
  // The length counts the terminating zero.
  return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

}  // namespace

std::optional<VersionInfo> ReadVersionInfo(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;

  void* fixed_value = nullptr;
  UINT fixed_length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &fixed_value, &fixed_length) ||
      fixed_length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(fixed_value);

  VersionInfo info;
  info.file_version = Numbers(fixed.dwFileVersionMS, fixed.dwFileVersionLS);
  info.product_version = Numbers(fixed.dwProductVersionMS, fixed.dwProductVersionLS);
  info.file_version_text = StringValue(block, L"FileVersion");
  info.product_version_text = StringValue(block, L"ProductVersion");
  info.product_name = StringValue(block, L"ProductName");
  info.file_description = StringValue(block, L"FileDescription");
  info.original_filename = StringValue(block, L"OriginalFilename");
  return info;
}

}  // namespace wine_driver
