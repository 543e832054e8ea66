// A plan: what a reviewed run would write to each panel, kept in a file so
// that table set --plan writes exactly that, and only to a panel whose
// table is still the one read when the plan was made.
//
// The file is JSON:
//   {"format": "vk38-plan", "version": 1, "command": "table diff",
//    "panels": [{"panel": "192.168.0.9", "name": null,
//                "readSha256": "<64 hex digits>", "table": "<6684 hex digits>",
//                "refusal": null, "changes": [...]}, ...]}
// "table" is the record as it goes on the wire (its sum included);
// "changes" is for the reader and never read back.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "panels/panel_names.h"
#include "protocol/ip_setting_record.h"
#include "table_file/table_changes.h"

namespace cli {

struct PlannedPanel {
  Panel panel;
  std::string readSha256;                // of the table read from the panel
  protocol::IpSettingRecord table;       // what is to be written, as it goes on the wire
  std::optional<std::string> refusal{};  // why the write rules would not let it go
  std::vector<table_file::FieldChange> changes{};
};

struct Plan {
  std::string command;  // the command that made it: "table diff", "table assign", ...
  std::vector<PlannedPanel> panels;
};

// The SHA-256 a plan records for a table read from a panel.
std::string TableDigest(const protocol::IpSettingRecord& table);

std::string PlanJson(const Plan& plan);
// The plan in `text`, or why it is none.
std::variant<Plan, std::string> ReadPlan(std::string_view text);

// The panels' entries as the workers make them, put in the order the panels
// were given.
class PlanCollector {
 public:
  void Add(PlannedPanel planned);
  Plan Made(std::string command, const std::vector<Panel>& order);

 private:
  std::mutex adding_;
  std::map<protocol::PanelAddress, PlannedPanel> planned_;
};

}  // namespace cli
