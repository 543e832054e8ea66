// The panels of a run as the operator lists them: PANEL arguments, and
// inventories that "@FILE" names, one panel a line with a name of the
// operator's choosing if wanted:
//
//   # studio A
//   192.168.0.21  studio-a-left
//   VK2           studio-a-right   # a panel name of the program
//   192.168.0.23
//
// A name goes into the names of the files written for its panel, so it
// holds only what a file name takes on Windows and Linux alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "panels/panel_names.h"

namespace cli {

// The longest name a panel may be given.
inline constexpr std::size_t kLongestPanelName = 40;

// Why `name` cannot name a panel; nothing when it can: 1 to 40 ASCII
// letters, digits, '-', '_' and '.', the first a letter or digit.
std::optional<std::string> NameFault(std::string_view name);

// A panel as one argument or inventory line gave it, and where, for the
// messages about it ("fleet.txt:4", "argument VK1").
struct ListedPanel {
  Panel panel;
  std::string place;
};

// The panels an inventory lists, or why its first bad line is refused
// ("fleet.txt:4: ..."). Blank lines and everything from a '#' on are
// skipped; a line holds a panel (an address or VK1 to VK5) and
// optionally a name, separated by spaces or tabs.
std::variant<std::vector<ListedPanel>, std::string> ReadInventory(std::string_view text,
                                                                  const std::string& file);

// One line of an inventory that vk38 writes (scan, --failed): the panel,
// its name if any, and `comment` after a '#' (every byte of it that is no
// printable ASCII as '?'), with the line's end.
std::string InventoryLine(const Panel& panel, std::string_view comment);

// The panels to work on, each once in the order first listed, and a note
// for each one listed again (a name given only once is kept).
struct PanelList {
  std::vector<Panel> panels;
  std::vector<std::string> notes;
};
// The list, or why it is refused: one panel listed under two names.
std::variant<PanelList, std::string> ListPanels(const std::vector<ListedPanel>& listed);

}  // namespace cli
