// Writing the camera table (SET, and ALL CLEAR, which writes at once) after
// edits through the controls in the fuzzer's order: Type, SW Input and
// CAMERA Select picks, typed addresses, scrolls and reads, with whatever
// the panel answers and the firmware prompts answered either way.
//
// Invariants: edits change only what they name; a write sends the command
// and then exactly the table the page goes on to show, with a
// zero sum, and only with usable addresses; SET changes nothing in the
// table but MAC addresses and the sum; "Write OK" comes only after a whole
// record and the panel's "WRITE OK"; every box is one of the page's own.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "fuzz_steps.h"
#include "pages/setting/ip_setting_controls.h"
#include "protocol/panel_address.h"
#include "resources/resource.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_words.h"
#include "setting_fuzz_page.h"
#include "support/user_input.h"

namespace {

namespace sc = setting_controls;
using fuzz::FuzzInput;
using fuzz::ScriptedConnection;
using fuzz::SettingPage;
using Texts = std::vector<std::string>;

using enum fuzz::steps::setting_write::Step;
constexpr int kMaxSteps = 12;
constexpr std::string_view kWriteCommand = "VK38 IP SETTING CHANGE\r\n";

int TopGroup(const SettingPage& setting) { return setting.Screen().ScrollPos(IDC_SETTING_SCROLL); }
int CameraOfRow(const SettingPage& setting, int row) {
  return protocol::kCamerasPerGroup * TopGroup(setting) + row;
}

bool IsSetMessage(const std::string& text) {
  return text.starts_with("Unavailable network setting!\r\n") ||
         (text.starts_with("IP(") && text.ends_with(") Duplication")) ||
         text.starts_with("Please make sure that firmware version of TL-VK38\r\n");
}

// Stretches of the record that SET may change: the MAC fields and the sum.
bool MayChangeOnSet(std::size_t at) {
  const bool cameraMac = at >= protocol::IpSettingRecord::kCamMacAt &&
                         at < protocol::IpSettingRecord::kCamMacAt +
                                  protocol::IpSettingRecord::kMacSize * protocol::kCameraCount;
  const bool switcherMac =
      at >= protocol::IpSettingRecord::kSwMacAt &&
      at < protocol::IpSettingRecord::kSwMacAt + protocol::IpSettingRecord::kMacSize;
  return cameraMac || switcherMac || at == protocol::IpSettingRecord::kChecksumAt;
}

// The table with what the address controls show stored, as SET takes it.
protocol::IpSettingRecord WithShownAddresses(const SettingPage& setting) {
  protocol::IpSettingRecord table = setting.Table();
  for (int r = 0; r < sc::kRowCount; ++r) {
    protocol::SetIp(table.CamAddr(CameraOfRow(setting, r)), setting.Screen().Address(sc::kIp[r]));
  }
  protocol::SetIp(table.SwAddr(), setting.Screen().Address(IDC_SW_IP));
  return table;
}

void PickType(SettingPage& setting, FuzzInput& input) {
  const int row = input.Byte() % (sc::kRowCount + 1);
  const int index = static_cast<int>(input.Byte() % 7) - 1;
  const int id = row == sc::kSwitcherRow ? IDC_SW_TYPE : sc::kType[row];
  const protocol::IpSettingRecord before = WithShownAddresses(setting);
  setting.Act([&] { testing_support::Pick(setting.Page(), id, index); });
  FUZZ_REQUIRE(setting.LastBoxes().empty());
  protocol::IpSettingRecord expected = before;
  const bool picked = index >= 0 && index < static_cast<int>(setting.Screen().Items(id).size());
  if (picked) {
    const auto item = static_cast<std::uint8_t>(index);
    if (row == sc::kSwitcherRow) {
      expected.SwKind() = item;
    } else {
      rules::SetCamPageKind(expected, CameraOfRow(setting, row), item);
    }
    FUZZ_REQUIRE(setting.Table() == expected);
  } else {
    // Nothing picked: the types stay, whatever else the controls hold.
    FUZZ_REQUIRE(std::ranges::equal(
        std::span(setting.Table().bytes)
            .subspan(protocol::IpSettingRecord::kCamKindAt, protocol::kCameraCount + 1),
        std::span(before.bytes)
            .subspan(protocol::IpSettingRecord::kCamKindAt, protocol::kCameraCount + 1)));
  }
}

void PickInput(SettingPage& setting, FuzzInput& input) {
  const int row = input.Byte() % sc::kRowCount;
  const int index = static_cast<int>(input.Byte() % 8) - 1;
  const int camera = CameraOfRow(setting, row) + 1;
  const protocol::IpSettingRecord before = WithShownAddresses(setting);
  setting.Act([&] { testing_support::Pick(setting.Page(), sc::kSwInput[row], index); });
  const protocol::IpSettingRecord& after = setting.Table();
  if (setting.LastBoxes() == Texts{"Already Assigned!!"}) {
    FUZZ_REQUIRE(index >= 1 && before.SwInput(index - 1) != 0 &&
                 before.SwInput(index - 1) != camera);
    FUZZ_REQUIRE(after == before);
    return;
  }
  FUZZ_REQUIRE(setting.LastBoxes().empty());
  if (index >= 1 && index <= protocol::kSwitcherInputCount) {
    FUZZ_REQUIRE(after.SwInput(index - 1) == camera);
  } else if (index == 0) {
    for (int k = 0; k < protocol::kSwitcherInputCount; ++k)
      FUZZ_REQUIRE(after.SwInput(k) != camera);
  }
  // No other camera gains or loses an input.
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k) {
    if (after.SwInput(k) == camera) continue;
    FUZZ_REQUIRE(after.SwInput(k) == before.SwInput(k) || before.SwInput(k) == camera);
  }
}

