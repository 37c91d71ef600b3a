// The main window with the stand-in engine: built from its description, on the start page, no
// context menu, and every download turned into a save-as question, driven as a user would.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/machine_id.h"
#include "app/main_form.h"
#include "app/progress.h"
#include "enginesim/control_firing.h"
#include "enginesim/control_web.h"
#include "framework/ui/application.h"
#include "tests/framework/ui/ui_test_support.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

class MainFormTest : public LoadedEngineTest {
 protected:
  void SetUp() override {
    LoadedEngineTest::SetUp();
    form = &Application().CreateForm<TfrmMain>();
  }
  void TearDown() override {
    Application().DestroyForms();
    LoadedEngineTest::TearDown();
  }

  // Runs the download question for `suggested` while `drive` answers the dialog.
  template <class Drive>
  bool AskForDownload(const ustring& suggested, int64_t length, IPtr<ICefDownloadHandler>& handler, Drive drive) {
    const std::vector<HWND> before = ProcessDialogs();
    std::thread user([&] {
      HWND dialog = WaitForDialog(before, 20s);
      if (!dialog) return;
      for (int i = 0; i < 100 && !FileNameField(dialog); ++i) std::this_thread::sleep_for(20ms);
      std::this_thread::sleep_for(300ms);
      proposed = TextOf(FileNameField(dialog));
      drive(dialog);
    });
    bool result = false;
    form->crmGetDownloadHandler(form->crm, form->crm->Browser(), u"application/vnd.ms-excel", suggested, length,
                                handler, result);
    user.join();
    return result;
  }

  static ustring TempPath(const ustring& name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return FromWide(folder) + name;
  }

  TfrmMain* form = nullptr;
  ustring proposed;
};

TEST_F(MainFormTest, BuiltFromItsDescriptionItLoadsTheStartPageWithTheMachineId) {
  EXPECT_EQ(Application().MainForm(), form);
  EXPECT_EQ(WindowText(form->Handle()), u"Larkwell");
  EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
  ASSERT_NE(form->crm, nullptr);
  EXPECT_EQ(form->crm->Align(), TAlign::alClient);
  EXPECT_EQ(form->crm->DefaultEncoding(), u"utf8");
  EXPECT_EQ(form->crm->DefaultUrl(), u"");
  // What the shipped description sets beyond the classes' defaults.
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(form->Font().Name, u"Tahoma");
  EXPECT_EQ(form->Font().Height, -11);
  EXPECT_EQ(form->crm->Color(), clWhite);
  EXPECT_EQ(form->SaveDialog->Filter, u"Excel2003 Files (*.xls)|*.xls");
  EXPECT_TRUE((form->SaveDialog->Options ==
               TOpenOptions{TOpenOption::ofOverwritePrompt, TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing}));

  wchar_t lang[16] = {};
  GetEnvironmentVariableW(L"LANG", lang, 16);
  EXPECT_EQ(std::wstring(lang), L"zh-CN");

  // The empty default address, then the start page.
  IPtr<ICefFrame> frame = form->crm->Browser()->GetMainFrame();
  TCefBase* structure = CefWrap(frame);
  EXPECT_EQ(sim_recorded_number(structure, "load_url"), 2);
  structure->release(structure);
  const ustring id = getMacAddress();
  EXPECT_TRUE(id.empty() || id.size() == 17);
  const ustring start = StartAddress(StartHost(), id);  // its form: app_portable_tests
  EXPECT_TRUE(PumpUntil([&] { return frame->GetUrl() == start; }, 3s)) << UstringToUtf8(frame->GetUrl());
  EXPECT_EQ(TfrmProgress::Instance(), nullptr);  // no download, no progress window
}

TEST_F(MainFormTest, ARightClickIsAnsweredAsDealtWith) {
  TCefClient* client = CefWrap<TCefClient>(Query<ICefBase>(form->crm->Browser()->GetClient()));
  TCefBase* menu = sim_client_get_handler(client, "menu");
  TCefBrowser* browser = CefWrap<TCefBrowser>(form->crm->Browser());
  TCefMenuInfo info{};
  info.typeFlags = 1;
  {
    using namespace enginesim::fire_args;
    enginesim::Fired fired(menu, "menu_handler.on_before_menu", {Obj(browser), Ptr(&info)});
    EXPECT_EQ(fired.answer(), 1);
  }
  browser->base.release(&browser->base);
  sim_client_release(client);
  client->base.release(&client->base);
}

