#include "protocol/panel_address.h"

#include <gtest/gtest.h>

namespace {

constexpr protocol::PanelAddress Ip(unsigned a, unsigned b, unsigned c, unsigned d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

TEST(PanelAddress, ValidityFollowsTheFirstAndLastOctetAndExcludesLocalHost) {
  for (protocol::PanelAddress valid : {Ip(1, 0, 0, 1), Ip(126, 255, 255, 254), Ip(127, 0, 0, 2),
                                       Ip(223, 255, 255, 254), Ip(192, 168, 0, 9)}) {
    EXPECT_TRUE(protocol::IsValidPanelAddress(valid)) << protocol::AddressText(valid);
  }
  for (protocol::PanelAddress refused :
       {Ip(0, 1, 2, 3), Ip(10, 0, 0, 0), Ip(10, 0, 0, 255), Ip(127, 0, 0, 1), Ip(224, 0, 0, 1),
        Ip(255, 255, 255, 255), Ip(0, 0, 0, 0)}) {
    EXPECT_FALSE(protocol::IsValidPanelAddress(refused)) << protocol::AddressText(refused);
  }
}

TEST(PanelAddress, TextAndWireBytesTakeTheFirstOctetFromTheTopByte) {
  EXPECT_EQ(protocol::AddressText(Ip(192, 168, 0, 9)), "192.168.0.9");
  EXPECT_EQ(protocol::AddressText(Ip(255, 0, 255, 0)), "255.0.255.0");
  std::uint8_t bytes[4] = {};
  protocol::AddressToBytes(Ip(192, 168, 0, 10), bytes);
  EXPECT_EQ(bytes[0], 192);
  EXPECT_EQ(bytes[3], 10);
  EXPECT_EQ(protocol::AddressFromBytes(bytes), Ip(192, 168, 0, 10));
}

TEST(PanelAddress, TextReadsBackOnlyInTheDottedForm) {
  for (protocol::PanelAddress address :
       {Ip(192, 168, 0, 9), Ip(0, 0, 0, 0), Ip(255, 255, 255, 255)}) {
    EXPECT_EQ(protocol::ParseAddressText(protocol::AddressText(address)), address)
        << protocol::AddressText(address);
  }
  EXPECT_EQ(protocol::ParseAddressText("010.001.000.009"), Ip(10, 1, 0, 9))
      << "three digits at most";
  for (const char* refused :
       {"", "192.168.0", "192.168.0.9.1", "192.168.0.256", "192.168..9", "192.168.0.9 ",
        " 192.168.0.9", "192.168.0.-9", "192.168.0.0009", "192.168.0.x", "192,168,0,9"}) {
    EXPECT_EQ(protocol::ParseAddressText(refused), std::nullopt) << '"' << refused << '"';
  }
}

}  // namespace
