#include "app/download_handler.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "app/progress.h"
#include "framework/ui/message_box.h"
#include "os/dynamic_library.h"

namespace larkwell {

int64_t ExpectedTotal(int64_t announcedLength) noexcept { return announcedLength < 1 ? 1024 : announcedLength; }

TCefStreamDownloadHandler::TCefStreamDownloadHandler(TStream* stream, bool owned, int64_t announcedLength,
                                                     ustring fileName)
    : FStream(stream),
      FOwned(owned),
      FAnnounced(announcedLength),
      FExpected(ExpectedTotal(announcedLength)),
      FFileName(std::move(fileName)) {}

namespace {
std::atomic<bool> gProgramEnding{false};
}  // namespace

void TCefStreamDownloadHandler::SetProgramEnding(bool ending) noexcept { gProgramEnding = ending; }

TCefStreamDownloadHandler::~TCefStreamDownloadHandler() { CloseOwnedStream(); }

void TCefStreamDownloadHandler::CloseOwnedStream() noexcept {
  if (FOwned) delete std::exchange(FStream, nullptr);
}

int TCefStreamDownloadHandler::ReceivedData(void* data, int DataSize) {
  if (FFailed || !FStream || gProgramEnding) return 0;
  try {
    const int64_t percent = FStream->Position() * 100 / FExpected;  // before this block
    TfrmProgress::showProgress(kProgressCaption, kProgressText, static_cast<int32_t>(percent));
    // A stream that fails without saying why must not be blamed with an older error's text.
    os::ClearLastError();
    const int64_t written = FStream->Write(data, DataSize);
    if (written != DataSize) {
      const uint32_t code = os::LastErrorCode();
      FReceived += std::max<int64_t>(written, 0);
      Fail(code != 0 ? os::SystemErrorText(code) : u"写入文件时出错。");
      return 0;
    }
    FReceived += written;
    return static_cast<int>(written);
  } catch (...) {
    // The engine boundary tells the user of this error and asks the engine to stop; the
    // download has failed all the same, so it is never called complete after it.
    Abandon();
    throw;
  }
}

void TCefStreamDownloadHandler::Complete() {
  if (FFailed || gProgramEnding) {
    CloseOwnedStream();
    return;
  }
  if (FAnnounced >= 1 && FReceived < FAnnounced) {
    Fail(u"只收到 " + Utf8ToUstring(std::to_string(FReceived)) + u" 字节，服务器告知的大小为 " +
         Utf8ToUstring(std::to_string(FAnnounced)) + u" 字节。");
    return;
  }
  TfrmProgress::hideProgress();
  // Closed before the user hears of it, so the file can be opened from the message on.
  CloseOwnedStream();
  ShowMessageBox(nullptr, kCompleteText, kNoticeCaption, kCompleteFlags);
}

void TCefStreamDownloadHandler::Abandon() noexcept {
  FFailed = true;
  CloseOwnedStream();  // what was written stays in the file
  try {
    if (TfrmProgress* window = TfrmProgress::Instance()) window->Close();
  } catch (...) {
    // The error on its way out is the one the user hears of.
  }
}

void TCefStreamDownloadHandler::Fail(const ustring& reason) {
  FFailed = true;
  TfrmProgress::hideProgress();
  CloseOwnedStream();  // what was written stays in the file
  ShowMessageBox(nullptr, ustring(kFailedText) + u"\r\n" + FFileName + u"\r\n" + reason, kNoticeCaption, kFailedFlags);
}

}  // namespace larkwell
