// The tests' own forms and a windowed control that records what reaches it.
#pragma once

#include <functional>
#include <stdexcept>
#include <vector>

#include "framework/forms/properties.h"
#include "framework/ui/form.h"
#include "framework/ui/gauge.h"
#include "framework/ui/label.h"
#include "framework/ui/win_control.h"

namespace larkwell::testing {

// Thrown at from a window procedure when this message arrives.
inline constexpr UINT kThrowMessage = WM_APP + 7;

class TTestControl : public TWinControl {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfoBuilder<TTestControl>(u"TTestControl", TWinControl::StaticClassInfo()).Creatable().Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  ~TTestControl() override { ++Destroyed(); }

  static int& Destroyed() {
    static int count = 0;
    return count;
  }

  LRESULT SpecialKeyAnswer = 0;     // what the control answers to the special-key question
  std::vector<WPARAM> KeysAsked;    // the keys it was asked about
  std::vector<WPARAM> KeysDown;     // the WM_KEYDOWN it received
  std::vector<RECT> Resizes;        // its client rectangle at every Resize

 protected:
  void Resize() override { Resizes.push_back(ClientRect()); }
  void WndProc(TMessage& message) override {
    switch (message.Msg) {
      case CM_WANTSPECIALKEY:
        KeysAsked.push_back(message.WParam);
        message.Result = SpecialKeyAnswer;
        return;
      case WM_KEYDOWN:
        KeysDown.push_back(message.WParam);
        break;
      case kThrowMessage:
        throw std::runtime_error("thrown in a window procedure");
      default:
        break;
    }
    TWinControl::WndProc(message);
  }
};
inline const TClassRegistration<TTestControl> kRegisterTTestControl;

// A form read from the text it is given; counts its creation handler.
class TTestForm : public TForm {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfoBuilder<TTestForm>(u"TTestForm", TForm::StaticClassInfo()).Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  explicit TTestForm(std::string_view description, std::function<void(TTestForm&)> onCreate = {})
      : on_create_(std::move(onCreate)) {
    CreateFromDescription(description, TMethodTable().Add<TNotifyEvent>(u"FormCreate", [this](TObject* sender) {
      ++CreateCalls;
      CreatedWithChildren = ComponentCount();
      Sender = sender;
      if (on_create_) on_create_(*this);
    }));
  }

  int CreateCalls = 0;
  int CreatedWithChildren = -1;
  TObject* Sender = nullptr;

  template <class C>
  C& Child(std::u16string_view name) {
    return dynamic_cast<C&>(*FindComponent(name));
  }

 private:
  std::function<void(TTestForm&)> on_create_;
};

// The description `name` kept in the test program's resources.
inline std::string_view StoredForm(const wchar_t* name) { return FormResource(name); }

}  // namespace larkwell::testing
