// menu_host.exe: a window with the browser control and nothing else: it handles no menu event,
// so the engine shows its own context menu. The end-to-end check for a suppressed menu runs
// against it too, to prove that it can see a menu when there is one.
#include "browser/chromium.h"
#include "engine/loader.h"
#include "framework/ui/application.h"
#include "framework/ui/form.h"

namespace {

using namespace larkwell;

class TMenuHostForm : public TForm {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfoBuilder<TMenuHostForm>(u"TMenuHostForm", TForm::StaticClassInfo()).Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TMenuHostForm() {
    CreateFromDescription(R"(object MenuHost: TMenuHostForm
  Caption = 'Menu host'
  ClientHeight = 481
  ClientWidth = 784
  WindowState = wsMaximized
  object crm: TChromium
    Width = 784
    Height = 481
    Align = alClient
  end
end
)", {});
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int exitCode = RunProgram([] {
    Application().Initialize();
    Application().SetTitle(u"Menu host");
    auto& form = Application().CreateForm<TMenuHostForm>();
    dynamic_cast<TChromium&>(*form.FindComponent(u"crm")).Load(u"http://" LARKWELL_START_HOST "/");
    Application().Run();
  });
  Application().DestroyForms();
  CefFinalizeBinding();
  return exitCode;
}