TEST_F(MainFormTest, CancellingKeepsTheExpectedLengthAndMakesNoFile) {
  ExpectedContentLength = 77;
  IPtr<ICefDownloadHandler> handler;
  const ustring path = TempPath(u"cancelled.xls");
  DeleteFileW(Wide(path));
  EXPECT_TRUE(AskForDownload(u"cancelled.xls", 1000, handler, [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); }));
  EXPECT_FALSE(handler);
  EXPECT_EQ(ExpectedContentLength, 77);
  EXPECT_EQ(proposed, u"cancelled.xls");
  EXPECT_EQ(GetFileAttributesW(Wide(path)), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainFormTest, AChosenFileGetsAHandlerAndTheExpectedLength) {
  const ustring path = TempPath(u"报表.xls");
  DeleteFileW(Wide(path));
  IPtr<ICefDownloadHandler> handler;
  EXPECT_TRUE(AskForDownload(u"..\\..\\报表.xls", 5000000, handler, [&](HWND dialog) {
    TypeFileName(dialog, path);
    PressDialogButton(dialog, IDOK);
  }));
  EXPECT_EQ(proposed, u"报表.xls");  // the server's path is not proposed
  ASSERT_TRUE(handler);
  EXPECT_EQ(ExpectedContentLength, 5000000);
  EXPECT_NE(GetFileAttributesW(Wide(path)), INVALID_FILE_ATTRIBUTES);
  // Created without sharing, until the handler lets go.
  EXPECT_EQ(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                        nullptr),
            INVALID_HANDLE_VALUE);
  handler.Reset();

  IPtr<ICefDownloadHandler> second;
  bool askedToOverwrite = false;
  EXPECT_TRUE(AskForDownload(u"unknown", 0, second, [&](HWND dialog) {
    TypeFileName(dialog, path);
    PressDialogButton(dialog, IDOK);
    if (HWND question = WaitForDialog({dialog}, 10s)) {
      askedToOverwrite = true;
      PressDialogButton(question, IDYES);
    }
  }));
  EXPECT_TRUE(askedToOverwrite) << "the file exists: the dialog must ask before it is overwritten";
  EXPECT_TRUE(second);
  EXPECT_EQ(ExpectedContentLength, 1024);
  second.Reset();
  DeleteFileW(Wide(path));
}

TEST_F(MainFormTest, ALockedTargetIsReportedAndNoHandlerIsMade) {
  const ustring path = TempPath(u"locked.xls");
  HANDLE holder = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ExpectedContentLength = 55;
  TDialogSeen report;
  IPtr<ICefDownloadHandler> handler;
  EXPECT_TRUE(AskForDownload(u"locked.xls", 1000, handler, [&](HWND dialog) {
    TypeFileName(dialog, path);
    PressDialogButton(dialog, IDOK);
    HWND question = WaitForDialog({dialog}, 10s);  // it exists: overwrite?
    if (!question) return;
    PressDialogButton(question, IDYES);
    std::this_thread::sleep_for(300ms);
    HWND box = WaitForDialog({dialog, question}, 10s);
    if (!box) return;
    std::this_thread::sleep_for(100ms);
    report = Describe(box);
    PressDialogButton(box, IDOK);
  }));
  CloseHandle(holder);
  DeleteFileW(Wide(path));
  EXPECT_FALSE(handler);
  EXPECT_EQ(ExpectedContentLength, 55);
  ASSERT_TRUE(report.Found);
  EXPECT_EQ(report.Caption, u"Larkwell");
  ASSERT_FALSE(report.Texts.empty());
  EXPECT_EQ(report.Texts.back().rfind(u"Cannot create file \"" + path + u"\". ", 0), 0u)
      << UstringToUtf8(report.Texts.back());
}

}  // namespace
}  // namespace larkwell::testing
