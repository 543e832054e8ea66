// The panel's credential record, 68 bytes, the same in both directions:
// user name at 0 and password at 33 (NUL-terminated, at most 32 characters
// each), the zero-sum checksum at 66 and a spare byte at 67.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace protocol {

// The pair every panel holds when it leaves the factory; the tool always
// accepts it as the old pair.
inline constexpr std::string_view kFactoryUserName = "staff";
inline constexpr std::string_view kFactoryPassword = "48213";

class CredentialRecord {
 public:
  static constexpr std::size_t kSize = 68;
  static constexpr std::size_t kFieldSize = 33;
  static constexpr std::size_t kUserNameAt = 0;
  static constexpr std::size_t kPasswordAt = 33;
  static constexpr std::size_t kChecksumAt = 66;

  // The field's text up to its NUL; nothing when its bytes hold no NUL.
  std::optional<std::string> UserName() const { return Field(kUserNameAt); }
  std::optional<std::string> Password() const { return Field(kPasswordAt); }

  // Writes the characters and a NUL; the rest of the field keeps its bytes.
  // Texts longer than 32 characters are cut to fit the field.
  void SetUserName(std::string_view name) { SetField(kUserNameAt, name); }
  void SetPassword(std::string_view password) { SetField(kPasswordAt, password); }
  void UpdateChecksum();

  // Copies a received block over the start of the record.
  void Overwrite(std::span<const std::uint8_t> block);

  std::span<const std::uint8_t, kSize> Bytes() const { return bytes_; }
  bool operator==(const CredentialRecord&) const = default;

 private:
  std::optional<std::string> Field(std::size_t at) const;
  void SetField(std::size_t at, std::string_view text);

  std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace protocol
