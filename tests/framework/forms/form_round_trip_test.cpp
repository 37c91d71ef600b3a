// Whole forms written and read back: every kind of value, sub-objects, children, events, and
// the order in which a read form is completed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "framework/forms/form_reader.h"
#include "framework/forms/form_text.h"
#include "framework/forms/form_writer.h"
#include "tests/framework/forms/test_components.h"

namespace larkwell::testing {
namespace {

// Written by hand from the rules: what differs from a default, always-stored values, sub-object
// paths, children inside their parents.
constexpr char kStoredForm[] =
    "object Main: TTestForm\n"
    "  Caption = '\xE4\xB8\x8B\xE8\xBD\xBD ''1'''#10'end'\n"
    "  WindowState = wsMaximized\n"
    "  Color = clWhite\n"
    "  Font.Charset = GB2312_CHARSET\n"
    "  Font.Color = $00123456\n"
    "  Font.Height = -16\n"
    "  Font.Name = '\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91'\n"
    "  Font.Style = [fsBold, fsUnderline]\n"
    "  ClientWidth = 0\n"
    "  Anchors = [akLeft, akRight]\n"
    "  Visible = False\n"
    "  Size = -9000000000\n"
    "  object Panel1: TTestPanel\n"
    "    Text = 'outer'\n"
    "    object Inner: TTestPanel\n"
    "      Color = clBtnFace\n"
    "    end\n"
    "  end\n"
    "  object Panel2: TTestPanel\n"
    "  end\n"
    "end\n";

TTestPanel& AddPanel(TTestForm& form, const char16_t* name, TComponent* parent) {
  auto& panel = static_cast<TTestPanel&>(form.InsertComponent(std::make_unique<TTestPanel>()));
  panel.SetName(name);
  panel.SetParentComponent(parent);
  return panel;
}

TEST(FormWriter, WritesWhatDiffersFromTheDefaultsAndTheAlwaysStoredValues) {
  TTestForm form;
  form.SetName(u"Main");
  form.SetCaption(u"下载 '1'\nend");
  form.WindowState = TTestWindowState::wsMaximized;
  form.Color = clWhite;
  form.Font.Charset = fcGb2312;
  form.Font.Color = RgbColor(0x56, 0x34, 0x12);
  form.Font.Height = -16;
  form.Font.Name = u"微软雅黑";
  form.Font.Style = {TFontStyle::fsBold, TFontStyle::fsUnderline};
  form.Anchors = {TTestAnchor::akLeft, TTestAnchor::akRight};
  form.Visible = false;
  form.Size = -9000000000;
  TTestPanel& outer = AddPanel(form, u"Panel1", &form);
  outer.Text = u"outer";
  AddPanel(form, u"Inner", &outer).Color = clBtnFace;
  AddPanel(form, u"Panel2", nullptr);  // no parent component: written under the root

  EXPECT_EQ(WriteForm(form), kStoredForm);
}

// A class may publish an inherited property again with the default it makes its objects with:
// that property stands in the inherited one's place, so it is written once and read back as made.
TEST(FormWriter, APropertyPublishedAgainIsWrittenOnceAgainstTheNewDefault) {
  TTestForm form;
  form.SetName(u"Main");
  for (const auto& [name, colour] : {std::pair{u"Dark", clBlack}, {u"White", clWhite}, {u"Red", clRed}}) {
    auto& panel = static_cast<TTestDarkPanel&>(form.InsertComponent(std::make_unique<TTestDarkPanel>()));
    panel.SetName(name);
    panel.SetParentComponent(&form);
    panel.Color = colour;
  }
  constexpr char kWritten[] =
      "object Main: TTestForm\n"
      "  Font.Charset = DEFAULT_CHARSET\n"
      "  Font.Color = clWindowText\n"
      "  Font.Height = -11\n"
      "  Font.Name = 'Tahoma'\n"
      "  Font.Style = []\n"
      "  ClientWidth = 0\n"
      "  object Dark: TTestDarkPanel\n"
      "  end\n"
      "  object White: TTestDarkPanel\n"
      "    Color = clWhite\n"
      "  end\n"
      "  object Red: TTestDarkPanel\n"
      "    Color = clRed\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(WriteForm(form), kWritten);

  TTestForm read;
  ReadForm(kWritten, read);
  for (const auto& [name, colour] : {std::pair{u"Dark", clBlack}, {u"White", clWhite}, {u"Red", clRed}}) {
    auto* panel = dynamic_cast<TTestDarkPanel*>(read.FindComponent(name));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Color, colour) << UstringToUtf8(name);
  }
  // One Color among the class's properties, and the parent class keeps its own default.
  EXPECT_EQ(TTestDarkPanel::StaticClassInfo().Properties().size(), TTestPanel::StaticClassInfo().Properties().size());
  TTestPanel plain;
  plain.Color = clBlack;
  EXPECT_NE(WriteForm(plain).find("  Color = clBlack\n"), std::string::npos) << WriteForm(plain);
}

// The writer is pinned above, so writing the form read gives the text back only when every
// value was read.
TEST(FormReader, ReadsBackEveryValueAndRebuildsTheChildren) {
  TTestForm form;
  ReadForm(kStoredForm, form);
  EXPECT_EQ(WriteForm(form), kStoredForm);

  EXPECT_EQ(form.Name(), u"Main");
  EXPECT_EQ(form.Font.Name, u"微软雅黑");
  ASSERT_EQ(form.ComponentCount(), 3);
  TComponent* outer = form.FindComponent(u"panel1");
  TComponent* inner = form.FindComponent(u"Inner");
  ASSERT_TRUE(outer && inner);
  EXPECT_EQ(inner->Owner(), &form);
  EXPECT_EQ(outer->ParentComponent(), &form);
  EXPECT_EQ(inner->ParentComponent(), outer);
}

TEST(FormReader, NamesAndIdentifiersIgnoreAsciiCase) {
  TTestForm form;
  ReadForm("OBJECT f: ttestform\n  caption = 'x'\n  WINDOWSTATE = WSMINIMIZED\n  visible = false\nEND\n", form);
  EXPECT_EQ(form.Caption(), u"x");
  EXPECT_EQ(form.WindowState, TTestWindowState::wsMinimized);
  EXPECT_FALSE(form.Visible);
}

TEST(FormReader, CompletesTheFormOnlyAfterTheLastLineRootFirst) {
  LoadLog().clear();
  TTestForm form;
  ReadForm(
      "object Main: TTestForm\n"
      "  object Panel1: TTestPanel\n"
      "    Text = 'a'\n"
      "  end\n"
      "  Caption = 'set last'\n"
      "end\n",
      form);
  EXPECT_EQ(LoadLog(), (std::vector<ustring>{u"Panel1.Parent = Main", u"Main.Loaded with caption set last",
                                             u"Panel1.Loaded with text a"}));
  EXPECT_FALSE(form.ComponentState().Contains(TComponentStateFlag::csLoading));
}

bool query_ran = false;
void FormQuery(TObject*, bool& result) {
  query_ran = true;
  result = true;
}

// An owner whose method is bound by member pointer.
struct TPanelClicks {
  int clicks = 0;
  void PanelClick(TObject*) { ++clicks; }
};

TEST(FormReader, BindsEventsToTheOwnersMethodsByNameAndWritesTheNamesBack) {
  TTestForm form;
  TObject* created_by = nullptr;
  TPanelClicks owner;
  TMethodTable methods;
  methods.Add<TTestNotifyEvent>(u"FormCreate", [&](TObject* sender) { created_by = sender; })
      .Bind<&TPanelClicks::PanelClick>(u"PanelClick", &owner)
      .Add<TTestFunctionEvent>(u"FormQuery", &FormQuery);
  constexpr char kText[] =
      "object Main: TTestForm\n"
      "  OnCreate = FormCreate\n"
      "  OnQuery = FormQuery\n"
      "  object Panel1: TTestPanel\n"
      "    OnClick = PanelClick\n"
      "  end\n"
      "end\n";
  ReadForm(kText, form, methods);

  ASSERT_TRUE(form.OnCreate && form.OnQuery);
  form.OnCreate(&form);
  EXPECT_EQ(created_by, &form);
  bool answer = false;
  form.OnQuery(&form, answer);
  EXPECT_TRUE(query_ran && answer);
  auto* panel = dynamic_cast<TTestPanel*>(form.FindComponent(u"Panel1"));
  ASSERT_TRUE(panel && panel->OnClick);
  panel->OnClick(panel);
  EXPECT_EQ(owner.clicks, 1);

  const std::string written = WriteForm(form);
  for (const char* binding : {"  OnCreate = FormCreate\n", "  OnQuery = FormQuery\n", "    OnClick = PanelClick\n"}) {
    EXPECT_NE(written.find(binding), std::string::npos) << binding << " in\n" << written;
  }

  // An event cleared in code is no longer written.
  form.OnCreate = nullptr;
  EXPECT_EQ(WriteForm(form).find("OnCreate"), std::string::npos);
}

// Text that only escapes can carry: controls, quotes, lone surrogates, characters beyond U+FFFF.
TEST(FormText, EveryUstringSurvivesTheRoundTrip) {
  const ustring kTexts[] = {
      u"",
      u"'",
      u"''x''",
      u"line\r\nnext\ttab",
      ustring(u"zero\0inside", 11),
      u"\x7F\x85\xA0",
      u"\xD800",
      u"a\xDC00z",
      u"\xDC00\xD800",
      u"😀 and 下载",
      u"#10 '#'",
  };
  for (const ustring& text : kTexts) {
    TTestForm written;
    written.SetCaption(text);
    const std::string stored = WriteForm(written);
    TTestForm read;
    ReadForm(stored, read);
    EXPECT_EQ(read.Caption(), text) << stored;
  }
}

// A stored value and the text it reads as.
struct Case {
  const char* value;
  ustring text;
};

// Controls (C0, DEL and C1) are written by their codes, never raw; other characters are quoted
// as UTF-8, which the reader takes in its shortest form only.
TEST(FormText, ControlCharactersAreWrittenByTheirCodes) {
  for (char16_t c = 0x80; c <= 0x9F; ++c) {
    const ustring text = ustring(u"a") + c + u"b";
    EXPECT_EQ(FormatFormValue(TFormValue::OfString(text)), "'a'#" + std::to_string(c) + "'b'") << "U+" << int{c};
  }
  EXPECT_EQ(FormatFormValue(TFormValue::OfString(u"\x1F\x7F")), "#31#127");
  EXPECT_EQ(FormatFormValue(TFormValue::OfString(u"\xA0\u4E0B")), "'\xC2\xA0\xE4\xB8\x8B'");
  // The smallest code of each UTF-8 length is read; the overlong forms below them are not.
  const Case kShortest[] = {
      {"'\xC2\x80'", u"\x80"}, {"'\xE0\xA0\x80'", u"\u0800"}, {"'\xF0\x90\x80\x80'", u"\U00010000"}};
  for (const Case& c : kShortest) {
    TTestForm form;
    ReadForm(std::string("object Main: TTestForm\nCaption = ") + c.value + "\nend", form);
    EXPECT_EQ(form.Caption(), c.text) << c.value;
  }
}

TEST(FormText, CharacterCodesAndQuotedPiecesJoin) {
  const Case kCases[] = {
      {"'a'#13#10'b'", u"a\r\nb"},  {"#$4E0B#19979", u"下下"}, {"#128512", u"😀"}, {"''''", u"'"},
      {"'\xF0\x9F\x98\x80'", u"😀"},
  };
  for (const Case& c : kCases) {
    TTestForm form;
    ReadForm(std::string("object Main: TTestForm\nCaption = ") + c.value + "\nend", form);
    EXPECT_EQ(form.Caption(), c.text) << c.value;
  }
}

TEST(FormText, NumbersKeepTheirRangeAndColoursTheirBits) {
  TTestForm form;
  ReadForm("object Main: TTestForm\n ClientWidth = -2147483648\n Color = $FF00000F\n Font.Color = 255\nend", form);
  EXPECT_EQ(form.ClientWidth, INT32_MIN);
  EXPECT_EQ(form.Color, clBtnFace);  // a system colour's bit pattern, stored by its name again
  EXPECT_EQ(form.Font.Color, clRed);
  form.Color = TColor{static_cast<int32_t>(0x80000001u)};
  EXPECT_NE(WriteForm(form).find("  Color = $80000001\n"), std::string::npos) << WriteForm(form);
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

// A form's code reaches its components by name and class; a description without one, or with
// one of another class, is an error that names it, not a crash.
TEST(ComponentChild, FindsByNameAndClassAndNamesWhatIsMissingOrOfAnotherClass) {
  TTestForm form;
  form.SetName(u"Main");
  TTestPanel& panel = AddPanel(form, u"Panel1", &form);
  EXPECT_EQ(&form.Child<TTestPanel>(u"panel1"), &panel);  // any ASCII case, as the reader does
  EXPECT_EQ(&form.Child<TComponent>(u"Panel1"), &panel);
  try {
    form.Child<TTestPanel>(u"Gauge1");
    ADD_FAILURE() << "a missing component was found";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), u"Component Gauge1 not found in Main");
  }
  try {
    form.Child<TTestForm>(u"Panel1");
    ADD_FAILURE() << "a panel was taken for a form";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), u"Component Panel1 of Main is a TTestPanel, not the class its code expects");
  }
}

}  // namespace
}  // namespace larkwell::testing
