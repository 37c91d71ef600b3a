// The download handler of the shell: it writes the bytes of one download, unchanged and in
// order, to a stream (the file the user chose), keeps the progress window up to date, and
// tells the user how the download ended.
#pragma once

#include <cstdint>
#include <memory>

#include "core/stream.h"
#include "core/ustring.h"
#include "engine/handlers_own.h"

namespace larkwell {

// The texts the user sees.
inline constexpr char16_t kProgressCaption[] = u"下载文件";
inline constexpr char16_t kProgressText[] = u"正在下载，请稍候......";
inline constexpr char16_t kCompleteText[] = u"文件下载完成！";
inline constexpr char16_t kNoticeCaption[] = u"提示";
inline constexpr char16_t kFailedText[] = u"文件下载失败！";
inline constexpr unsigned kCompleteFlags = 0x40;  // information icon, one OK button
inline constexpr unsigned kFailedFlags = 0x10;    // error icon, one OK button

// The total a percentage is computed against: the announced length, or 1024 when the server
// announced none (or 0).
int64_t ExpectedTotal(int64_t announcedLength) noexcept;

class TCefStreamDownloadHandler : public TCefDownloadHandlerOwn {
 public:
  // Writes to `stream`, which the handler destroys (closing a file) when `owned`. The percentage
  // is computed against this download's own expected total; `fileName` names the file in what
  // the user is told.
  TCefStreamDownloadHandler(TStream* stream, bool owned, int64_t announcedLength, ustring fileName);
  ~TCefStreamDownloadHandler() override;

  // One block: shows the percentage the stream's position (before the block) is of the total,
  // then writes the block straight from the engine's buffer. Answers the bytes written; 0 asks
  // the engine to stop: the write failed (the user is told at once, once) or failed before.
  // An error thrown on the way (the progress window or the stream) fails the download too and
  // goes on to the engine boundary, which reports it.
  int ReceivedData(void* data, int DataSize) override;
  // The end: hides the progress window, closes an owned stream, then tells the user that the
  // file was downloaded, or that it was not when fewer bytes came than the server announced.
  // Nothing more is said for a download whose failure the user already heard of.
  void Complete() override;

  int64_t BytesReceived() const noexcept { return FReceived; }

  // From the user's closing of the program on: every download stops at its next block (what
  // was written stays in its file) and nobody is told anything, so shut-down is never held up
  // by a message about a download the user walked away from. The shell says so when its
  // message loop ends; `ending` false undoes it (for tests).
  static void SetProgramEnding(bool ending) noexcept;

 private:
  void Fail(const ustring& reason);
  // Marks the download failed without telling the user (an error on its way tells them).
  void Abandon() noexcept;
  void CloseOwnedStream() noexcept;

  TStream* FStream;
  bool FOwned;
  int64_t FAnnounced;  // as the server said; below 1 when it said nothing
  int64_t FExpected;   // what percentages are computed against
  ustring FFileName;
  int64_t FReceived = 0;
  bool FFailed = false;  // the user has been told that this download failed
};

}  // namespace larkwell
