// Writing the camera table to the panel (SET): the address tests, the
// preparation of the record, the firmware questions and the exchange.
#include <algorithm>
#include <string>

#include "pages/common/panel_exchange.h"
#include "pages/setting/ip_setting.h"
#include "protocol/commands.h"
#include "protocol/panel_address.h"

namespace {

constexpr std::size_t kEntriesPerLine = 5;

bool IsNetworked(std::uint8_t pageKind) {
  return pageKind == kPageNetwork || pageKind == kPageIpDirect;
}

void ClearMac(MacField mac) { std::fill(mac.begin(), mac.end(), std::uint8_t{0}); }

std::string FirmwarePrompt(std::string_view version) {
  return "Please make sure that firmware version of TL-VK38\r\n(Remote Operation Panel) should "
         "be later than " +
         std::string(version) +
         "\r\nDo you execute connection?\r\nIf you are not sure, please select \"Cancel\".";
}

}  // namespace

void IPSetting::OnSet() {
  if (assignMode != kNoAssignment) {
    FinishAssignment();
    return;
  }
  StoreVisibleAddresses();
  WriteTable();
}

void IPSetting::WriteTable() {
  if (PassesCameraDuplicateTest() && PassesUsableAddressTest() && PassesSwitcherDuplicateTest()) {
    PrepareRecordForWrite();
    if (ConfirmFirmware()) {
      ComputeChecksum(table_);
      SendTable();
    }
    DecodeKinds(table_);
  }
  // Also after a stop at an address test, so that the rows always show
  // what the table holds (after ALL CLEAR, its new addresses).
  ShowRows();
}

IPSetting::Duplicate IPSetting::IsDuplicate(PanelAddress address, int own) const {
  if (address == link_.panels.Current()) return Duplicate::kPanelAddress;
  for (int c = 0; c < kCameraCount; ++c) {
    if (c != own && GetIp(table_.CamAddr(c)) == address) return Duplicate::kOtherEntry;
  }
  if (own != kSwitcherEntry && GetIp(table_.SwAddr()) == address) return Duplicate::kOtherEntry;
  return Duplicate::kFree;
}

bool IPSetting::PassesCameraDuplicateTest() {
  // Every camera sharing its address gets its own message; only the
  // panel's own address stops the write.
  for (int c = 0; c < kCameraCount; ++c) {
    const ConstAddrField entry = table_.CamAddr(c);
    const Duplicate result = IsDuplicate(GetIp(entry), c);
    if (result == Duplicate::kFree) continue;
    ShowDuplication(entry);
    if (result == Duplicate::kPanelAddress) return false;
  }
  return true;
}

bool IPSetting::PassesUsableAddressTest() {
  std::string text = "Unavailable network setting!\r\n";
  std::size_t listed = 0;
  const auto list = [&](std::string_view entry) {
    if (listed > 0) text += listed % kEntriesPerLine == 0 ? "\r\n" : "/";
    text += ' ';
    text += entry;
    ++listed;
  };
  // Every camera, whatever its type, then the switcher.
  for (int c = 0; c < kCameraCount; ++c) {
    if (!IsValidPanelAddress(GetIp(table_.CamAddr(c)))) list(CameraLabel(c));
  }
  if (!IsValidPanelAddress(GetIp(table_.SwAddr()))) list("SW");
  if (listed == 0) return true;
  ShowMessage(text, std::nullopt, ui::kMbOk | ui::kMbIconExclamation);
  return false;
}

bool IPSetting::PassesSwitcherDuplicateTest() {
  const ConstAddrField entry = table_.SwAddr();
  const Duplicate result = IsDuplicate(GetIp(entry), kSwitcherEntry);
  if (result != Duplicate::kFree) ShowDuplication(entry);
  return result != Duplicate::kPanelAddress;
}

void IPSetting::PrepareRecordForWrite() {
  // A MAC address holds only for a networked camera still at the address
  // and port read from the panel.
  for (int c = 0; c < kCameraCount; ++c) {
    const ConstAddrField address = table_.CamAddr(c);
    if (!IsNetworked(table_.CamKind(c)) ||
        !std::equal(address.begin(), address.end(), camAddrAtRead[c].begin())) {
      ClearMac(table_.CamMac(c));
    }
  }
  const ConstAddrField sw = table_.SwAddr();
  if (table_.SwKind() == kSwitcherNoAsign ||
      !std::equal(sw.begin(), sw.end(), swAddrAtRead.begin())) {
    ClearMac(table_.SwMac());
  }
  EncodeKinds(table_);
}

bool IPSetting::ConfirmFirmware() {
  // The record holds wire codes now.
  const auto anyOf = [&](int first, int end, std::uint8_t wireKind) {
    for (int c = first; c < end; ++c) {
      if (table_.CamKind(c) == wireKind) return true;
    }
    return false;
  };
  const auto confirmed = [&](std::string_view version) {
    return ShowMessage(FirmwarePrompt(version), std::nullopt,
                       ui::kMbOkCancel | ui::kMbIconExclamation) == ui::kIdOk;
  };
  if (anyOf(0, kCamerasPerGroup, kWireCamDirect) && !confirmed("Ver2.20.00")) return false;
  if (anyOf(0, kCameraCount, kWireIpDirect) && !confirmed("Ver3.30.00")) return false;
  return true;
}

void IPSetting::SendTable() {
  PanelExchange exchange(*this, link_, kExchangeTexts);
  exchange.Write(commands::kCameraTableChange, [&](CPanelSession& session) {
    return session.SendAll(table_.bytes) ? BlockDelivery::kSent : BlockDelivery::kCut;
  });
}
