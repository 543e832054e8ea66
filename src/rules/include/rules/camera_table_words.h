// The words in which the Setting page and vk38 show a camera table's codes:
// the items of the Type and SW Input lists, in code order.
#pragma once

#include <array>
#include <string_view>

namespace rules {

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

// Only Network, IP_Direct and NoAsign cameras take part in CAMERA Select.
inline constexpr bool TakesPartInCameraSelect(unsigned pageKind) {
  return pageKind < static_cast<unsigned>(kNetworkTypeCount);
}

}  // namespace rules
