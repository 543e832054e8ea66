// The User Auth. page: text typed into the five fields, Refresh with
// whatever block the panel sends, and Set with whatever it answers, in the
// fuzzer's order.
//
// Invariants: a field holds only its character set, at most 32 characters,
// the longest such start of what was typed, and the filter's boxes say why;
// the credential record changes only on a write the panel confirmed, and
// then it is exactly the record sent; a block is taken only when it fits
// the record and sums to 0; a write goes out only with a known old pair;
// every box is one of the page's own.
#include <string_view>

#include "fuzz_steps.h"
#include "page_rig.h"
#include "pages/user_auth/user_auth.h"
#include "protocol/zero_sum.h"
#include "resources/resource.h"

namespace {

using fuzz::FuzzInput;
using fuzz::ScriptedConnection;
using Texts = std::vector<std::string>;
using Rig = fuzz::PageRig<CUser_Auth>;

using enum fuzz::steps::user_auth::Step;
constexpr int kMaxSteps = 12;

struct Field {
  int id;
  rules::CredentialCharset charset;
};
constexpr Field kFields[] = {
    {IDC_OLD_USER_NAME, rules::CredentialCharset::kName},
    {IDC_NEW_USER_NAME, rules::CredentialCharset::kName},
    {IDC_OLD_PASSWORD, rules::CredentialCharset::kPassword},
    {IDC_NEW_PASSWORD, rules::CredentialCharset::kPassword},
    {IDC_RETYPE_PASSWORD, rules::CredentialCharset::kPassword},
};
static_assert(std::size(kFields) == fuzz::steps::user_auth::kFieldCount);

const std::string kIncorrect = "Enterd information is incorrect. Enter again.";
const std::string kTooLong = "String too long.";
const std::string kWritten = "Write OK.\nPlease reboot TL-VK38.";
constexpr std::string_view kReadCommand = "VK38 AUTH SETTING REQ\r\n";
constexpr std::string_view kWriteCommand = "VK38 AUTH SETTING CHANGE\r\n";

// The filter's boxes for `typed`, and what the field then holds. Each
// correction raises the field's change notification at once, so the check
// of the corrected text shows its box before the first correction's box.
std::pair<Texts, std::string> Filtered(rules::CredentialCharset charset, const std::string& typed) {
  const std::string run(rules::LeadingAllowedRun(charset, typed));
  if (run.size() < typed.size()) {
    auto [boxes, kept] = Filtered(charset, run);
    boxes.push_back(kIncorrect);
    return {boxes, kept};
  }
  if (typed.size() > rules::kCredentialMaxLength) {
    return {Texts{kTooLong}, typed.substr(0, rules::kCredentialMaxLength)};
  }
  return {Texts{}, typed};
}

void TypeText(Rig& rig, FuzzInput& input) {
  const Field field = kFields[input.Byte() % std::size(kFields)];
  // The field's input limit holds for what the operator types or pastes.
  std::string typed = input.Piece();
  const int limit = rig.Screen().State(field.id).textLimit;
  if (limit > 0 && typed.size() > static_cast<std::size_t>(limit)) typed.resize(limit);
  Texts others;
  for (const Field& other : kFields) others.push_back(rig.Screen().Text(other.id));
  rig.Act([&] { testing_support::Type(rig.page, field.id, typed); });
  const auto [boxes, kept] = Filtered(field.charset, typed);
  FUZZ_REQUIRE(rig.LastBoxes() == boxes);
  FUZZ_REQUIRE(rig.Screen().Text(field.id) == kept);
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    if (kFields[i].id != field.id) FUZZ_REQUIRE(rig.Screen().Text(kFields[i].id) == others[i]);
  }
}

// The failure boxes of a session start, if it failed.
std::optional<Texts> StartFailure(const ScriptedConnection& connection, std::string_view command) {
  if (connection.Used() && !connection.Accepted()) return Texts{"Not connected."};
  if (connection.Accepted() && !connection.Sent().starts_with(command)) {
    return Texts{"Socket error."};
  }
  return std::nullopt;
}

