// The start page's address, as the web application reads it.
#include <gtest/gtest.h>

#include "app/start_page.h"

namespace larkwell {
namespace {

TEST(StartPageTest, TheHostWithTheMachineIdAsMacAndNoPath) {
  EXPECT_EQ(StartAddress(u"127.0.0.1:8765", u"00-1A-2B-3C-4D-5E"), u"http://127.0.0.1:8765?mac=00-1A-2B-3C-4D-5E");
  // A machine without an id still opens the page, with an empty mac.
  EXPECT_EQ(StartAddress(u"app.example", u""), u"http://app.example?mac=");
  // The built-in host is a bare host[:port], which the address puts behind "http://".
  const ustring host = StartHost();
  EXPECT_FALSE(host.empty());
  EXPECT_EQ(host.find(u"://"), ustring::npos);
  EXPECT_EQ(host.find(u'/'), ustring::npos);
}

}  // namespace
}  // namespace larkwell
