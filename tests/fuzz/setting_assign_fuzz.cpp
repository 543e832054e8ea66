// The panel's own address assignment: RENEW and KEEP with whatever the
// panel proposes, SET with whatever it answers to the confirmation, and
// CANCEL, in the fuzzer's order; only enabled buttons are clicked, as the
// operator can click only those.
//
// Invariants: a proposal is taken only whole and with a zero sum, else the
// table stays byte for byte; the command line is START outside an
// assignment and RETRY inside one; a KEEP shows one "Duplication" box per
// flagged entry; an assignment starts and ends only as the outcome tables
// say, and while it lasts the editing controls are disabled; the boxes are
// the page's own, in the order of those tables.
#include <string_view>

#include "fuzz_steps.h"
#include "pages/setting/ip_setting_controls.h"
#include "resources/resource.h"
#include "setting_fuzz_page.h"
#include "table_oracle.h"

namespace {

namespace sc = setting_controls;
using fuzz::FuzzInput;
using fuzz::ScriptedConnection;
using fuzz::SettingPage;
using Texts = std::vector<std::string>;

using enum fuzz::steps::setting_assign::Step;
constexpr int kMaxSteps = 10;

// The boxes that a failed start of an exchange shows, if it failed.
std::optional<Texts> StartFailure(const ScriptedConnection& connection, std::string_view command) {
  if (connection.Used() && !connection.Accepted()) return Texts{"No Connect!!"};
  if (connection.Accepted() && connection.Sent() != command) return Texts{"Socket Error!!"};
  return std::nullopt;
}

void RequireControlsFollowAssignment(const SettingPage& setting) {
  const ui::ControlModel& screen = setting.Screen();
  const bool editing = !setting.Assigning();
  FUZZ_REQUIRE(screen.IsEnabled(IDC_SETTING_REFRESH) == editing);
  FUZZ_REQUIRE(screen.IsEnabled(IDC_SETTING_ALL_CLEAR) == editing);
  FUZZ_REQUIRE(screen.IsEnabled(IDC_SW_IP) == editing);
  FUZZ_REQUIRE(screen.IsEnabled(IDC_SW_TYPE) == editing);
  for (int r = 0; r < sc::kRowCount; ++r) {
    FUZZ_REQUIRE(screen.IsEnabled(sc::kIp[r]) == editing);
    FUZZ_REQUIRE(screen.IsEnabled(sc::kType[r]) == editing);
    FUZZ_REQUIRE(screen.IsEnabled(sc::kSwInput[r]) == editing);
  }
}

Texts FlaggedDuplicates(const protocol::IpSettingRecord& table) {
  Texts texts;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (table.CamFlags(c) & protocol::kDuplicateFlag)
      texts.push_back(fuzz::DuplicationText(table.CamAddr(c)));
  }
  if (table.SwFlags() & protocol::kDuplicateFlag)
    texts.push_back(fuzz::DuplicationText(table.SwAddr()));
  return texts;
}

void Propose(SettingPage& setting, FuzzInput& input, bool keep) {
  const bool wasAssigning = setting.Assigning();
  const protocol::IpSettingRecord before = setting.Table();
  const std::string_view mode = keep ? "KEEP" : "RENEW";
  const std::string command =
      "VK38 IP SET " + std::string(mode) + (wasAssigning ? " RETRY\r\n" : " START\r\n");
  const ScriptedConnection connection =
      setting.Click(keep ? IDC_SETTING_KEEP : IDC_SETTING_RENEW, input);

  if (const std::optional<Texts> failure = StartFailure(connection, command)) {
    FUZZ_REQUIRE(setting.LastBoxes() == *failure);
    FUZZ_REQUIRE(setting.Table() == before && setting.Assigning() == wasAssigning);
    return;
  }
  const std::optional<std::string> received = fuzz::BlockReceived(connection, command);
  FUZZ_REQUIRE(setting.Table() ==
               (received ? fuzz::oracle::TableAfterRead(before, *received) : before));
  FUZZ_REQUIRE(setting.Assigning());
  FUZZ_REQUIRE(setting.LastBoxes() == (keep ? FlaggedDuplicates(setting.Table()) : Texts{}));
}

