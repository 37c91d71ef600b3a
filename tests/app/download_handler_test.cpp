// The download handler as the engine drives it: percentages on the progress window, the bytes
// in order, and what the user is told at the end, read off the screen.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/download_handler.h"
#include "app/progress.h"
#include "core/exceptions.h"
#include "engine/cef_error_report.h"
#include "framework/streams.h"
#include "os/dynamic_library.h"
#include "framework/ui/application.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

// A memory stream that takes only `room` bytes, then fails as a full disk does.
class TFullDiskStream : public TMemoryStream {
 public:
  explicit TFullDiskStream(int64_t room) : room_(room) {}
  int64_t Write(const void* buffer, int64_t count) override {
    const int64_t fits = std::min(count, room_ - Size());
    if (fits > 0) TMemoryStream::Write(buffer, fits);
    if (fits < count) SetLastError(ERROR_DISK_FULL);
    return std::max<int64_t>(fits, 0);
  }

 private:
  int64_t room_;
};

std::vector<char> Bytes(size_t count, char first) {
  std::vector<char> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(first + i % 50);
  return bytes;
}

class DownloadHandlerTest : public ::testing::Test {
 protected:
  void TearDown() override { TfrmProgress::DestroyInstance(); }
  static int32_t Shown() { return TfrmProgress::Instance()->Gauge1->Progress(); }
  static bool ProgressVisible() {
    return TfrmProgress::Instance() && IsWindowVisible(TfrmProgress::Instance()->Handle());
  }
};

TEST_F(DownloadHandlerTest, BlocksShowThePercentBeforeEachAndLandInOrder) {
  TMemoryStream stream;
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, 1000, u"C:\\a.xls");
  std::vector<int32_t> shown;
  std::string sent;
  char first = 'A';
  for (int size : {300, 300, 300, 100}) {
    std::vector<char> block = Bytes(static_cast<size_t>(size), first++);
    sent.append(block.begin(), block.end());
    EXPECT_EQ(handler->ReceivedData(block.data(), size), size);
    shown.push_back(Shown());
    EXPECT_TRUE(ProgressVisible());
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{0, 30, 60, 90}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size())), sent);

  bool progressHiddenFirst = false;
  TDialogWatcher watcher([&](HWND box) {
    progressHiddenFirst = !ProgressVisible();
    TDialogWatcher::PressButton(IDOK)(box);
  });
  handler->Complete();
  const TDialogSeen box = watcher.Result();
  ASSERT_TRUE(box.Found);
  EXPECT_EQ(box.Caption, u"提示");
  ASSERT_FALSE(box.Texts.empty());
  EXPECT_EQ(box.Texts.back(), u"文件下载完成！");
  EXPECT_TRUE(progressHiddenFirst);
  handler.Reset();
  EXPECT_EQ(stream.Write("x", 1), 1);  // not owned: still the caller's
}

TEST_F(DownloadHandlerTest, WithoutALengthTheTotalIs1024) {
  TMemoryStream stream;
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, -1, u"C:\\b.xls");
  std::vector<char> block = Bytes(4096, 'a');
  std::vector<int32_t> shown;
  for (int i = 0; i < 3; ++i) {
    handler->ReceivedData(block.data(), 4096);
    shown.push_back(Shown());
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{0, 100, 100}));
  EXPECT_EQ(ExpectedTotal(0), 1024);
  EXPECT_EQ(ExpectedTotal(5000000), 5000000);
  EXPECT_EQ(ExpectedTotal(int64_t{5} << 32), int64_t{5} << 32);
}

TEST_F(DownloadHandlerTest, TwoDownloadsKeepTheirOwnPercentages) {
  TMemoryStream a, b;
  auto first = New<TCefStreamDownloadHandler>(&a, false, 1000, u"a");
  auto second = New<TCefStreamDownloadHandler>(&b, false, 100000, u"b");
  std::vector<char> block = Bytes(500, 'x');
  first->ReceivedData(block.data(), 500);
  second->ReceivedData(block.data(), 500);
  first->ReceivedData(block.data(), 100);
  EXPECT_EQ(Shown(), 50);
  second->ReceivedData(block.data(), 100);
  EXPECT_EQ(Shown(), 0);
}

