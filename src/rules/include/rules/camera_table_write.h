// The rules of a camera table write, shared by every front end that writes a
// table to a panel (the Setting page's SET and vk38's "table set"): the
// address tests with their texts, the preparation of the record (the MAC
// rule) and the firmware questions. They decide; the
// caller shows the texts its own way and asks the questions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/ip_setting_record.h"
#include "protocol/panel_address.h"

namespace rules {

// What IsDuplicate finds for an address (the values -1, -2 and 0).
enum class Duplicate { kPanelAddress = -1, kOtherEntry = -2, kFree = 0 };
// The entry index of the switcher in IsDuplicate; cameras are 0 to 99.
inline constexpr int kSwitcherEntry = protocol::kCameraCount;

// Whether `address` is the panel's own or held by another entry of the
// table than entry `own`.
Duplicate IsDuplicate(const protocol::IpSettingRecord& table, protocol::PanelAddress panel,
                      protocol::PanelAddress address, int own);

// "IP(a.b.c.d) Duplication" for an address entry.
std::string DuplicationText(protocol::ConstAddrField address);

// The entries whose duplicate flag the panel set in a keep proposal, in the
// order their notices are told: cameras 0 to 99, then kSwitcherEntry.
std::vector<int> FlaggedDuplicates(const protocol::IpSettingRecord& table);

// A message of the address tests: a duplication shows as an error, the
// list of unusable addresses as a warning. `entries` names the entries the
// notice is about, for a front end that names them beside the text (the
// page shows the text alone): for a duplication every entry holding the
// address, in table order, and `panel` when the panel holds it too; for the
// unusable list the entries listed.
struct WriteNotice {
  enum class Kind { kError, kWarning };
  std::string text;
  Kind kind;
  std::vector<int> entries{};
  bool panel = false;
  bool operator==(const WriteNotice&) const = default;
};

// The address tests of a write, in the order they run: every camera whose
// address another entry holds, the addresses that cannot be used, the
// switcher's address. The notices are shown in order; when `proceeds` is
// false the write stops after the last of them.
struct AddressCheck {
  std::vector<WriteNotice> notices;
  bool proceeds = true;
};
// `panel` is the address the write goes to.
AddressCheck CheckAddresses(const protocol::IpSettingRecord& table, protocol::PanelAddress panel);

// Copies of address entries (address and port), as read from the panel.
using AddrCopy = std::array<std::uint8_t, protocol::IpSettingRecord::kAddrSize>;
using CameraAddrCopies = std::array<AddrCopy, protocol::kCameraCount>;
CameraAddrCopies CameraAddresses(const protocol::IpSettingRecord& table);
AddrCopy SwitcherAddress(const protocol::IpSettingRecord& table);

// The table to send for a checked one: a MAC address stays only for a
// networked camera, or a switcher in use, whose address and port are still
// those read from the panel. The checksum is not set.
protocol::IpSettingRecord PrepareForWrite(const protocol::IpSettingRecord& checked,
                                          const CameraAddrCopies& camAddrAtRead,
                                          const AddrCopy& swAddrAtRead);

// The questions a prepared table needs answered with OK before
// it may be written, in the order they are asked; the first one answered
// otherwise ends the write.
std::vector<std::string> FirmwareQuestions(const protocol::IpSettingRecord& prepared);

}  // namespace rules
