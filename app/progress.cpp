#include "app/progress.h"

#include <utility>

#include "framework/forms/properties.h"
#include "framework/ui/application.h"

namespace larkwell {

namespace {

// Made on first use, without owner: the application does not free it, DestroyInstance does.
TfrmProgress* frmProgress = nullptr;

}  // namespace

const TClassInfo& TfrmProgress::StaticClassInfo() {
  static const TClassInfo info = TClassInfoBuilder<TfrmProgress>(u"TfrmProgress", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmProgress::TfrmProgress() {
  CreateFromDescription(FormResource(L"TFRMPROGRESS"));
  Label1 = &Child<TLabel>(u"Label1");
  Gauge1 = &Child<TGauge>(u"Gauge1");
}

TfrmProgress& TfrmProgress::Window() {
  if (!frmProgress) frmProgress = new TfrmProgress;
  return *frmProgress;
}

TfrmProgress* TfrmProgress::Instance() noexcept { return frmProgress; }

void TfrmProgress::DestroyInstance() noexcept { delete std::exchange(frmProgress, nullptr); }

void TfrmProgress::showProgress(const ustring& caption, const ustring& text, int32_t step) {
  TfrmProgress& window = Window();
  window.SetCaption(caption);  // each of these three costs nothing when nothing changed
  window.Label1->SetCaption(text);
  window.Gauge1->SetProgress(step);  // repaints at once when the percentage changed
  // Showing and raising the window and asking for waiting messages each cost round trips to the
  // window system (tens of microseconds under Wine, more than writing a 16 KiB block): once per
  // block they would slow a download many times over, mostly to look at an empty queue. So they
  // are done when the window appears and then at most every kServeInterval, which keeps it as
  // responsive as the engine's own 10 ms pump.
  const auto now = std::chrono::steady_clock::now();
  if (!window.Visible() || now - window.FLastServed >= kServeInterval) {
    window.Show();
    window.BringToFront();
    Application().ProcessMessages();
    window.FLastServed = std::chrono::steady_clock::now();
  }
}

void TfrmProgress::hideProgress() { Window().Close(); }

}  // namespace larkwell
