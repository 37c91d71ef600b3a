// Small components of the tests' own that publish one property of every kind a form can store.
#pragma once

#include <functional>
#include <vector>

#include "framework/forms/component.h"
#include "framework/forms/graphics_values.h"
#include "framework/forms/properties.h"

namespace larkwell::testing {

enum class TTestWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TTestAnchor { akLeft, akTop, akRight, akBottom };
using TTestAnchors = TSet<TTestAnchor>;
using TTestNotifyEvent = std::function<void(TObject* Sender)>;
using TTestFunctionEvent = void (*)(TObject* Sender, bool& Result);

}  // namespace larkwell::testing

namespace larkwell {
template <>
struct TEnumNames<testing::TTestWindowState> {
  static constexpr std::u16string_view kNames[] = {u"wsNormal", u"wsMinimized", u"wsMaximized"};
};
template <>
struct TEnumNames<testing::TTestAnchor> {
  static constexpr std::u16string_view kNames[] = {u"akLeft", u"akTop", u"akRight", u"akBottom"};
};
}  // namespace larkwell

namespace larkwell::testing {

// What happened while a form was read, in order.
inline std::vector<ustring>& LoadLog() {
  static std::vector<ustring> log;
  return log;
}

// Stands for a form: the root of a stored form.
class TTestForm : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfoBuilder<TTestForm>(u"TTestForm", TComponent::StaticClassInfo())
            .Value<&TTestForm::Caption, &TTestForm::SetCaption>(u"Caption", u"")
            .Field<&TTestForm::WindowState>(u"WindowState", TTestWindowState::wsNormal)
            .Field<&TTestForm::Color>(u"Color", clBtnFace)
            .Object<&TTestForm::Font>(u"Font")
            .Field<&TTestForm::ClientWidth>(u"ClientWidth", kAlwaysStored)
            .Field<&TTestForm::Anchors>(u"Anchors", TTestAnchors{TTestAnchor::akLeft, TTestAnchor::akTop})
            .Field<&TTestForm::Visible>(u"Visible", true)
            .Field<&TTestForm::Size>(u"Size", int64_t{0})
            .ReadOnly<&TTestForm::Version>(u"Version")
            .Event<&TTestForm::OnCreate>(u"OnCreate")
            .Event<&TTestForm::OnQuery>(u"OnQuery")
            .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const ustring& Caption() const { return caption_; }
  void SetCaption(const ustring& caption) { caption_ = caption; }
  const ustring& Version() const { return version_; }

  void Loaded() override {
    TComponent::Loaded();
    LoadLog().push_back(Name() + u".Loaded with caption " + caption_);
  }

  TTestWindowState WindowState = TTestWindowState::wsNormal;
  TColor Color = clBtnFace;
  TFont Font;
  int32_t ClientWidth = 0;
  TTestAnchors Anchors{TTestAnchor::akLeft, TTestAnchor::akTop};
  bool Visible = true;
  int64_t Size = 0;
  TTestNotifyEvent OnCreate;
  TTestFunctionEvent OnQuery = nullptr;

 private:
  ustring caption_;
  ustring version_ = u"1.0";
};

// A component a form creates by name; it can hold others.
class TTestPanel : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfoBuilder<TTestPanel>(u"TTestPanel", TComponent::StaticClassInfo())
                                       .Field<&TTestPanel::Text>(u"Text", u"")
                                       .Field<&TTestPanel::Color>(u"Color", clWhite)
                                       .Event<&TTestPanel::OnClick>(u"OnClick")
                                       .Creatable()
                                       .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  void SetParentComponent(TComponent* parent) override {
    TComponent::SetParentComponent(parent);
    LoadLog().push_back(Name() + u".Parent = " + (parent ? parent->Name() : u"nil"));
  }
  void Loaded() override {
    TComponent::Loaded();
    LoadLog().push_back(Name() + u".Loaded with text " + Text);
  }

  ustring Text;
  TColor Color = clWhite;
  TTestNotifyEvent OnClick;
};

// A panel made in another colour: it publishes the inherited Color again, with the colour it
// is made in as the default.
class TTestDarkPanel : public TTestPanel {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfoBuilder<TTestDarkPanel>(u"TTestDarkPanel", TTestPanel::StaticClassInfo())
                                       .Field<&TTestDarkPanel::Color>(u"Color", clBlack)
                                       .Creatable()
                                       .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TTestDarkPanel() { Color = clBlack; }
};

// Registered but not creatable by a form.
class TTestAbstract : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfoBuilder<TTestAbstract>(u"TTestAbstract", TComponent::StaticClassInfo()).Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

inline const TClassRegistration<TTestPanel> kRegisterTTestPanel;
inline const TClassRegistration<TTestAbstract> kRegisterTTestAbstract;
inline const TClassRegistration<TTestDarkPanel> kRegisterTTestDarkPanel;

}  // namespace larkwell::testing
