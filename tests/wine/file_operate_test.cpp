// The File Operate page in the real program: the setup block saved to a
// file and loaded back through the real file dialogs, and the log saved.
// Every file goes into a folder of its own under the Windows temporary
// folder, removed after the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "program_test.h"
#include "resources/resource.h"

namespace wine_driver {
namespace {

constexpr const char* kPanel = kBuiltInPanels[0];  // VK1, the panel the program starts with

std::string ToString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes Concat(std::string_view text, const Bytes& bytes) {
  Bytes joined(text.begin(), text.end());
  joined.insert(joined.end(), bytes.begin(), bytes.end());
  return joined;
}

// A block whose bytes add up to 0, as a panel's setup block does.
Bytes ZeroSumBlock(std::size_t size, std::uint8_t seed) {
  Bytes block(size);
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    block[i] = static_cast<std::uint8_t>(seed + i * 31);
    sum = static_cast<std::uint8_t>(sum + block[i]);
  }
  block[size - 1] = static_cast<std::uint8_t>(0x100 - sum);
  return block;
}

// A folder of its own under the Windows temporary folder; removed, with
// the files in it, when the object ends.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) throw DriverError("no temporary folder");
    static int count = 0;
    path_ = std::wstring(temp) + L"SetupTool-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++count);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) {
      throw DriverError("cannot create " + Narrow(path_));
    }
  }
  ~TemporaryFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") DeleteFileW(File(name).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

 private:
  std::wstring path_;
};

// A file's bytes; nothing when it cannot be read.
std::optional<Bytes> ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  Bytes bytes;
  std::uint8_t buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok =
      file != INVALID_HANDLE_VALUE &&
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) throw DriverError("cannot write " + Narrow(path));
}

class FileOperateTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    page_ = ShowTab(kFileOperateTab);
    ASSERT_EQ(page_, FileOperatePage());
  }

  HWND Control(int id) const { return Child(page_, id); }

  // Clicks a button that opens a file dialog and returns the dialog.
  HWND OpenFileDialogWith(int button) {
    Click(Control(button), Until::kPosted);
    return program().WaitForFileDialog();
  }

  // Chooses a file in a file dialog and waits until the dialog has closed.
  static void ChooseAndClose(HWND dialog, const std::wstring& path) {
    ChooseFile(dialog, path);
    WaitUntilGone(dialog);
  }

  // Expects the program's next box to be a success report ("Status", no
  // icon, OK alone) with this text, and closes it.
  void ExpectStatus(std::wstring_view text) {
    const MessageBoxView box = program().WaitForMessageBox();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, L"Status");
    EXPECT_EQ(ToString(box.icon), ToString(BoxIcon::kNone));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    Answer(box, IDOK);
  }

  TemporaryFolder folder_;

 private:
  HWND page_ = nullptr;
};

// --- Setup Save: the block from the panel into a file ------------------------

TEST_F(FileOperateTest, SaveStoresTheBlockThePanelServedInTheChosenFile) {
  const Bytes served = simulator().Get(kPanel, "setup");
  ASSERT_GT(served.size(), 1000u);
  // The block arrives in uneven pieces, as it may from a real panel.
  simulator().Fault(kPanel, "pieces 5,10,700,3", "VK38 SETTING REQ");

  HWND dialog = OpenFileDialogWith(IDC_SETUP_SAVE);
  const FileDialogView offer = ReadFileDialog(dialog);
  EXPECT_EQ(offer.caption, L"Save As");
  EXPECT_EQ(offer.fileTypes, std::vector<std::wstring>{L"SETUP"});
  EXPECT_EQ(offer.fileName, L"*.v38");
  // The dialog comes once the block is in the tool.
  EXPECT_EQ(simulator().Received(kPanel), std::vector<Bytes>{Concat("VK38 SETTING REQ\r\n", {})});

  const std::wstring path = folder_.File(L"panel.v38");
  ChooseAndClose(dialog, path);
  ExpectStatus(L"Save OK");
  program().ExpectNoDialog();

  EXPECT_EQ(ReadBytes(path), served);
  // The edit shows the setup file to load, not the file just saved.
  EXPECT_EQ(Text(Control(IDC_SETUP_FILE_PATH)), L"");
}

TEST_F(FileOperateTest, SaveAsksBeforeReplacingAFileAndThenReplacesItWhole) {
  const Bytes served = simulator().Get(kPanel, "setup");
  const std::wstring path = folder_.File(L"existing.v38");
  const Bytes before(served.size() + 3000, 'x');
  WriteBytes(path, before);

  // Declining the question keeps the dialog open; cancelling it then
  // drops the block without a word.
  HWND dialog = OpenFileDialogWith(IDC_SETUP_SAVE);
  ChooseFile(dialog, path);
  MessageBoxView question = program().WaitForMessageBox();
  EXPECT_NE(question.window, dialog);
  EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
  Answer(question, IDNO);
  EXPECT_TRUE(IsShown(dialog));
  CancelFileDialog(dialog);
  program().ExpectNoDialog();
  EXPECT_EQ(ReadBytes(path), before);

  // Agreeing replaces the longer file by the block, nothing of it left.
  dialog = OpenFileDialogWith(IDC_SETUP_SAVE);
  ChooseFile(dialog, path);
  question = program().WaitForMessageBox();
  Answer(question, IDYES);
  WaitUntilGone(dialog);
  ExpectStatus(L"Save OK");
  EXPECT_EQ(ReadBytes(path), served);
}

