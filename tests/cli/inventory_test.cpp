// Inventories: what a line may hold, the place a bad line is refused at,
// and a panel listed again (by address or panel name) worked on once; and
// the address ranges that scan makes inventories of.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <variant>

#include "commands/scan/address_ranges.h"
#include "panels/inventory.h"

namespace {

using cli::ListedPanel;
using cli::Panel;

std::vector<ListedPanel> Listed(const std::string& text) {
  auto read = cli::ReadInventory(text, "fleet.txt");
  if (const std::string* why = std::get_if<std::string>(&read)) {
    ADD_FAILURE() << *why;
    return {};
  }
  return std::get<std::vector<ListedPanel>>(read);
}

std::string Refusal(const std::string& text) {
  auto read = cli::ReadInventory(text, "fleet.txt");
  if (const std::string* why = std::get_if<std::string>(&read)) return *why;
  ADD_FAILURE() << "accepted: " << text;
  return {};
}

TEST(Inventory, ListsEachLinesPanelAndNameWhereverItStands) {
  const std::vector<ListedPanel> listed = Listed(
      "\xEF\xBB\xBF# studio A\r\n"
      "192.168.0.21 studio-a-left\r\n"
      "\tvk2\t\tstudio_a.right# the program's name, any case\n"
      "   \n"
      "# 192.168.0.99 retired\n"
      "192.168.0.23\n"
      "10.0.0.5 A1");  // no line break at the end
  ASSERT_EQ(listed.size(), 4u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"192.168.0.21", "studio-a-left"},
      {"192.168.0.7", "studio_a.right"},
      {"192.168.0.23", ""},
      {"10.0.0.5", "A1"}};
  const std::vector<std::string> places = {"fleet.txt:2", "fleet.txt:3", "fleet.txt:6",
                                           "fleet.txt:7"};
  for (std::size_t i = 0; i < listed.size(); ++i) {
    EXPECT_EQ(protocol::AddressText(listed[i].panel.address), expected[i].first);
    EXPECT_EQ(listed[i].panel.name, expected[i].second);
    EXPECT_EQ(listed[i].place, places[i]);
  }
  EXPECT_TRUE(Listed("# nothing but comments\n\n").empty());
}

TEST(Inventory, RefusesTheFirstBadLineWithItsPlace) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"VK1\nVK6\n", "fleet.txt:2: VK6 is no address a panel can have"},
      {"192.168.0.255 last\n", "fleet.txt:1: 192.168.0.255 is no address"},
      {"192.168.0.21, studio\n", "fleet.txt:1: 192.168.0.21, is no address"},
      {"\n\nVK1 studio a\n", "fleet.txt:3: one panel a line, then its name if any: \"a\" is more"},
      {"VK1 studio/a\n", "fleet.txt:1: the name \"studio/a\" is not"},
      {"VK1 studio\\a\n", "fleet.txt:1: the name \"studio\\a\" is not"},
      {"VK1 com1:\n", "fleet.txt:1: the name \"com1:\" is not"},
      {"VK1 -rf\n", "fleet.txt:1: the name \"-rf\" is not"},
      {"VK1 .hidden\n", "fleet.txt:1: the name \".hidden\" is not"},
      {"VK1 caf\xC3\xA9\n", "fleet.txt:1: the name \"caf??\" is not"},
      {"VK1 a\x01z\n", "fleet.txt:1: the name \"a?z\" is not"},
      {"VK1 " + std::string(41, 'n') + "\n", "is not 1 to 40 letters"},
  };
  for (const auto& [text, refusal] : cases) {
    EXPECT_NE(Refusal(text).find(refusal), std::string::npos) << Refusal(text);
  }
  EXPECT_EQ(cli::NameFault(std::string(40, 'n')), std::nullopt);
}

