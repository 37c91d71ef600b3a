// Stored forms that cannot be read: each error names its line, and a failed reading leaves no
// half-made children behind.
#include <gtest/gtest.h>

#include <string>

#include "framework/forms/form_reader.h"
#include "tests/framework/forms/test_components.h"

namespace larkwell::testing {
namespace {

struct BadForm {
  const char* what;
  const char* text;
  int line;
  const char16_t* message;  // a part of the message after "Line <n>: "
};

const BadForm kBadForms[] = {
    {"unknown property", "object M: TTestForm\n  Captoin = 'x'\nend\n", 2,
     u"unknown property \"Captoin\" of TTestForm"},
    {"unknown sub-property", "object M: TTestForm\n\n  Font.Size = 3\nend\n", 3, u"unknown property \"Font.Size\""},
    {"path through a value", "object M: TTestForm\n  Caption.Length = 3\nend\n", 2,
     u"Caption has no properties of its own"},
    {"object given a value", "object M: TTestForm\n  Font = 'Arial'\nend\n", 2, u"bad value for Font"},
    {"unknown class", "object M: TTestForm\n  object P: TNoSuchPanel\n  end\nend\n", 2,
     u"unknown class \"TNoSuchPanel\""},
    {"class not creatable", "object M: TTestForm\n  object P: TTestAbstract\n  end\nend\n", 2, u"cannot be created"},
    {"root of another class", "object M: TTestPanel\nend\n", 1, u"describes a TTestPanel, not a TTestForm"},
    {"Boolean expected", "object M: TTestForm\n  Visible = Yes\nend\n", 2,
     u"bad value for Visible: expected True or False"},
    {"unknown enumeration value", "object M: TTestForm\n  WindowState = wsHuge\nend\n", 2, u"unknown name wsHuge"},
    {"unknown set member", "object M: TTestForm\n  Anchors = [akLeft, akMiddle]\nend\n", 2, u"unknown name akMiddle"},
    {"unknown colour", "object M: TTestForm\n  Color = clPlaid\nend\n", 2, u"unknown name clPlaid"},
    {"string expected", "object M: TTestForm\n  Caption = 12\nend\n", 2, u"expected a string"},
    {"number out of range", "object M: TTestForm\n  ClientWidth = 2147483648\nend\n", 2, u"out of range"},
    {"number too large", "object M: TTestForm\n  Size = 9223372036854775808\nend\n", 2, u"too large"},
    {"read-only property", "object M: TTestForm\n  Version = '2'\nend\n", 2, u"Version is read-only"},
    {"unknown method", "object M: TTestForm\n  OnCreate = FormGone\nend\n", 2, u"unknown method FormGone"},
    {"method of another type", "object M: TTestForm\n  OnQuery = FormCreate\nend\n", 2, u"does not fit OnQuery"},
    {"no equals sign", "object M: TTestForm\n  Caption 'x'\nend\n", 2, u"malformed line"},
    {"unterminated string", "object M: TTestForm\n  Caption = 'x\nend\n", 2, u"no closing quote"},
    {"invalid UTF-8", "object M: TTestForm\n  Caption = '\xC3\x28'\nend\n", 2, u"not valid UTF-8"},
    {"UTF-8 surrogate", "object M: TTestForm\n  Caption = '\xED\xA0\x80'\nend\n", 2, u"not valid UTF-8"},
    // Overlong forms: a code written with more bytes than it needs.
    {"overlong two bytes", "object M: TTestForm\n  Caption = '\xC0\x80'\nend\n", 2, u"not valid UTF-8"},
    {"overlong two bytes, highest", "object M: TTestForm\n  Caption = '\xC1\xBF'\nend\n", 2, u"not valid UTF-8"},
    {"overlong three bytes", "object M: TTestForm\n  Caption = '\xE0\x80\x80'\nend\n", 2, u"not valid UTF-8"},
    {"overlong three bytes, highest", "object M: TTestForm\n  Caption = '\xE0\x9F\xBF'\nend\n", 2,
     u"not valid UTF-8"},
    {"overlong four bytes", "object M: TTestForm\n  Caption = '\xF0\x80\x80\x80'\nend\n", 2, u"not valid UTF-8"},
    {"overlong four bytes, highest", "object M: TTestForm\n  Caption = '\xF0\x8F\xBF\xBF'\nend\n", 2,
     u"not valid UTF-8"},
    {"UTF-8 above U+10FFFF", "object M: TTestForm\n  Caption = '\xF4\x90\x80\x80'\nend\n", 2, u"not valid UTF-8"},
    {"character code too large", "object M: TTestForm\n  Caption = #1114112\nend\n", 2, u"too large"},
    {"text after a value", "object M: TTestForm\n  Caption = 'x' 'y'\nend\n", 2, u"unexpected text"},
    {"unclosed set", "object M: TTestForm\n  Anchors = [akLeft\nend\n", 2, u"expected , or ]"},
    {"missing value", "object M: TTestForm\n  Caption =\nend\n", 2, u"the value is missing"},
    {"missing end", "object M: TTestForm\n  object P: TTestPanel\n  end\n", 1, u"object \"M\" has no end"},
    {"end without object", "end\n", 1, u"end without an object"},
    {"property outside of any object", "Caption = 'x'\n", 1, u"outside of any object"},
    {"text after the form", "object M: TTestForm\nend\nobject N: TTestForm\nend\n", 3, u"after the end of the form"},
    {"duplicate name", "object M: TTestForm\n  object P: TTestPanel\n  end\n  object p: TTestPanel\n  end\nend\n", 4,
     u"a second component named \"p\""},
    {"no object at all", "\n// nothing\n", 2, u"describes no object"},
};

TEST(FormReader, EachErrorNamesItsLine) {
  TMethodTable methods;
  methods.Add<TTestNotifyEvent>(u"FormCreate", [](TObject*) {});
  for (const BadForm& bad : kBadForms) {
    TTestForm form;
    try {
      ReadForm(bad.text, form, methods);
      ADD_FAILURE() << bad.what << ": read without error";
    } catch (const EFormError& error) {
      EXPECT_EQ(error.Line(), bad.line) << bad.what << ": " << error.what();
      const ustring prefix = u"Line " + Utf8ToUstring(std::to_string(bad.line)) + u": ";
      EXPECT_EQ(error.Message().rfind(prefix, 0), 0u) << bad.what << ": " << error.what();
      EXPECT_NE(error.Message().find(bad.message), ustring::npos) << bad.what << ": " << error.what();
    }
  }
}

TEST(FormReader, AFailedReadingDestroysTheChildrenItMadeAndCompletesNothing) {
  LoadLog().clear();
  TTestForm form;
  EXPECT_THROW(ReadForm("object M: TTestForm\n  object P: TTestPanel\n  end\n  object Q: TTestPanel\n"
                        "    Text = 'q'\n  end\n  Visible = Maybe\nend\n",
                        form),
               EFormError);
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_FALSE(form.ComponentState().Contains(TComponentStateFlag::csLoading));
  for (const ustring& entry : LoadLog()) EXPECT_EQ(entry.find(u"Loaded"), ustring::npos) << UstringToUtf8(entry);
}

}  // namespace
}  // namespace larkwell::testing