// --- Setup Load: a file chosen with File back into the panel -----------------

TEST_F(FileOperateTest, LoadSendsTheFileChosenWithFileBackToThePanel) {
  // A name outside ASCII, and outside any one code page, shows that the
  // path goes through wide characters from the dialog to the file.
  const std::wstring path = folder_.File(L"Sicherung-\u00e4\u03a9\u8a2d\u5b9a.v38");
  const Bytes served = simulator().Get(kPanel, "setup");
  ChooseAndClose(OpenFileDialogWith(IDC_SETUP_SAVE), path);
  ExpectStatus(L"Save OK");
  ASSERT_EQ(ReadBytes(path), served);

  // The panel's setup changes meanwhile; loading the file restores it.
  const Bytes changed = ZeroSumBlock(300, 0x41);
  simulator().Put(kPanel, "setup", changed);
  ASSERT_EQ(simulator().Get(kPanel, "setup"), changed);

  HWND dialog = OpenFileDialogWith(IDC_SETUP_FILE);
  const FileDialogView offer = ReadFileDialog(dialog);
  EXPECT_EQ(offer.caption, L"Open");
  EXPECT_EQ(offer.fileTypes, std::vector<std::wstring>{L"SETUP"});
  EXPECT_EQ(offer.fileName, L"*.v38");
  EXPECT_FALSE(offer.readOnlyBox);
  ChooseAndClose(dialog, path);
  program().ExpectNoDialog();
  EXPECT_EQ(Text(Control(IDC_SETUP_FILE_PATH)), path);
  // The hidden upgrade page has an edit with the same id; it is not
  // touched.
  EXPECT_EQ(Text(Child(UpgradePage(), IDC_PROGRAM_PATH)), L"");

  Click(Control(IDC_SETUP_LOAD), Until::kPosted);
  ExpectStatus(L"Write OK");
  program().ExpectNoDialog();

  EXPECT_EQ(simulator().Get(kPanel, "setup"), served);
  const std::vector<Bytes> received = simulator().Received(kPanel);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(ToString(received[0]), "VK38 SETTING REQ\r\n");
  EXPECT_EQ(received[1], Concat("VK38 SETTING CHANGE\r\n", served));
}

// --- Log Save: the panel's log into a file ----------------------------------

TEST_F(FileOperateTest, LogSaveWritesTheWholeLogInTheChosenFile) {
  // 10 000 bytes in pieces of 1460, the last one short; every line
  // numbered, so that a lost, doubled or reordered piece shows.
  simulator().Command(std::string("log ") + kPanel + " 10000 1460");
  Bytes log;
  for (int line = 0; log.size() < 10000; ++line) {
    char text[40];
    std::snprintf(text, sizeof text, "%06d PANEL EVENT %08x\r\n", line, line * 2654435761u);
    log.insert(log.end(), text, text + std::strlen(text));
  }
  log.resize(10000);
  simulator().Put(kPanel, "log", log);
  const Bytes expected = simulator().Get(kPanel, "log");
  ASSERT_EQ(expected, log);

  HWND dialog = OpenFileDialogWith(IDC_LOG_SAVE);
  const FileDialogView offer = ReadFileDialog(dialog);
  EXPECT_EQ(offer.caption, L"Save As");
  EXPECT_EQ(offer.fileTypes, std::vector<std::wstring>{L"LOG"});
  EXPECT_EQ(offer.fileName, L"VK38.log");
  // The panel is asked only once a file is chosen.
  EXPECT_TRUE(simulator().Received(kPanel).empty());

  const std::wstring path = folder_.File(L"VK38.log");
  ChooseAndClose(dialog, path);
  ExpectStatus(L"Save OK!!");
  program().ExpectNoDialog();

  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(simulator().Received(kPanel), std::vector<Bytes>{Concat("VK38 LOG REQ\r\n", {})});
}

// Under Wine a reset reads like an orderly close in recv; the program still
// tells it from the end of the log.
TEST_F(FileOperateTest, LogSaveCutByAResetIsASocketError) {
  simulator().Fault(kPanel, "reset-after 3000", "VK38 LOG REQ");
  HWND dialog = OpenFileDialogWith(IDC_LOG_SAVE);
  ChooseAndClose(dialog, folder_.File(L"VK38.log"));

  const MessageBoxView box = program().WaitForMessageBox();
  EXPECT_EQ(box.text, L"Socket Error!!");
  EXPECT_EQ(box.caption, L"SetupTool");
  EXPECT_EQ(ToString(box.icon), ToString(BoxIcon::kError));
  Answer(box, IDOK);
  program().ExpectNoDialog();
}

}  // namespace
}  // namespace wine_driver
