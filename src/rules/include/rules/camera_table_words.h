// The words in which the Setting page and vk38 show a camera table's codes:
// the items of the Type and SW Input lists, in code order, and how the Type
// list's item index (the page code) stands for the record's type byte (the
// wire code).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "protocol/ip_setting_record.h"

namespace rules {

// Camera type as the page holds it: the item index of the Type list.
enum PageKind : std::uint8_t {
  kPageNoAsign = 0,
  kPageNetwork = 1,
  kPageIpDirect = 2,
  kPageSerial = 3,
  kPageCamDirect = 4,
};

// Wire code to page code and back; any other byte value stays as it is.
std::uint8_t PageKindFromWire(std::uint8_t wire);
std::uint8_t WireKindFromPage(std::uint8_t page);

// Camera c's type as the page holds it; a byte that is no wire code reads,
// and is set, as it is. The record keeps the wire code.
inline std::uint8_t CamPageKind(const protocol::IpSettingRecord& table, int c) {
  return PageKindFromWire(table.CamKind(c));
}
inline void SetCamPageKind(protocol::IpSettingRecord& table, int c, std::uint8_t pageKind) {
  table.CamKind(c) = WireKindFromPage(pageKind);
}

// The Type list items, in page code order.
inline constexpr std::array<std::string_view, 5> kCameraTypes = {"NoAsign", "Network", "IP_Direct",
                                                                 "Serial", "CAM_Direct"};
inline constexpr int kNetworkTypeCount = 3;   // NoAsign, Network, IP_Direct
inline constexpr int kSwitcherTypeCount = 2;  // NoAsign, Network
// Cameras C001 to C005 alone may be Serial or CAM_Direct.
inline constexpr int kCamerasWithLocalTypes = 5;
// How many Type list items camera `camera` (0 to 99) may take, from the first.
inline constexpr int TypeCountOf(int camera) {
  return camera < kCamerasWithLocalTypes ? static_cast<int>(kCameraTypes.size())
                                         : kNetworkTypeCount;
}

inline constexpr std::array<std::string_view, 6> kSwInputs = {"NoAsign", "INPUT1", "INPUT2",
                                                              "INPUT3",  "INPUT4", "INPUT5"};

// Network and IP_Direct cameras are reached over the network, by their MAC
// address among others.
inline constexpr bool IsNetworked(std::uint8_t wireKind) {
  return wireKind == protocol::kWireNetwork || wireKind == protocol::kWireIpDirect;
}

// Only Network, IP_Direct and NoAsign cameras take part in CAMERA Select.
inline constexpr bool TakesPartInCameraSelect(std::uint8_t wireKind) {
  return wireKind == protocol::kWireNoAsign || IsNetworked(wireKind);
}

}  // namespace rules