TEST_F(DownloadHandlerTest, AFullDiskIsToldOnceKeepsTheBytesAndNeverSaysComplete) {
  TFullDiskStream stream(700);
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, 1000, u"F:\\满.xls");
  std::vector<char> block = Bytes(500, 'A');
  EXPECT_EQ(handler->ReceivedData(block.data(), 500), 500);
  TDialogWatcher watcher;
  EXPECT_EQ(handler->ReceivedData(block.data(), 500), 0);  // asks the engine to stop
  const TDialogSeen box = watcher.Result();
  ASSERT_TRUE(box.Found);
  ASSERT_FALSE(box.Texts.empty());
  EXPECT_NE(box.Texts.back().find(u"文件下载失败！"), ustring::npos);
  EXPECT_NE(box.Texts.back().find(u"F:\\满.xls"), ustring::npos);
  EXPECT_NE(box.Texts.back().find(os::SystemErrorText(ERROR_DISK_FULL)), ustring::npos);
  EXPECT_FALSE(ProgressVisible());
  EXPECT_EQ(stream.Size(), 700);  // what fitted stays
  EXPECT_EQ(handler->BytesReceived(), 700);

  // Later blocks and the engine's completion say nothing more.
  const std::vector<HWND> before = ProcessDialogs();
  EXPECT_EQ(handler->ReceivedData(block.data(), 500), 0);
  handler->Complete();
  EXPECT_EQ(WaitForDialog(before, 500ms), nullptr);
}

// What the user is told when a download that announced `announced` bytes completes after
// `received` of them landed in `stream`.
TDialogSeen ToldOnCompletion(TMemoryStream& stream, int64_t announced, int received) {
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, announced, u"C:\\report.xls");
  std::vector<char> block = Bytes(static_cast<size_t>(received), 'A');
  handler->ReceivedData(block.data(), received);
  TDialogWatcher watcher;
  handler->Complete();
  return watcher.Result();
}

TEST_F(DownloadHandlerTest, FewerBytesThanAnnouncedIsAFailure) {
  TMemoryStream stream;
  const TDialogSeen box = ToldOnCompletion(stream, 1000, 600);
  ASSERT_TRUE(box.Found);
  ASSERT_FALSE(box.Texts.empty());
  EXPECT_NE(box.Texts.back().find(u"文件下载失败！"), ustring::npos);
  EXPECT_NE(box.Texts.back().find(u"600"), ustring::npos);
  EXPECT_NE(box.Texts.back().find(u"1000"), ustring::npos);
  EXPECT_EQ(box.Texts.back().find(u"完成"), ustring::npos);
  EXPECT_FALSE(ProgressVisible());
  EXPECT_EQ(stream.Size(), 600);

  // One byte short is short too.
  TMemoryStream nearly;
  const TDialogSeen oneShort = ToldOnCompletion(nearly, 1000, 999);
  ASSERT_TRUE(oneShort.Found);
  ASSERT_FALSE(oneShort.Texts.empty());
  EXPECT_NE(oneShort.Texts.back().find(u"文件下载失败！"), ustring::npos);
}

// An owned file of `announced` bytes that gets ten: what the user is told at the end, and
// whether the file could be opened for writing while the message was up (it was closed first).
struct TOwnedFileEnd {
  TDialogSeen Box;
  bool OpenableWhileTold = false;
  int64_t SizeAfter = -1;
};
TOwnedFileEnd EndOwnedFile(const char16_t* name, int64_t announced) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const ustring path = FromWide(folder) + name;
  auto handler = New<TCefStreamDownloadHandler>(new TFileStream(path, FileMode::kCreate), true, announced, path);
  handler->ReceivedData(const_cast<char*>("0123456789"), 10);
  TOwnedFileEnd end;
  TDialogWatcher watcher([&](HWND box) {
    HANDLE other = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    end.OpenableWhileTold = other != INVALID_HANDLE_VALUE;
    if (end.OpenableWhileTold) CloseHandle(other);
    TDialogWatcher::PressButton(IDOK)(box);
  });
  handler->Complete();
  end.Box = watcher.Result();
  handler.Reset();
  HANDLE check = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (check != INVALID_HANDLE_VALUE) {
    end.SizeAfter = GetFileSize(check, nullptr);
    CloseHandle(check);
  }
  DeleteFileW(Wide(path));
  return end;
}

// Complete or failed, the handler closes the file it owns before the user is told, so the file
// can be opened while the message is up; what was written stays.
TEST_F(DownloadHandlerTest, AnOwnedFileIsClosedBeforeTheUserIsToldOfTheEnd) {
  const TOwnedFileEnd complete = EndOwnedFile(u"完成.xls", 10);
  ASSERT_TRUE(complete.Box.Found);
  EXPECT_TRUE(ShowsIcon(complete.Box, IDI_INFORMATION));
  EXPECT_TRUE(complete.OpenableWhileTold);
  EXPECT_EQ(complete.SizeAfter, 10);

  const TOwnedFileEnd failed = EndOwnedFile(u"失败.xls", 1000);  // 10 of the 1000 bytes announced
  ASSERT_TRUE(failed.Box.Found);
  EXPECT_TRUE(ShowsIcon(failed.Box, IDI_ERROR));
  EXPECT_TRUE(failed.OpenableWhileTold);
  EXPECT_EQ(failed.SizeAfter, 10);
}

