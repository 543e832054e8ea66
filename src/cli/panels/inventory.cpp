#include "panels/inventory.h"

#include <algorithm>

#include <fmt/format.h>

#include "table_file/utf8.h"

namespace cli {

namespace {

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// `text` with every byte that is no printable ASCII as '?', for messages
// that repeat what a file held.
std::string Shown(std::string_view text) {
  std::string shown;
  for (const char c : text) shown += c >= 0x20 && c < 0x7F ? c : '?';
  return shown;
}

// The line without its CR and its comment, split at spaces and tabs.
std::vector<std::string_view> Fields(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  line = line.substr(0, line.find('#'));
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    if (IsSpace(line[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && !IsSpace(line[end])) ++end;
    fields.push_back(line.substr(at, end - at));
    at = end;
  }
  return fields;
}

// The panel a line's fields list, or why they list none.
std::variant<Panel, std::string> LinePanel(const std::vector<std::string_view>& fields) {
  if (fields.size() > 2) {
    return fmt::format("one panel a line, then its name if any: \"{}\" is more", Shown(fields[2]));
  }
  const std::optional<protocol::PanelAddress> address = ResolvePanel(fields[0]);
  if (!address) {
    return fmt::format("{} is no address a panel can have, nor VK1 to VK5", Shown(fields[0]));
  }
  Panel panel{.address = *address};
  if (fields.size() == 2) {
    if (const std::optional<std::string> fault = NameFault(fields[1])) return *fault;
    panel.name = fields[1];
  }
  return panel;
}

}  // namespace

std::optional<std::string> NameFault(std::string_view name) {
  const auto allowed = [](char c) {
    return IsAsciiLetterOrDigit(c) || c == '-' || c == '_' || c == '.';
  };
  if (name.empty() || name.size() > kLongestPanelName ||
      !std::all_of(name.begin(), name.end(), allowed) || !IsAsciiLetterOrDigit(name.front())) {
    return fmt::format(
        "the name \"{}\" is not 1 to {} letters, digits, '-', '_' and '.' (ASCII) that begin "
        "with a letter or digit",
        Shown(name), kLongestPanelName);
  }
  return std::nullopt;
}

std::variant<std::vector<ListedPanel>, std::string> ReadInventory(std::string_view text,
                                                                  const std::string& file) {
  text = table_file::WithoutByteOrderMark(text);
  std::vector<ListedPanel> listed;
  int number = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::vector<std::string_view> fields = Fields(text.substr(at, end - at));
    at = end + 1;
    const std::string place = fmt::format("{}:{}", file, ++number);
    if (fields.empty()) continue;
    std::variant<Panel, std::string> panel = LinePanel(fields);
    if (const std::string* why = std::get_if<std::string>(&panel)) {
      return fmt::format("{}: {}", place, *why);
    }
    listed.push_back({std::get<Panel>(std::move(panel)), place});
  }
  return listed;
}

std::variant<PanelList, std::string> ListPanels(const std::vector<ListedPanel>& listed) {
  PanelList list;
  std::vector<const std::string*> firstPlaces;
  for (const ListedPanel& entry : listed) {
    const auto same = std::find_if(list.panels.begin(), list.panels.end(), [&](const Panel& p) {
      return p.address == entry.panel.address;
    });
    if (same == list.panels.end()) {
      list.panels.push_back(entry.panel);
      firstPlaces.push_back(&entry.place);
      continue;
    }
    const std::string& firstPlace = *firstPlaces[same - list.panels.begin()];
    const bool named = !entry.panel.name.empty();
    if (named && !same->name.empty() && same->name != entry.panel.name) {
      return fmt::format("{}: {} was listed before as \"{}\" ({}); a panel has one name",
                         entry.place, protocol::AddressText(entry.panel.address), same->name,
                         firstPlace);
    }
    if (named) same->name = entry.panel.name;
    list.notes.push_back(fmt::format("{}: {} was listed before ({}); it is worked on once",
                                     entry.place, protocol::AddressText(entry.panel.address),
                                     firstPlace));
  }
  return list;
}

std::string InventoryLine(const Panel& panel, std::string_view comment) {
  return fmt::format("{:<24}  # {}\n", PanelText(panel), Shown(comment));
}

}  // namespace cli