void PickCamera(SettingPage& setting, FuzzInput& input) {
  const int row = input.Byte() % sc::kRowCount;
  const std::vector<std::string>& items = setting.Screen().Items(sc::kCameraSelect[row]);
  const int index = input.Byte() % (items.size() + 1);
  const bool enabled = setting.Screen().IsEnabled(sc::kCameraSelect[row]);
  if (!enabled) return;
  const int own = CameraOfRow(setting, row);
  int other = -1;
  if (index > 0 && index < static_cast<int>(items.size())) {
    for (int c = 0; c < protocol::kCameraCount; ++c) {
      if (rules::CameraLabel(c) == items[index]) other = c;
    }
  }
  const protocol::IpSettingRecord before = WithShownAddresses(setting);
  setting.Act([&] { testing_support::Pick(setting.Page(), sc::kCameraSelect[row], index); });
  FUZZ_REQUIRE(setting.LastBoxes().empty());
  if (other < 0) return;
  // The two cameras trade every field but their flags; inputs follow them.
  const protocol::IpSettingRecord& after = setting.Table();
  for (const auto& [a, b] : {std::pair{own, other}, std::pair{other, own}}) {
    FUZZ_REQUIRE(std::ranges::equal(after.CamMac(a), before.CamMac(b)));
    FUZZ_REQUIRE(std::ranges::equal(after.CamAddr(a), before.CamAddr(b)));
    FUZZ_REQUIRE(std::ranges::equal(after.CamNameField(a), before.CamNameField(b)));
    FUZZ_REQUIRE(after.CamKind(a) == before.CamKind(b));
    FUZZ_REQUIRE(after.CamAlarm(a) == before.CamAlarm(b));
    FUZZ_REQUIRE(after.CamFlags(a) == before.CamFlags(a));
  }
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k) {
    const int was = before.SwInput(k);
    const int now = after.SwInput(k);
    FUZZ_REQUIRE(now == (was == own + 1 ? other + 1 : was == other + 1 ? own + 1 : was));
  }
}

void TypeAddress(SettingPage& setting, FuzzInput& input) {
  const int row = input.Byte() % (sc::kRowCount + 1);
  protocol::PanelAddress address = 0;
  for (int i = 0; i < 4; ++i) address = address << 8 | input.Byte();
  const int id = row == sc::kSwitcherRow ? IDC_SW_IP : sc::kIp[row];
  if (!setting.Screen().IsEnabled(id)) return;
  const protocol::IpSettingRecord before = setting.Table();
  setting.Act([&] { testing_support::EnterAddress(setting.Page(), id, address); });
  setting.NoteTypedAddress(row);
  FUZZ_REQUIRE(setting.LastBoxes().empty() && setting.Table() == before);
}

