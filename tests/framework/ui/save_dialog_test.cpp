// The system's save dialog, driven for real from a second thread while the test's thread waits
// in it, as a user would: the name typed into its field, Save or Cancel pressed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "framework/ui/save_dialog.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kFileTypeControl = 1136;

// What the driver saw of the dialog.
struct TDriven {
  bool Appeared = false;
  ustring ProposedName;
  ustring FileType;
  TDialogSeen OverwriteQuestion;
  bool QuestionHasYesAndNo = false;
  bool StillOpenAfterNo = false;
};

std::wstring TempFolder() {
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, path);
  return path;
}

ustring U(const std::wstring& text) { return FromWide(text.c_str(), text.size()); }

void MakeFile(const ustring& path, const char* content) {
  HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
  CloseHandle(file);
}

void MakeExcelDialog(TSaveDialog& dialog) {
  dialog.Filter = u"Excel2003 Files (*.xls)|*.xls";
  dialog.Options = {TOpenOption::ofOverwritePrompt, TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
}

// Runs `dialog` on this thread while `drive` acts on it from another.
template <class Drive>
bool RunDriven(TSaveDialog& dialog, TDriven& driven, Drive drive) {
  const std::vector<HWND> before = ProcessDialogs();
  std::thread driver([&] {
    HWND window = WaitForDialog(before, 20s);
    if (!window) return;
    // The explorer dialog fills its fields after it appears.
    for (int i = 0; i < 100 && !FileNameField(window); ++i) std::this_thread::sleep_for(20ms);
    std::this_thread::sleep_for(300ms);
    driven.Appeared = true;
    driven.ProposedName = TextOf(FileNameField(window));
    driven.FileType = TextOf(GetDlgItem(window, kFileTypeControl));
    drive(window);
  });
  bool chosen = false;
  try {
    chosen = dialog.Execute();
  } catch (...) {
    driver.join();
    throw;
  }
  driver.join();
  return chosen;
}

TEST(SaveDialogTest, ProposesTheNameShowsTheFilterAndReturnsTheChosenPath) {
  TSaveDialog dialog;
  MakeExcelDialog(dialog);
  dialog.FileName = u"report.xls";
  const ustring target = U(TempFolder()) + u"chosen.xls";
  DeleteFileW(Wide(target));
  TDriven driven;
  const bool chosen = RunDriven(dialog, driven, [&](HWND window) {
    TypeFileName(window, target);
    PressDialogButton(window, IDOK);
  });
  ASSERT_TRUE(driven.Appeared);
  EXPECT_EQ(driven.ProposedName, u"report.xls");
  EXPECT_EQ(driven.FileType, u"Excel2003 Files (*.xls)");
  EXPECT_TRUE(chosen);
  EXPECT_EQ(dialog.FileName, target);
}

TEST(SaveDialogTest, CancelReturnsNothingAndKeepsTheName) {
  TSaveDialog dialog;
  MakeExcelDialog(dialog);
  dialog.FileName = u"kept.xls";
  TDriven driven;
  const bool chosen = RunDriven(dialog, driven, [](HWND window) { PressDialogButton(window, IDCANCEL); });
  ASSERT_TRUE(driven.Appeared);
  EXPECT_FALSE(chosen);
  EXPECT_EQ(dialog.FileName, u"kept.xls");
}

TEST(SaveDialogTest, AnExistingFileIsQuestionedAndNoKeepsTheDialogOpen) {
  const ustring existing = U(TempFolder()) + u"existing.xls";
  MakeFile(existing, "old");
  TSaveDialog dialog;
  MakeExcelDialog(dialog);
  TDriven driven;
  const bool chosen = RunDriven(dialog, driven, [&](HWND window) {
    TypeFileName(window, existing);
    std::vector<HWND> known = ProcessDialogs();
    PressDialogButton(window, IDOK);
    HWND question = WaitForDialog(known, 10s);
    if (!question) return;
    std::this_thread::sleep_for(200ms);
    driven.OverwriteQuestion = Describe(question);
    driven.QuestionHasYesAndNo = GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO);
    PressDialogButton(question, IDNO);
    std::this_thread::sleep_for(700ms);
    driven.StillOpenAfterNo = IsWindow(window) && IsWindowVisible(window);
    PressDialogButton(window, IDCANCEL);
  });
  ASSERT_TRUE(driven.Appeared);
  ASSERT_TRUE(driven.OverwriteQuestion.Found);
  ASSERT_FALSE(driven.OverwriteQuestion.Texts.empty());
  EXPECT_TRUE(driven.QuestionHasYesAndNo);
  EXPECT_TRUE(driven.StillOpenAfterNo);
  EXPECT_FALSE(chosen);
  HANDLE file = CreateFileW(Wide(existing), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char content[8] = {};
  DWORD read = 0;
  ReadFile(file, content, sizeof content, &read, nullptr);
  CloseHandle(file);
  EXPECT_EQ(std::string(content, read), "old");
  DeleteFileW(Wide(existing));
}

TEST(SaveDialogTest, AChineseNameInALongPathComesBackIntact) {
  // A folder deep enough that the whole path has more than 200 characters.
  std::wstring folder = TempFolder() + L"larkwell-长路径";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (int level = 0; level < 3; ++level) {
    folder += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + level));
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  const ustring target = U(folder) + u"\\销售报表（二〇二六年）.xls";
  ASSERT_GT(target.size(), 200u);
  DeleteFileW(Wide(target));
  TSaveDialog dialog;
  MakeExcelDialog(dialog);
  dialog.FileName = u"销售报表.xls";
  TDriven driven;
  const bool chosen = RunDriven(dialog, driven, [&](HWND window) {
    TypeFileName(window, target);
    PressDialogButton(window, IDOK);
  });
  ASSERT_TRUE(driven.Appeared);
  EXPECT_EQ(driven.ProposedName, u"销售报表.xls");
  EXPECT_TRUE(chosen);
  EXPECT_EQ(dialog.FileName, target);
}

}  // namespace
}  // namespace larkwell::testing
