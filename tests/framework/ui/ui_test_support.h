// What the window-layer tests use to look at real windows: a watcher that finds and answers the
// dialogs this process shows (from its own thread, while the test's thread sits in the dialog's
// modal loop), a message pump with a deadline, and a pixel grab of a window.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "core/ustring.h"
#include "framework/ui/win32.h"

namespace larkwell::testing {

// A top-level dialog window of this process, as it was found.
struct TDialogSeen {
  HWND Window = nullptr;
  ustring Caption;
  std::vector<ustring> Texts;  // the text of every Static child, in order
  HICON Icon = nullptr;        // the icon its icon control shows; null when none
  HWND Owner = nullptr;
  bool Found = false;
};

// Whether a message box shows the system's icon `id` (IDI_ERROR, IDI_INFORMATION, ...): the
// system hands every box the one shared icon of each kind.
bool ShowsIcon(const TDialogSeen& box, LPCWSTR id);

// The visible dialog windows (#32770) of this process, top-level, newest first as the system lists them.
std::vector<HWND> ProcessDialogs();
// The text of a window of any thread, without waiting on a hung one.
ustring TextOf(HWND window);
TDialogSeen Describe(HWND dialog);

// Watches on its own thread for the first dialog of this process not in `ignored` (at most
// `timeout`), reads it, and then runs `answer` on it (by default: presses OK).
class TDialogWatcher {
 public:
  using TAnswer = std::function<void(HWND dialog)>;
  explicit TDialogWatcher(TAnswer answer = PressButton(IDOK), std::vector<HWND> ignored = ProcessDialogs(),
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));
  ~TDialogWatcher();
  TDialogWatcher(const TDialogWatcher&) = delete;
  TDialogWatcher& operator=(const TDialogWatcher&) = delete;

  // Waits for the watcher's thread and returns what it saw (Found false when nothing came).
  TDialogSeen Result();

  // An answer that posts the press of button `id` to the dialog.
  static TAnswer PressButton(int id);

 private:
  std::thread thread_;
  TDialogSeen seen_;
};

// Waits for a new dialog of this process (other than `ignored`), at most `timeout`; null if none.
HWND WaitForDialog(const std::vector<HWND>& ignored, std::chrono::milliseconds timeout);

// The save dialog's file-name field (an Edit inside control 1148, or 1152).
HWND FileNameField(HWND dialog);
// Puts `text` into the save dialog's file-name field, as typing would.
void TypeFileName(HWND dialog, const ustring& text);
// Presses the dialog's button `id` (IDOK, IDCANCEL, IDNO, ...) by posting its command.
void PressDialogButton(HWND dialog, int id);

// Handles this thread's messages until `done()` holds or `timeout` passes; answers done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Handles this thread's messages for `duration`.
void PumpFor(std::chrono::milliseconds duration);

// The pixels of a window's client area as the screen shows them, row by row, as 0x00RRGGBB.
struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Colors;
  uint32_t At(int x, int y) const { return Colors[static_cast<size_t>(y) * Width + x]; }
};
TPixels GrabClient(HWND window);
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b; }

}  // namespace larkwell::testing
