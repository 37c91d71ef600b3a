// menu_host.exe: a window with the browser control and nothing else.
//   menu_host.exe            handles no event, so the engine shows its own context menu. The
//                            end-to-end check for a suppressed menu runs against it too, to
//                            prove that it can see a menu when there is one.
//   menu_host.exe /throwing  every event property throws, and errors stopped at the engine
//                            boundary go to the application's default error report, as in
//                            Larkwell.exe; once the browser exists the engine is asked to call
//                            one callback of every handler family.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "browser/chromium.h"
#include "engine/cef_error_report.h"
#include "engine/loader.h"
#include "enginesim/control_firing.h"
#include "framework/ui/application.h"
#include "framework/ui/form.h"
#include "tests/browser/chromium_event_table.h"

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

// Every event property of the control throws, naming its event.
void ThrowInEveryEvent(TChromium& crm) {
// A plain function pointer takes its arguments by reference: auto& deduces its parameter types.
#define LARKWELL_THROWING_EVENT(Name, ...) \
  crm.SetOn##Name([](TObject*, auto&&...) { throw std::runtime_error(#Name " failed"); });
#define LARKWELL_THROWING_FUNCTION(Name, ...) \
  crm.SetOn##Name([](TObject*, auto&...) { throw std::runtime_error(#Name " failed"); });
#define LARKWELL_NO_PROPERTY(...)
  LARKWELL_CHROMIUM_EVENTS(LARKWELL_THROWING_EVENT, LARKWELL_THROWING_FUNCTION, LARKWELL_NO_PROPERTY)
#undef LARKWELL_THROWING_EVENT
#undef LARKWELL_THROWING_FUNCTION
#undef LARKWELL_NO_PROPERTY
}

// The engine calls one member of each handler family with the browser, in its next work step.
// The render family is left out: the control answers it itself, through no event property.
void FireEveryFamily(TChromium& crm) {
  using namespace enginesim::fire_args;
  static TCefPrintOptions printOptions{};
  static TCefRect selection{1, 2, 3, 4};
  TCefBrowser* browser = CefWrap<TCefBrowser>(crm.Browser());  // one reference, ours
  const TSimArg b = Obj(browser);
  const struct {
    const char* slot;
    std::vector<TSimArg> arguments;
  } firings[] = {
      {"life_span_handler.run_modal", {b}},
      {"load_handler.on_load_end", {b, Obj(nullptr), Int(200)}},
      {"request_handler.on_protocol_execution", {b, Text(u"mailto:someone@example.com"), IntOut(0)}},
      {"display_handler.on_title_change", {b, Text(u"标题")}},
      {"focus_handler.on_take_focus", {b, Int(1)}},
      {"keyboard_handler.on_key_event", {b, Int(0), Int('A'), Int(0), Int(0), Int(0)}},
      {"menu_handler.on_menu_action", {b, Int(1)}},
      {"permission_handler.on_before_script_extension_load", {b, Obj(nullptr), Text(u"extension")}},
      {"print_handler.get_print_options", {b, Ptr(&printOptions)}},
      {"find_handler.on_find_result", {b, Int(1), Int(2), Ptr(&selection), Int(1), Int(1)}},
      {"jsdialog_handler.on_jsalert", {b, Obj(nullptr), Text(u"alert")}},
      {"v8context_handler.on_context_created", {b, Obj(nullptr), Obj(nullptr)}},
      {"drag_handler.on_drag_start", {b, Obj(nullptr), Int(1)}},
  };
  for (const auto& firing : firings) {
    if (!sim_post_fire(browser, firing.slot, firing.arguments.data(), static_cast<int>(firing.arguments.size()))) {
      throw std::runtime_error(std::string("the engine refused to fire ") + firing.slot);
    }
  }
  browser->base.release(&browser->base);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const bool throwing = std::wstring_view(commandLine).find(L"/throwing") != std::wstring_view::npos;
  const int exitCode = RunProgram([throwing] {
    Application().Initialize();
    Application().SetTitle(throwing ? u"Fault host" : u"Menu host");
    if (throwing) {
      SetCefErrorReportHandler([](const std::exception_ptr& error) { Application().QueueException(error); });
    }
    auto& form = Application().CreateForm<TMenuHostForm>();
    auto& crm = dynamic_cast<TChromium&>(*form.FindComponent(u"crm"));
    if (throwing) ThrowInEveryEvent(crm);
    crm.Load(u"http://" LARKWELL_START_HOST "/");
    if (throwing) FireEveryFamily(crm);
    Application().Run();
  });
  Application().DestroyForms();
  SetCefErrorReportHandler({});
  CefFinalizeBinding();
  return exitCode;
}