// The entries that the usable-address message lists, in order: "C001" to
// "C100" and "SW", five to a line, separated by " /" within a line.
Texts ListedEntries(const std::string& message) {
  Texts entries;
  std::string rest = message.substr(std::string_view("Unavailable network setting!\r\n").size());
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    const std::string text = rest.substr(0, end);
    rest = end == std::string::npos ? "" : rest.substr(end + 2);
    std::size_t inLine = 0;
    for (std::size_t at = 0; at <= text.size(); ++inLine) {
      const std::size_t slash = std::min(text.find('/', at), text.size());
      const std::string entry = text.substr(at, slash - at);
      FUZZ_REQUIRE(entry.size() > 1 && entry[0] == ' ');
      entries.push_back(entry.substr(1));
      at = slash + 1;
    }
    FUZZ_REQUIRE(inLine <= 5 && (rest.empty() || inLine == 5));
  }
  return entries;
}

// Every camera and then the switcher whose address cannot be used.
Texts UnusableEntries(const protocol::IpSettingRecord& table) {
  Texts entries;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (!protocol::IsValidPanelAddress(protocol::GetIp(table.CamAddr(c))))
      entries.push_back(rules::CameraLabel(c));
  }
  if (!protocol::IsValidPanelAddress(protocol::GetIp(table.SwAddr()))) entries.push_back("SW");
  return entries;
}

// What every write shows and sends, SET or ALL CLEAR.
void RequireWriteOutcome(SettingPage& setting, const ScriptedConnection& connection,
                         bool promptCancelled) {
  const Texts& boxes = setting.LastBoxes();
  FUZZ_REQUIRE(fuzz::AllAmong(
      boxes, {"No Connect!!", "Socket Error!!", "Command Error!!", "Write OK", "Write Error!!"},
      IsSetMessage));
  // The checks' and prompts' boxes come first; at most one box tells how
  // the exchange ended, and it comes last.
  const auto outcome = std::find_if(boxes.begin(), boxes.end(),
                                    [](const std::string& text) { return !IsSetMessage(text); });
  FUZZ_REQUIRE(outcome == boxes.end() || outcome + 1 == boxes.end());
  for (const std::string& text : boxes) {
    if (text.starts_with("Unavailable network setting!")) {
      FUZZ_REQUIRE(ListedEntries(text) == UnusableEntries(setting.Table()));
      FUZZ_REQUIRE(!connection.Used());
    }
  }
  const bool written = connection.Accepted() && connection.Sent().size() > kWriteCommand.size();
  if (outcome != boxes.end() && *outcome == "Command Error!!") FUZZ_REQUIRE(!written);
  if (promptCancelled) FUZZ_REQUIRE(!connection.Used());
  if (!written) {
    FUZZ_REQUIRE(std::find(boxes.begin(), boxes.end(), "Write OK") == boxes.end());
    return;
  }
  // The record sent is the table the page shows, summed.
  protocol::IpSettingRecord expected = setting.Table();
  protocol::ComputeChecksum(expected);
  const std::string& sent = connection.Sent();
  FUZZ_REQUIRE(sent.starts_with(kWriteCommand));
  const std::string record = sent.substr(kWriteCommand.size());
  FUZZ_REQUIRE(record.size() <= protocol::IpSettingRecord::kSize);
  FUZZ_REQUIRE(std::memcmp(record.data(), expected.bytes.data(), record.size()) == 0);
  FUZZ_REQUIRE(setting.Table().Checksum() == expected.Checksum());
  // Only usable addresses, none of them the panel's own, go to the panel.
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const protocol::PanelAddress address = protocol::GetIp(expected.CamAddr(c));
    FUZZ_REQUIRE(protocol::IsValidPanelAddress(address) && address != setting.PanelAddressNow());
  }
  const protocol::PanelAddress sw = protocol::GetIp(expected.SwAddr());
  FUZZ_REQUIRE(protocol::IsValidPanelAddress(sw) && sw != setting.PanelAddressNow());
  const bool confirmed = record.size() == protocol::IpSettingRecord::kSize;
  if (!boxes.empty() && boxes.back() == "Write OK") {
    FUZZ_REQUIRE(confirmed);
    const std::string delivered = connection.Delivered();
    FUZZ_REQUIRE(delivered.find("WRITE OK") != std::string::npos);
  }
}

