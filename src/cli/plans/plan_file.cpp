#include "plans/plan_file.h"

#include <fmt/format.h>

#include <set>

#include <nlohmann/json.hpp>

#include "plans/sha256.h"
#include "protocol/zero_sum.h"

namespace cli {

namespace {

constexpr std::string_view kFormat = "vk38-plan";
constexpr int kVersion = 1;

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) hex += fmt::format("{:02x}", byte);
  return hex;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsHex(std::string_view text, std::size_t digits) {
  if (text.size() != digits) return false;
  for (const char c : text) {
    if (HexDigit(c) < 0) return false;
  }
  return true;
}

// A string member, or nothing when the member is missing or no string.
std::optional<std::string> StringAt(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_string()) return std::nullopt;
  return found->get<std::string>();
}

std::variant<PlannedPanel, std::string> ReadPlannedPanel(const nlohmann::json& entry) {
  if (!entry.is_object()) return std::string("a panel's entry is no object");
  const std::optional<std::string> address = StringAt(entry, "panel");
  const std::optional<protocol::PanelAddress> panel =
      address ? ResolvePanel(*address) : std::nullopt;
  if (!panel) return std::string("a panel's entry names no panel address");
  const std::string label = *address;
  const std::optional<std::string> digest = StringAt(entry, "readSha256");
  if (!digest || !IsHex(*digest, 64)) return label + ": \"readSha256\" is no SHA-256";
  const std::optional<std::string> table = StringAt(entry, "table");
  if (!table || !IsHex(*table, protocol::IpSettingRecord::kSize * 2))
    return label + ": \"table\" is no camera table";
  PlannedPanel planned{.panel = {.address = *panel, .name = StringAt(entry, "name").value_or("")},
                       .readSha256 = *digest,
                       .table = {},
                       .refusal = StringAt(entry, "refusal")};
  for (std::size_t i = 0; i < protocol::IpSettingRecord::kSize; ++i) {
    planned.table.bytes[i] =
        static_cast<std::uint8_t>(HexDigit((*table)[2 * i]) * 16 + HexDigit((*table)[2 * i + 1]));
  }
  if (!protocol::IsZeroSum(planned.table.bytes))
    return label + ": the table's bytes do not add up to 0";
  return planned;
}

}  // namespace

std::string TableDigest(const protocol::IpSettingRecord& table) { return Sha256Hex(table.bytes); }

std::string PlanJson(const Plan& plan) {
  nlohmann::ordered_json panels = nlohmann::ordered_json::array();
  for (const PlannedPanel& planned : plan.panels) {
    panels.push_back(
        {{"panel", protocol::AddressText(planned.panel.address)},
         {"name", planned.panel.name.empty() ? nlohmann::ordered_json(nullptr)
                                             : nlohmann::ordered_json(planned.panel.name)},
         {"readSha256", planned.readSha256},
         {"table", Hex(planned.table.bytes)},
         {"refusal", planned.refusal ? nlohmann::ordered_json(*planned.refusal)
                                     : nlohmann::ordered_json(nullptr)},
         {"changes", table_file::ChangesJson(planned.changes)}});
  }
  const nlohmann::ordered_json json = {{"format", kFormat},
                                       {"version", kVersion},
                                       {"command", plan.command},
                                       {"panels", std::move(panels)}};
  return json.dump(2) + "\n";
}

std::variant<Plan, std::string> ReadPlan(std::string_view text) {
  const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::string("no JSON object");
  if (StringAt(json, "format") != kFormat) return std::string("no vk38 plan");
  const auto version = json.find("version");
  if (version == json.end() || *version != kVersion)
    return fmt::format("a plan of another version than {}", kVersion);
  const auto panels = json.find("panels");
  if (panels == json.end() || !panels->is_array()) return std::string("no \"panels\" list");
  Plan plan{.command = StringAt(json, "command").value_or(""), .panels = {}};
  std::set<protocol::PanelAddress> seen;
  for (const nlohmann::json& entry : *panels) {
    std::variant<PlannedPanel, std::string> planned = ReadPlannedPanel(entry);
    if (std::string* failure = std::get_if<std::string>(&planned)) return std::move(*failure);
    PlannedPanel& panel = std::get<PlannedPanel>(planned);
    if (!seen.insert(panel.panel.address).second)
      return protocol::AddressText(panel.panel.address) + " is planned twice";
    plan.panels.push_back(std::move(panel));
  }
  if (plan.panels.empty()) return std::string("a plan for no panel");
  return plan;
}

void PlanCollector::Add(PlannedPanel planned) {
  const std::lock_guard<std::mutex> one(adding_);
  const protocol::PanelAddress address = planned.panel.address;
  planned_.insert_or_assign(address, std::move(planned));
}

Plan PlanCollector::Made(std::string command, const std::vector<Panel>& order) {
  const std::lock_guard<std::mutex> one(adding_);
  Plan plan{.command = std::move(command), .panels = {}};
  for (const Panel& panel : order) {
    const auto found = planned_.find(panel.address);
    if (found != planned_.end()) plan.panels.push_back(found->second);
  }
  return plan;
}

}  // namespace cli