// What the page shows once it displayed `record`: the user name through
// the field filter in the old user field, the other fields empty.
void RequireDisplayed(const Rig& rig, const protocol::CredentialRecord& record,
                      const Texts& boxes) {
  const std::optional<std::string> user = record.UserName();
  if (!user || !record.Password()) return;
  FUZZ_REQUIRE(rig.page.PanelUserName() == *user && rig.page.PanelPassword() == *record.Password());
  const auto [filterBoxes, shown] = Filtered(rules::CredentialCharset::kName, *user);
  FUZZ_REQUIRE(rig.Screen().Text(IDC_OLD_USER_NAME) == shown);
  FUZZ_REQUIRE(
      boxes.size() >= filterBoxes.size() &&
      std::equal(filterBoxes.begin(), filterBoxes.end(), boxes.end() - filterBoxes.size()));
  for (const Field& field : kFields) {
    if (field.id != IDC_OLD_USER_NAME) FUZZ_REQUIRE(rig.Screen().Text(field.id).empty());
  }
}

void Refresh(Rig& rig, FuzzInput& input) {
  const protocol::CredentialRecord before = rig.page.Record();
  const ScriptedConnection connection = rig.Click(IDC_AUTH_REFRESH, input);
  const Texts& boxes = rig.LastBoxes();
  if (const std::optional<Texts> failure = StartFailure(connection, kReadCommand)) {
    FUZZ_REQUIRE(boxes == *failure && rig.page.Record() == before);
    return;
  }
  protocol::CredentialRecord expected = before;
  const std::optional<std::string> block = fuzz::BlockReceived(connection, kReadCommand);
  if (block && !block->empty() && block->size() <= protocol::CredentialRecord::kSize) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(block->data()),
                                              block->size());
    if (protocol::IsZeroSum(bytes)) expected.Overwrite(bytes);
  }
  FUZZ_REQUIRE(rig.page.Record() == expected);
  FUZZ_REQUIRE(fuzz::AllAmong(boxes, {kIncorrect, kTooLong}));
  RequireDisplayed(rig, expected, boxes);
}

bool IsRuleMessage(const std::string& text) {
  return text.starts_with("Complete the \"") ||
         text == "Password enterd in the \"Retype New Password\" field is incorrect." ||
         text == "Old User Name or Old Password  is incorrect.";
}

void Set(Rig& rig, FuzzInput& input) {
  const protocol::CredentialRecord before = rig.page.Record();
  const std::string oldUser = rig.Screen().Text(IDC_OLD_USER_NAME);
  const std::string oldPassword = rig.Screen().Text(IDC_OLD_PASSWORD);
  const bool knownPair =
      (oldUser == protocol::kFactoryUserName && oldPassword == protocol::kFactoryPassword) ||
      (oldUser == rig.page.PanelUserName() && oldPassword == rig.page.PanelPassword());
  const ScriptedConnection connection = rig.Click(IDC_AUTH_SET, input);
  const Texts& boxes = rig.LastBoxes();
  FUZZ_REQUIRE(fuzz::AllAmong(boxes,
                              {"Not connected.", "Socket error.", "Command error.", "Write error.",
                               kWritten, kIncorrect, kTooLong},
                              IsRuleMessage));
  if (!boxes.empty() && IsRuleMessage(boxes[0])) {
    FUZZ_REQUIRE(boxes.size() == 1 && !connection.Used());
    FUZZ_REQUIRE(rig.page.Record() == before);
    return;
  }
  // A write is tried only with a known old pair.
  FUZZ_REQUIRE(knownPair);
  const bool confirmed = std::find(boxes.begin(), boxes.end(), kWritten) != boxes.end();
  if (!confirmed) {
    FUZZ_REQUIRE(rig.page.Record() == before);
    return;
  }
  const std::span<const std::uint8_t> record = rig.page.Record().Bytes();
  const std::string sent = connection.Sent();
  FUZZ_REQUIRE(sent == std::string(kWriteCommand) + std::string(record.begin(), record.end()));
  FUZZ_REQUIRE(protocol::IsZeroSum(record));
  FUZZ_REQUIRE(connection.Delivered().find("WRITE OK") != std::string::npos);
  FUZZ_REQUIRE(boxes.front() == kWritten);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Rig rig;
  rig.page.OnInitDialog();
  for (int step = 0; step < kMaxSteps && !input.Empty(); ++step) {
    switch (input.Byte() % kStepCount) {
      case kType:
        TypeText(rig, input);
        break;
      case kRefresh:
        Refresh(rig, input);
        break;
      case kSet:
        Set(rig, input);
        break;
    }
  }
  return 0;
}
