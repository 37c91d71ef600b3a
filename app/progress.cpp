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
  Label1 = &dynamic_cast<TLabel&>(*FindComponent(u"Label1"));
  Gauge1 = &dynamic_cast<TGauge&>(*FindComponent(u"Gauge1"));
}

TfrmProgress& TfrmProgress::Window() {
  if (!frmProgress) frmProgress = new TfrmProgress;
  return *frmProgress;
}

TfrmProgress* TfrmProgress::Instance() noexcept { return frmProgress; }

void TfrmProgress::DestroyInstance() noexcept { delete std::exchange(frmProgress, nullptr); }

void TfrmProgress::showProgress(const ustring& caption, const ustring& text, int32_t step) {
  TfrmProgress& window = Window();
  window.SetCaption(caption);
  window.Label1->SetCaption(text);
  window.Gauge1->SetProgress(step);
  window.Show();
  window.BringToFront();
  Application().ProcessMessages();
}

void TfrmProgress::hideProgress() { Window().Close(); }

}  // namespace larkwell
