#include "rules/camera_table_write.h"

#include <algorithm>
#include <cstdio>

#include "mac_field.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_words.h"

namespace rules {

namespace {

constexpr std::size_t kEntriesPerLine = 5;

bool Equal(protocol::ConstAddrField entry, const AddrCopy& copy) {
  return std::equal(entry.begin(), entry.end(), copy.begin());
}

std::string FirmwarePrompt(std::string_view version) {
  return "Please make sure that firmware version of TL-VK38\r\n(Remote Operation Panel) should "
         "be later than " +
         std::string(version) +
         "\r\nDo you execute connection?\r\nIf you are not sure, please select \"Cancel\".";
}

// Every entry (cameras, then the switcher) whose address is `address`.
std::vector<int> HoldersOf(const protocol::IpSettingRecord& table, protocol::PanelAddress address) {
  std::vector<int> holders;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (protocol::GetIp(table.CamAddr(c)) == address) holders.push_back(c);
  }
  if (protocol::GetIp(table.SwAddr()) == address) holders.push_back(kSwitcherEntry);
  return holders;
}

WriteNotice DuplicationNotice(const protocol::IpSettingRecord& table, protocol::PanelAddress panel,
                              protocol::ConstAddrField entry) {
  return {DuplicationText(entry), WriteNotice::Kind::kError,
          HoldersOf(table, protocol::GetIp(entry)), protocol::GetIp(entry) == panel};
}

// Every camera sharing its address gets its own notice; only the panel's
// own address stops the write.
bool CheckCameraDuplicates(const protocol::IpSettingRecord& table, protocol::PanelAddress panel,
                           std::vector<WriteNotice>& notices) {
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const protocol::ConstAddrField entry = table.CamAddr(c);
    const Duplicate result = IsDuplicate(table, panel, protocol::GetIp(entry), c);
    if (result == Duplicate::kFree) continue;
    notices.push_back(DuplicationNotice(table, panel, entry));
    if (result == Duplicate::kPanelAddress) return false;
  }
  return true;
}

// Every camera, whatever its type, then the switcher, five to a line.
bool CheckUsableAddresses(const protocol::IpSettingRecord& table,
                          std::vector<WriteNotice>& notices) {
  std::string text = "Unavailable network setting!\r\n";
  std::vector<int> listed;
  const auto list = [&](int entry, std::string_view label) {
    if (!listed.empty()) text += listed.size() % kEntriesPerLine == 0 ? "\r\n" : "/";
    text += ' ';
    text += label;
    listed.push_back(entry);
  };
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (!protocol::IsValidPanelAddress(protocol::GetIp(table.CamAddr(c)))) list(c, CameraLabel(c));
  }
  if (!protocol::IsValidPanelAddress(protocol::GetIp(table.SwAddr()))) list(kSwitcherEntry, "SW");
  if (listed.empty()) return true;
  notices.push_back({text, WriteNotice::Kind::kWarning, std::move(listed)});
  return false;
}

bool CheckSwitcherDuplicate(const protocol::IpSettingRecord& table, protocol::PanelAddress panel,
                            std::vector<WriteNotice>& notices) {
  const protocol::ConstAddrField entry = table.SwAddr();
  const Duplicate result = IsDuplicate(table, panel, protocol::GetIp(entry), kSwitcherEntry);
  if (result != Duplicate::kFree) notices.push_back(DuplicationNotice(table, panel, entry));
  return result != Duplicate::kPanelAddress;
}

}  // namespace

Duplicate IsDuplicate(const protocol::IpSettingRecord& table, protocol::PanelAddress panel,
                      protocol::PanelAddress address, int own) {
  if (address == panel) return Duplicate::kPanelAddress;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (c != own && protocol::GetIp(table.CamAddr(c)) == address) return Duplicate::kOtherEntry;
  }
  if (own != kSwitcherEntry && protocol::GetIp(table.SwAddr()) == address)
    return Duplicate::kOtherEntry;
  return Duplicate::kFree;
}

std::string DuplicationText(protocol::ConstAddrField address) {
  char text[40];
  std::snprintf(text, sizeof text, "IP(%d.%d.%d.%d) Duplication", address[0], address[1],
                address[2], address[3]);
  return text;
}

std::vector<int> FlaggedDuplicates(const protocol::IpSettingRecord& table) {
  std::vector<int> entries;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (table.CamFlags(c) & protocol::kDuplicateFlag) entries.push_back(c);
  }
  if (table.SwFlags() & protocol::kDuplicateFlag) entries.push_back(kSwitcherEntry);
  return entries;
}

AddressCheck CheckAddresses(const protocol::IpSettingRecord& table, protocol::PanelAddress panel) {
  AddressCheck check;
  check.proceeds = CheckCameraDuplicates(table, panel, check.notices) &&
                   CheckUsableAddresses(table, check.notices) &&
                   CheckSwitcherDuplicate(table, panel, check.notices);
  return check;
}

CameraAddrCopies CameraAddresses(const protocol::IpSettingRecord& table) {
  CameraAddrCopies copies{};
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const protocol::ConstAddrField entry = table.CamAddr(c);
    std::copy(entry.begin(), entry.end(), copies[static_cast<std::size_t>(c)].begin());
  }
  return copies;
}

AddrCopy SwitcherAddress(const protocol::IpSettingRecord& table) {
  AddrCopy copy{};
  const protocol::ConstAddrField entry = table.SwAddr();
  std::copy(entry.begin(), entry.end(), copy.begin());
  return copy;
}

protocol::IpSettingRecord PrepareForWrite(const protocol::IpSettingRecord& checked,
                                          const CameraAddrCopies& camAddrAtRead,
                                          const AddrCopy& swAddrAtRead) {
  protocol::IpSettingRecord table = checked;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (!IsNetworked(table.CamKind(c)) ||
        !Equal(table.CamAddr(c), camAddrAtRead[static_cast<std::size_t>(c)])) {
      ClearMac(table.CamMac(c));
    }
  }
  if (table.SwKind() == protocol::kSwitcherNoAsign || !Equal(table.SwAddr(), swAddrAtRead)) {
    ClearMac(table.SwMac());
  }
  return table;
}

std::vector<std::string> FirmwareQuestions(const protocol::IpSettingRecord& prepared) {
  const auto anyOf = [&](int first, int end, std::uint8_t wireKind) {
    for (int c = first; c < end; ++c) {
      if (prepared.CamKind(c) == wireKind) return true;
    }
    return false;
  };
  std::vector<std::string> questions;
  if (anyOf(0, protocol::kCamerasPerGroup, protocol::kWireCamDirect))
    questions.push_back(FirmwarePrompt("Ver2.20.00"));
  if (anyOf(0, protocol::kCameraCount, protocol::kWireIpDirect))
    questions.push_back(FirmwarePrompt("Ver3.30.00"));
  return questions;
}

}  // namespace rules