// A stream that takes `room` bytes, then fails without saying why (no last error of its own).
class TSilentlyFailingStream : public TMemoryStream {
 public:
  explicit TSilentlyFailingStream(int64_t room) : room_(room) {}
  int64_t Write(const void* buffer, int64_t count) override {
    return Size() + count <= room_ ? TMemoryStream::Write(buffer, count) : 0;
  }

 private:
  int64_t room_;
};

// A stream whose position cannot be read (a file on a drive that went away).
class TLostStream : public TMemoryStream {
 public:
  int64_t Seek(int64_t, TSeekOrigin) override { throw Exception(u"the drive went away"); }
};

TEST_F(DownloadHandlerTest, AStreamFailingWithoutAReasonIsNotBlamedOnAnOlderError) {
  TSilentlyFailingStream stream(100);
  // Blocks far below one percent, back to back: the second neither repaints nor serves the
  // window, so no call of the window system stands between the older error and the write.
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, 100000, u"C:\\silent.xls");
  std::vector<char> block = Bytes(100, 'A');
  TDialogWatcher watcher;
  ASSERT_EQ(handler->ReceivedData(block.data(), 100), 100);
  SetLastError(ERROR_ALREADY_EXISTS);  // left by creating over an existing file
  EXPECT_EQ(handler->ReceivedData(block.data(), 100), 0);
  const TDialogSeen box = watcher.Result();
  ASSERT_TRUE(box.Found);
  ASSERT_FALSE(box.Texts.empty());
  EXPECT_EQ(box.Texts.back().find(os::SystemErrorText(ERROR_ALREADY_EXISTS)), ustring::npos)
      << UstringToUtf8(box.Texts.back());
  EXPECT_NE(box.Texts.back().find(u"写入文件时出错。"), ustring::npos);
  EXPECT_TRUE(ShowsIcon(box, IDI_ERROR));
}

// Through the engine's structure, as the engine calls it: the entry reports the error and asks
// the engine to stop; the download is over, and the engine's completion says nothing more.
TEST_F(DownloadHandlerTest, AnErrorOnTheWayFailsTheDownloadAndItIsNeverCalledComplete) {
  int reported = 0;
  SetCefErrorReportHandler([&](const std::exception_ptr&) { ++reported; });
  TLostStream stream;
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, -1, u"C:\\lost.xls");
  TCefDownloadHandler* structure = handler->DataAs<TCefDownloadHandler>();
  std::vector<char> block = Bytes(100, 'A');
  EXPECT_EQ(structure->received_data(structure, block.data(), 100), 0);
  EXPECT_EQ(reported, 1);
  TDialogWatcher watcher(TDialogWatcher::PressButton(IDOK), ProcessDialogs(), 500ms);
  structure->complete(structure);
  const TDialogSeen box = watcher.Result();
  SetCefErrorReportHandler({});
  EXPECT_FALSE(box.Found) << "told: " << (box.Texts.empty() ? "" : UstringToUtf8(box.Texts.back()));
  EXPECT_EQ(reported, 1);
  EXPECT_FALSE(ProgressVisible());
}

TEST_F(DownloadHandlerTest, MoreBytesThanAnnouncedIsStillComplete) {
  TMemoryStream stream;
  const TDialogSeen box = ToldOnCompletion(stream, 1000, 1200);
  ASSERT_TRUE(box.Found);
  ASSERT_FALSE(box.Texts.empty());
  EXPECT_EQ(box.Texts.back(), u"文件下载完成！");
  // The information icon, and no owner: the box stands on its own over whatever is up.
  EXPECT_TRUE(ShowsIcon(box, IDI_INFORMATION));
  EXPECT_EQ(box.Owner, nullptr);
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

TEST(DownloadHandlerEndingTest, OnceTheProgramEndsADownloadStopsAtItsNextBlockAndNobodyIsTold) {
  TMemoryStream stream;
  auto handler = New<TCefStreamDownloadHandler>(&stream, false, 1000, u"C:\\ending.xls");
  std::vector<char> block = Bytes(300, 'A');
  ASSERT_EQ(handler->ReceivedData(block.data(), 300), 300);
  TCefStreamDownloadHandler::SetProgramEnding(true);
  EXPECT_EQ(handler->ReceivedData(block.data(), 300), 0) << "the engine is asked to stop";
  // A failure said now would hold the shut-down up behind a message box.
  TDialogWatcher watcher(TDialogWatcher::PressButton(IDOK), ProcessDialogs(), 500ms);
  handler->Complete();
  const TDialogSeen box = watcher.Result();
  TCefStreamDownloadHandler::SetProgramEnding(false);
  EXPECT_FALSE(box.Found) << "told: " << (box.Texts.empty() ? "" : UstringToUtf8(box.Texts.back()));
  EXPECT_EQ(stream.Size(), 300);  // what came before stays
  TfrmProgress::DestroyInstance();
}

}  // namespace
}  // namespace larkwell::testing
