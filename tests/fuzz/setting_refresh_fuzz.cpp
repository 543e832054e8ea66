// REFRESH of the Setting page with whatever the panel answers, split at the
// fuzzer's points, between scrolls of every kind. A record is taken only
// whole and with a zero sum; anything else leaves the table byte for byte
// as it was. The only messages are the connection's and the command's
// failures. After every step the rows show the table at every position.
#include "fuzz_steps.h"
#include "resources/resource.h"
#include "setting_fuzz_page.h"
#include "table_oracle.h"

namespace {

using fuzz::FuzzInput;
using fuzz::SettingPage;

using enum fuzz::steps::setting_refresh::Step;
constexpr int kMaxSteps = 8;

void Refresh(SettingPage& setting, FuzzInput& input) {
  const protocol::IpSettingRecord before = setting.Table();
  const fuzz::ScriptedConnection connection = setting.Click(IDC_SETTING_REFRESH, input);

  std::vector<std::string> expectedBoxes;
  if (connection.Used() && !connection.Accepted()) {
    expectedBoxes = {"No Connect!!"};
  } else if (connection.Accepted() && connection.Sent() != fuzz::kReadCommand) {
    expectedBoxes = {"Socket Error!!"};
  }
  FUZZ_REQUIRE(setting.LastBoxes() == expectedBoxes);
  if (connection.Accepted()) {
    FUZZ_REQUIRE(std::string_view(fuzz::kReadCommand).starts_with(connection.Sent()));
  }

  const std::optional<std::string> received = fuzz::BlockReceived(connection, fuzz::kReadCommand);
  FUZZ_REQUIRE(setting.Table() ==
               (received ? fuzz::oracle::TableAfterRead(before, *received) : before));
}

void Scroll(SettingPage& setting, FuzzInput& input) {
  const protocol::IpSettingRecord before = setting.Table();
  const int request = input.Byte() % (ui::kSbEndScroll + 1);
  const int position = static_cast<std::int8_t>(input.Byte());
  setting.Act([&] { setting.Page().OnVScroll(request, position, IDC_SETTING_SCROLL); });
  FUZZ_REQUIRE(setting.LastBoxes().empty());
  FUZZ_REQUIRE(setting.Table() == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  SettingPage setting;
  for (int step = 0; step < kMaxSteps && !input.Empty(); ++step) {
    switch (input.Byte() % kStepCount) {
      case kRefresh:
        Refresh(setting, input);
        break;
      case kScroll:
        Scroll(setting, input);
        break;
      case kEveryPosition:
        setting.RequireEveryPositionShowsTable();
        break;
    }
    setting.RequireScreenShowsTable();
  }
  // Every position of a table read from the panel; the empty start table
  // has had its every position checked often enough.
  if (setting.Table() != protocol::IpSettingRecord{}) setting.RequireEveryPositionShowsTable();
  return 0;
}