void Confirm(SettingPage& setting, FuzzInput& input) {
  const protocol::IpSettingRecord before = setting.Table();
  const bool yes = input.Byte() & 1;
  setting.Host().AnswerNextBox(yes ? ui::kIdYes : ui::kIdNo);
  const ScriptedConnection connection = setting.Click(IDC_SETTING_SET, input);
  FUZZ_REQUIRE(setting.Table() == before);
  const Texts& boxes = setting.LastBoxes();
  FUZZ_REQUIRE(!boxes.empty() && boxes[0] == "IP Setting Start");
  FUZZ_REQUIRE(setting.Host().boxes.back().Buttons() == ui::kMbYesNo || boxes.size() > 1);
  const Texts after(boxes.begin() + 1, boxes.end());
  if (!yes) {
    FUZZ_REQUIRE(after.empty() && setting.Assigning() && !connection.Used());
    return;
  }
  // The command of the mode in progress; either is fine here, the page
  // knows which, and the failure table is the same for both.
  const std::string& sent = connection.Accepted() ? connection.Sent() : std::string();
  const std::string_view command = sent.find("KEEP") != std::string::npos
                                       ? "VK38 IP SET KEEP SET\r\n"
                                       : "VK38 IP SET RENEW SET\r\n";
  if (const std::optional<Texts> failure = StartFailure(connection, command)) {
    FUZZ_REQUIRE(after == *failure);
    FUZZ_REQUIRE(setting.Assigning());
    return;
  }
  FUZZ_REQUIRE(!setting.Assigning());
  if (connection.NoSocket()) {
    FUZZ_REQUIRE(after.empty());
    return;
  }
  const std::optional<std::string> received = fuzz::BlockReceived(connection, command);
  if (!received) {
    FUZZ_REQUIRE(after.empty());
  } else if (received->starts_with("SETTING OK")) {
    FUZZ_REQUIRE(after == Texts{"Finish!!"});
  } else {
    FUZZ_REQUIRE(after == Texts{"Setting Error!!"});
  }
}

void Cancel(SettingPage& setting, FuzzInput& input) {
  const protocol::IpSettingRecord before = setting.Table();
  const ScriptedConnection connection = setting.Click(IDC_SETTING_CANCEL, input);
  FUZZ_REQUIRE(!setting.Assigning());
  const std::optional<Texts> failure = StartFailure(connection, fuzz::kReadCommand);
  FUZZ_REQUIRE(setting.LastBoxes() == failure.value_or(Texts{}));
  if (failure) setting.NoteFirstRowsLeftBlank();
  const std::optional<std::string> received = fuzz::BlockReceived(connection, fuzz::kReadCommand);
  FUZZ_REQUIRE(setting.Table() ==
               (received ? fuzz::oracle::TableAfterRead(before, *received) : before));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  SettingPage setting;
  const ui::ControlModel& screen = setting.Screen();
  for (int step = 0; step < kMaxSteps && !input.Empty(); ++step) {
    switch (input.Byte() % kStepCount) {
      case kRenew:
        Propose(setting, input, false);
        break;
      case kKeep:
        Propose(setting, input, true);
        break;
      case kSet:
        // Outside an assignment SET writes the table: another target's.
        if (setting.Assigning()) Confirm(setting, input);
        break;
      case kCancel:
        if (screen.IsEnabled(IDC_SETTING_CANCEL)) Cancel(setting, input);
        break;
      case kRefresh:
        if (screen.IsEnabled(IDC_SETTING_REFRESH)) setting.RefreshAndRequireRead(input);
        break;
      case kScroll:
        setting.Act([&] {
          setting.Page().OnVScroll(ui::kSbThumbPosition, input.Byte() % 18, IDC_SETTING_SCROLL);
        });
        break;
    }
    RequireControlsFollowAssignment(setting);
    setting.RequireScreenShowsTable();
  }
  return 0;
}
