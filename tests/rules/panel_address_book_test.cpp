// The address list the pages start with and the selector's texts for it.
#include "rules/panel_address_book.h"

#include <gtest/gtest.h>

namespace {

constexpr protocol::PanelAddress Ip(unsigned a, unsigned b, unsigned c, unsigned d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

TEST(PanelAddressBook, StartsWithTheBuiltInPanelsAndVk1Current) {
  rules::PanelAddressBook panels;
  EXPECT_EQ(panels.Current(), Ip(192, 168, 0, 9));
  const char* expected[] = {"VK1(192.168.0.9)", "VK2(192.168.0.7)", "VK3(192.168.0.6)",
                            "VK4(192.168.0.5)", "VK5(192.168.0.4)"};
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    EXPECT_EQ(panels.SelectorText(i), expected[i]);
  }
}

}  // namespace
