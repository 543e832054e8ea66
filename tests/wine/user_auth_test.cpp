// The User Auth. page in the real program: the field filter on real edits,
// typed into and set at once, and a Refresh followed by a Set that changes
// the panel's credentials.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "program_test.h"
#include "resources/resource.h"

namespace wine_driver {
namespace {

constexpr const char* kPanel = kBuiltInPanels[0];  // VK1, the panel the program starts with
constexpr std::wstring_view kRefused = L"Enterd information is incorrect. Enter again.";

// The credential record: user name at 0 and password at 33, each ending in
// a NUL; byte 66 makes the 8-bit sum of all 68 bytes 0; byte 67 is spare.
constexpr std::size_t kRecordSize = 68;
constexpr std::size_t kPasswordAt = 33;
constexpr std::size_t kChecksumAt = 66;
constexpr std::size_t kSpareAt = 67;

void PutText(Bytes& record, std::size_t at, std::string_view text) {
  std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(at));
  record[at + text.size()] = 0;
}

void Balance(Bytes& record) {
  record[kChecksumAt] = 0;
  std::uint8_t sum = 0;
  for (std::uint8_t byte : record) sum = static_cast<std::uint8_t>(sum + byte);
  record[kChecksumAt] = static_cast<std::uint8_t>(0x100 - sum);
}

Bytes Concat(std::string_view text, const Bytes& bytes) {
  Bytes joined(text.begin(), text.end());
  joined.insert(joined.end(), bytes.begin(), bytes.end());
  return joined;
}

class UserAuthTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    page_ = ShowTab(kUserAuthTab);
    ASSERT_EQ(page_, UserAuthPage());
  }

  HWND Field(int id) const { return Child(page_, id); }

  // Expects the filter's warning for a refused character, checks that the
  // field already shows its corrected text behind it, and closes it.
  void ExpectRefusedWarning(HWND field, std::wstring_view corrected) {
    const MessageBoxView box = program().WaitForMessageBox();
    EXPECT_EQ(box.text, kRefused);
    EXPECT_EQ(box.caption, L"SetupTool");
    EXPECT_EQ(ToString(box.icon), ToString(BoxIcon::kExclamation));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(Text(field), std::wstring(corrected));
    Answer(box, IDOK);
  }

 private:
  HWND page_ = nullptr;
};

// --- The field filter on real edits -----------------------------------------

TEST_F(UserAuthTest, TypingAnAmpersandWarnsAndKeepsOnlyTheCharactersBeforeIt) {
  HWND name = Field(IDC_NEW_USER_NAME);
  TypeText(name, L"abcd");
  program().ExpectNoDialog();
  ASSERT_EQ(Text(name), L"abcd");

  // An ampersand typed between "ab" and "cd": the letters after it go too.
  TypeAt(name, 2, L"&", Until::kPosted);
  ExpectRefusedWarning(name, L"ab");
  // The filter runs again on its own correction, which passes.
  program().ExpectNoDialog();
  EXPECT_EQ(Text(name), L"ab");

  // The field takes allowed characters again.
  TypeAt(name, -1, L"x");
  program().ExpectNoDialog();
  EXPECT_EQ(Text(name), L"abx");
}

TEST_F(UserAuthTest, AnAmpersandSetIntoAnyOfTheFiveFieldsIsCutTheSameWay) {
  for (int id : {IDC_OLD_USER_NAME, IDC_NEW_USER_NAME, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD,
                 IDC_RETYPE_PASSWORD}) {
    SCOPED_TRACE("field " + std::to_string(id));
    HWND field = Field(id);
    SetText(field, L"pa&ss", Until::kPosted);
    ExpectRefusedWarning(field, L"pa");
    program().ExpectNoDialog();
    EXPECT_EQ(Text(field), L"pa");
  }
}

// --- Refresh, then Set with the pair the panel holds -------------------------

TEST_F(UserAuthTest, RefreshThenSetWithThePanelsPairChangesThePanelsCredentials) {
  // A pair other than the factory one, so that only the panel's pair as
  // read by Refresh lets Set through; the spare byte is the panel's own.
  Bytes panelRecord(kRecordSize, 0);
  PutText(panelRecord, 0, "operator7");
  PutText(panelRecord, kPasswordAt, "x7:pass!");
  panelRecord[kSpareAt] = 0x5A;
  Balance(panelRecord);
  simulator().Put(kPanel, "credentials", panelRecord);

  Click(Field(IDC_AUTH_REFRESH));
  program().ExpectNoDialog();
  EXPECT_EQ(Text(Field(IDC_OLD_USER_NAME)), L"operator7");

  TypeText(Field(IDC_OLD_PASSWORD), L"x7:pass!");
  TypeText(Field(IDC_NEW_USER_NAME), L"night");
  TypeText(Field(IDC_NEW_PASSWORD), L"n3w;word");
  TypeText(Field(IDC_RETYPE_PASSWORD), L"n3w;word");
  program().ExpectNoDialog();

  Click(Field(IDC_AUTH_SET), Until::kPosted);
  const MessageBoxView box = program().WaitForMessageBox();
  EXPECT_EQ(box.text, L"Write OK.\nPlease reboot TL-VK38.");
  EXPECT_EQ(box.caption, L"Status");
  EXPECT_EQ(ToString(box.icon), ToString(BoxIcon::kNone));
  EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
  Answer(box, IDOK);
  program().ExpectNoDialog();

  // The new pair is written over the old one; the rest of each field and
  // the spare byte stay as the panel had them, and the sum is 0 again.
  Bytes expected = panelRecord;
  PutText(expected, 0, "night");
  PutText(expected, kPasswordAt, "n3w;word");
  Balance(expected);
  EXPECT_EQ(simulator().Get(kPanel, "credentials"), expected);
  const std::vector<Bytes> received = simulator().Received(kPanel);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], Concat("VK38 AUTH SETTING REQ\r\n", {}));
  EXPECT_EQ(received[1], Concat("VK38 AUTH SETTING CHANGE\r\n", expected));

  // The page shows the new user name and empties the other fields.
  EXPECT_EQ(Text(Field(IDC_OLD_USER_NAME)), L"night");
  for (int id : {IDC_NEW_USER_NAME, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_RETYPE_PASSWORD}) {
    SCOPED_TRACE("field " + std::to_string(id));
    EXPECT_EQ(Text(Field(id)), L"");
  }
}

}  // namespace
}  // namespace wine_driver
