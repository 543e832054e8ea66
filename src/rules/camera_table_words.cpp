#include "rules/camera_table_words.h"

namespace rules {

std::uint8_t PageKindFromWire(std::uint8_t wire) {
  switch (wire) {
    case protocol::kWireSerial:
      return kPageSerial;
    case protocol::kWireNetwork:
      return kPageNetwork;
    case protocol::kWireCamDirect:
      return kPageCamDirect;
    case protocol::kWireIpDirect:
      return kPageIpDirect;
    default:
      return wire;
  }
}

std::uint8_t WireKindFromPage(std::uint8_t page) {
  switch (page) {
    case kPageNetwork:
      return protocol::kWireNetwork;
    case kPageIpDirect:
      return protocol::kWireIpDirect;
    case kPageSerial:
      return protocol::kWireSerial;
    case kPageCamDirect:
      return protocol::kWireCamDirect;
    default:
      return page;
  }
}

}  // namespace rules
