// The progress window: a small stay-on-top tool window with a line of text and a gauge, made on
// first use, shown and updated for every block of a download, hidden when it completes.
#pragma once

#include <chrono>
#include <cstdint>

#include "framework/ui/form.h"
#include "framework/ui/gauge.h"
#include "framework/ui/label.h"

namespace larkwell {

class TfrmProgress : public TForm {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Built from its stored description; not visible yet.
  TfrmProgress();

  // Shows the window (made first if needed; centred the first time, later where the user left
  // it) with `caption`, `text` and `step` (clamped to 0..100 by the gauge), brings it to the
  // front, then handles the messages waiting for this thread so it repaints and can be moved
  // while the caller keeps the thread busy. Calls that come faster than kServeInterval set the
  // texts and the gauge but leave raising and messages to the next call that is due.
  static void showProgress(const ustring& caption, const ustring& text, int32_t step);
  // Hides the window, making it first (hidden) if it does not exist yet.
  static void hideProgress();

  // The one progress window, or null while none was made.
  static TfrmProgress* Instance() noexcept;
  // Destroys the window if it was ever made (the shell's finalisation).
  static void DestroyInstance() noexcept;

  TLabel* Label1 = nullptr;
  TGauge* Gauge1 = nullptr;

  static constexpr std::chrono::milliseconds kServeInterval{10};

 private:
  static TfrmProgress& Window();

  std::chrono::steady_clock::time_point FLastServed{};  // when messages were last handled
};

}  // namespace larkwell