TEST(Inventory, APanelListedAgainIsWorkedOnOnceUnderItsOneName) {
  std::vector<ListedPanel> listed = Listed("VK1\n192.168.0.7 right\n192.168.0.9 left\nvk2\n");
  ListedPanel argument;
  argument.panel.address = 0xC0A80009;
  argument.place = "argument 192.168.0.9";
  listed.insert(listed.begin(), std::move(argument));
  const auto list = cli::ListPanels(listed);
  ASSERT_TRUE(std::holds_alternative<cli::PanelList>(list)) << std::get<std::string>(list);
  const cli::PanelList& panels = std::get<cli::PanelList>(list);
  ASSERT_EQ(panels.panels.size(), 2u);
  // In the order first listed, with the name given only later kept.
  EXPECT_EQ(panels.panels[0].address, 0xC0A80009u);
  EXPECT_EQ(panels.panels[0].name, "left");
  EXPECT_EQ(panels.panels[1].name, "right");
  EXPECT_EQ(panels.notes,
            (std::vector<std::string>{
                "fleet.txt:1: 192.168.0.9 was listed before (argument 192.168.0.9); it is worked "
                "on once",
                "fleet.txt:3: 192.168.0.9 was listed before (argument 192.168.0.9); it is worked "
                "on once",
                "fleet.txt:4: 192.168.0.7 was listed before (fleet.txt:2); it is worked on once"}));

  // One panel, two names: which file would be whose?
  const auto twoNames = cli::ListPanels(Listed("192.168.0.9 left\n\nVK1 right\n"));
  ASSERT_TRUE(std::holds_alternative<std::string>(twoNames));
  EXPECT_EQ(std::get<std::string>(twoNames),
            "fleet.txt:3: 192.168.0.9 was listed before as \"left\" (fleet.txt:1); a panel has "
            "one name");
}

}  // namespace

// scan's RANGE: the three forms, what each holds, and the bound on a scan.
TEST(ScanRanges, EachFormHoldsItsAddressesAndAScanIsBoundedToASlash16) {
  const std::vector<std::tuple<std::string, std::string, std::string>> accepted = {
      {"192.168.0.9", "192.168.0.9", "192.168.0.9"},
      {"10.1.2.20-40", "10.1.2.20", "10.1.2.40"},
      {"10.1.2.7-7", "10.1.2.7", "10.1.2.7"},
      {"10.1.2.3/24", "10.1.2.0", "10.1.2.255"},  // host bits ignored
      {"10.1.2.3/32", "10.1.2.3", "10.1.2.3"},
      {"0.0.0.0/0", "0.0.0.0", "255.255.255.255"},
  };
  for (const auto& [text, first, last] : accepted) {
    const auto range = cli::ParseAddressRange(text);
    ASSERT_TRUE(std::holds_alternative<cli::AddressRange>(range)) << text;
    EXPECT_EQ(protocol::AddressText(std::get<cli::AddressRange>(range).first), first) << text;
    EXPECT_EQ(protocol::AddressText(std::get<cli::AddressRange>(range).last), last) << text;
  }
  for (const std::string text :
       {"10.1.2.40-20", "10.1.2.3-256", "10.1.2.3/33", "10.1.2.3/", "10.1.2.3-", "10.1.2/24",
        "10.1.2.3-10.1.2.9", "10.1.2.3/+8", "VK1", ""}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(cli::ParseAddressRange(text))) << text;
  }

  const auto addresses = [](const std::vector<std::string>& texts) {
    std::vector<cli::AddressRange> ranges;
    for (const std::string& text : texts) {
      ranges.push_back(std::get<cli::AddressRange>(cli::ParseAddressRange(text)));
    }
    return cli::ScanAddresses(ranges);
  };
  // A /24 asks its 254 usable addresses; overlaps are asked once, in order.
  const auto slash24 = addresses({"10.1.2.200-210", "10.1.2.0/24", "10.1.2.5"});
  ASSERT_TRUE(std::holds_alternative<std::vector<protocol::PanelAddress>>(slash24));
  const auto& asked = std::get<std::vector<protocol::PanelAddress>>(slash24);
  ASSERT_EQ(asked.size(), 254u);
  EXPECT_EQ(protocol::AddressText(asked.front()), "10.1.2.1");
  EXPECT_EQ(protocol::AddressText(asked.back()), "10.1.2.254");
  EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()));
  // 65,536 addresses in all at most, counted before overlaps are merged.
  EXPECT_TRUE(
      std::holds_alternative<std::vector<protocol::PanelAddress>>(addresses({"10.1.0.0/16"})));
  EXPECT_TRUE(std::holds_alternative<std::string>(addresses({"10.1.0.0/16", "10.1.0.1"})));
  EXPECT_TRUE(std::holds_alternative<std::string>(addresses({"0.0.0.0/0"})));
  // Nothing a panel can have: refused, never a scan of nothing.
  EXPECT_TRUE(std::holds_alternative<std::string>(addresses({"10.1.2.255", "127.0.0.1"})));
}