// Answers the firmware prompts in turn from the bits of `answers` (a set
// bit cancels); remembers whether one was cancelled.
class PromptAnswers {
 public:
  PromptAnswers(testing_support::ScriptedHost& host, std::uint8_t answers) : host_(host) {
    host.answerBox = [this, answers](const testing_support::ShownMessageBox& box) {
      if (!box.text.starts_with("Please make sure")) return ui::kIdOk;
      const bool cancel = (answers >> prompts_++) & 1;
      cancelled_ = cancelled_ || cancel;
      return cancel ? ui::kIdCancel : ui::kIdOk;
    };
  }
  ~PromptAnswers() { host_.answerBox = nullptr; }
  bool Cancelled() const { return cancelled_; }

 private:
  testing_support::ScriptedHost& host_;
  int prompts_ = 0;
  bool cancelled_ = false;
};

void Set(SettingPage& setting, FuzzInput& input) {
  const PromptAnswers prompts(setting.Host(), input.Byte());
  const protocol::IpSettingRecord before = WithShownAddresses(setting);
  const ScriptedConnection connection = setting.Click(IDC_SETTING_SET, input);
  const protocol::IpSettingRecord& after = setting.Table();
  for (std::size_t at = 0; at < protocol::IpSettingRecord::kSize; ++at) {
    if (!MayChangeOnSet(at)) FUZZ_REQUIRE(after.bytes[at] == before.bytes[at]);
  }
  RequireWriteOutcome(setting, connection, prompts.Cancelled());
}

void AllClear(SettingPage& setting, FuzzInput& input) {
  if (!setting.Screen().IsEnabled(IDC_SETTING_ALL_CLEAR)) return;
  const PromptAnswers prompts(setting.Host(), input.Byte());
  const ScriptedConnection connection = setting.Click(IDC_SETTING_ALL_CLEAR, input);
  // The cleared table: every camera in the panel's network, on an address
  // of its own, none networked; the switcher unassigned; no MAC left.
  const protocol::IpSettingRecord& table = setting.Table();
  const protocol::PanelAddress panel = setting.PanelAddressNow();
  std::vector<protocol::PanelAddress> seen{panel};
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const protocol::PanelAddress address = protocol::GetIp(table.CamAddr(c));
    FUZZ_REQUIRE((address & 0xFFFFFF00u) == (panel & 0xFFFFFF00u));
    FUZZ_REQUIRE(std::find(seen.begin(), seen.end(), address) == seen.end());
    seen.push_back(address);
    FUZZ_REQUIRE(rules::CamPageKind(table, c) != rules::kPageNetwork &&
                 rules::CamPageKind(table, c) != rules::kPageIpDirect);
    FUZZ_REQUIRE(std::ranges::all_of(table.CamMac(c), [](std::uint8_t b) { return b == 0; }));
  }
  FUZZ_REQUIRE(table.SwKind() == protocol::kSwitcherNoAsign);
  RequireWriteOutcome(setting, connection, prompts.Cancelled());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  SettingPage setting;
  for (int step = 0; step < kMaxSteps && !input.Empty(); ++step) {
    switch (input.Byte() % kStepCount) {
      case kRefresh:
        setting.RefreshAndRequireRead(input);
        break;
      case kPickType:
        PickType(setting, input);
        break;
      case kPickInput:
        PickInput(setting, input);
        break;
      case kPickCamera:
        PickCamera(setting, input);
        break;
      case kTypeAddress:
        TypeAddress(setting, input);
        break;
      case kScroll:
        setting.Act([&] {
          setting.Page().OnVScroll(ui::kSbThumbPosition, input.Byte() % 18, IDC_SETTING_SCROLL);
        });
        break;
      case kSet:
        Set(setting, input);
        break;
      case kAllClear:
        AllClear(setting, input);
        break;
    }
    setting.RequireScreenShowsTable();
  }
  return 0;
}
