// The main window: maximised, filled by the browser, on the web application's start page.
#pragma once

#include <cstdint>

#include "app/start_page.h"
#include "browser/chromium.h"
#include "framework/ui/form.h"
#include "framework/ui/save_dialog.h"

namespace larkwell {

// The bytes the latest download is expected to have (the announced length, or 1024 when none
// was announced); 0 before the first. One value for the process, written on the main thread.
// Each download handler keeps its own copy, so a second download does not change the first's
// percentage.
extern int64_t ExpectedContentLength;

class TfrmMain : public TForm {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Built from its stored description; the browser exists (and the engine runs) before
  // FormCreate runs.
  TfrmMain();

  TChromium* crm = nullptr;
  TSaveDialog* SaveDialog = nullptr;

  // Sets LANG for this process, works out the machine id and loads the start page.
  void FormCreate(TObject* Sender);
  // No context menu anywhere: the menu is always dealt with.
  void crmBeforeMenu(TObject* Sender, const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo, bool& Result);
  // Every download becomes a save-as question; a chosen file gets a download handler. The
  // engine always hears true: with no handler when the user cancelled or the file could not be
  // made (that error is shown by the default error report and the download is dropped).
  void crmGetDownloadHandler(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& mimeType,
                             const ustring& fileName, int64_t contentLength, IPtr<ICefDownloadHandler>& handler,
                             bool& Result);

 private:
  TMethodTable Methods();
};

}  // namespace larkwell
