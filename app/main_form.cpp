#include "app/main_form.h"

#include <exception>
#include <memory>

#include "app/download_handler.h"
#include "app/file_names.h"
#include "app/machine_id.h"
#include "framework/forms/properties.h"
#include "framework/streams.h"
#include "framework/ui/application.h"

namespace larkwell {

int64_t ExpectedContentLength = 0;

const TClassInfo& TfrmMain::StaticClassInfo() {
  static const TClassInfo info = TClassInfoBuilder<TfrmMain>(u"TfrmMain", TForm::StaticClassInfo()).Build();
  return info;
}

TMethodTable TfrmMain::Methods() {
  return TMethodTable()
      .Bind<&TfrmMain::FormCreate>(u"FormCreate", this)
      .Bind<&TfrmMain::crmBeforeMenu>(u"crmBeforeMenu", this)
      .Bind<&TfrmMain::crmGetDownloadHandler>(u"crmGetDownloadHandler", this);
}

TfrmMain::TfrmMain() {
  CreateFromDescription(FormResource(L"TFRMMAIN"), Methods());
}

void TfrmMain::FormCreate(TObject*) {
  // The creation handler runs inside the reading, once every component exists.
  crm = &Child<TChromium>(u"crm");
  SaveDialog = &Child<TSaveDialog>(u"SaveDialog");
  SetEnvironmentVariableW(L"LANG", L"zh-CN");  // a failure changes nothing the user sees
  crm->Load(StartAddress(StartHost(), getMacAddress()));
}

void TfrmMain::crmBeforeMenu(TObject*, const IPtr<ICefBrowser>&, PCefMenuInfo, bool& Result) { Result = true; }

void TfrmMain::crmGetDownloadHandler(TObject*, const IPtr<ICefBrowser>&, const ustring&, const ustring& fileName,
                                     int64_t contentLength, IPtr<ICefDownloadHandler>& handler, bool& Result) {
  Result = true;
  SaveDialog->FileName = ProposedFileName(fileName);
  if (!SaveDialog->Execute(Handle())) return;  // cancelled: no handler, the expected length kept
  const ustring path = SaveDialog->FileName;
  std::unique_ptr<TFileStream> file;
  try {
    file = std::make_unique<TFileStream>(path, FileMode::kCreate);
  } catch (const EFCreateError&) {
    // "Cannot create file "<path>". <reason>" for the user; the engine gets no handler.
    Application().HandleException(std::current_exception());
    return;
  }
  // Handed over only once the handler holds it: a throw before that still closes the file.
  handler = New<TCefStreamDownloadHandler>(file.get(), true, contentLength, path);
  file.release();
  ExpectedContentLength = ExpectedTotal(contentLength);
}

}  // namespace larkwell
