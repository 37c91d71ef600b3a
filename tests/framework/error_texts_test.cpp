// The texts of the two error reports.
#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>

#include "core/exceptions.h"
#include "framework/error_texts.h"

namespace larkwell {
namespace {

template <class E>
std::exception_ptr Thrown(E error) {
  return std::make_exception_ptr(std::move(error));
}

TEST(DefaultErrorReportTextTest, AddsAFullStopOnlyAfterACharacterAboveIt) {
  struct Case {
    ustring Message;
    ustring Shown;
  };
  const Case cases[] = {
      {u"Cannot create file", u"Cannot create file."},
      {u"Done.", u"Done."},         // 46 itself: nothing added
      {u"Really!", u"Really!"},     // 33
      {u"Code -", u"Code -"},       // 45
      {u"Path /", u"Path /."},      // 47
      {u"共 3 个", u"共 3 个."},     // far above 46
      {u"", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultErrorReportText(Thrown(Exception(c.Message))), c.Shown) << UstringToUtf8(c.Message);
  }
}

TEST(DefaultErrorReportTextTest, ReportsTheInnermostErrorOfAChain) {
  std::exception_ptr chain;
  try {
    try {
      try {
        throw EFCreateError(u"C:\\a.xls", u"拒绝访问。");
      } catch (...) {
        std::throw_with_nested(Exception(u"while saving"));
      }
    } catch (...) {
      std::throw_with_nested(std::runtime_error("while downloading"));
    }
  } catch (...) {
    chain = std::current_exception();
  }
  EXPECT_EQ(DefaultErrorReportText(chain), u"Cannot create file \"C:\\a.xls\". 拒绝访问。.");
}

TEST(DefaultErrorReportTextTest, SpeaksOfErrorsThatAreNotTheSystemsOwn) {
  EXPECT_EQ(DefaultErrorReportText(Thrown(std::runtime_error("disk gone"))), u"disk gone.");
  EXPECT_EQ(DefaultErrorReportText(Thrown(42)), u"Unknown exception.");
}

TEST(LastResortReportTextTest, NamesTheKindOfErrorTheModuleAndTheMessage) {
  EXPECT_EQ(LastResortReportText(Thrown(EOSError(126, u"找不到指定的模块。")), u"Larkwell.exe"),
            ustring(u"Exception EOSError in module Larkwell.exe.") + kLineBreak + u"System Error.  Code: 126." +
                kLineBreak + u"找不到指定的模块。");
  EXPECT_EQ(LastResortReportText(Thrown(ECefException(u"Invalid CEF Library version")), u"x.exe"),
            ustring(u"Exception ECefException in module x.exe.") + kLineBreak + u"Invalid CEF Library version");
  const ustring bad = LastResortReportText(Thrown(std::bad_alloc()), u"x.exe");
  EXPECT_EQ(bad.substr(0, 23), u"Exception bad_alloc in ");
  EXPECT_EQ(LastResortReportText(Thrown(7), u"x.exe").substr(0, 23), u"Exception Exception in ");
}

}  // namespace
}  // namespace larkwell
