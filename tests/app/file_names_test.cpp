// The name proposed for a server's suggestion: plain and harmless, ordinary names untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/file_names.h"

namespace larkwell {
namespace {

TEST(ProposedFileNameTest, OrdinaryNamesPassUnchanged) {
  for (const ustring name : {u"report.xls", u"销售报表（二〇二六年）.xls", u"a b.c.xls", u"𠀀字.xls", u".profile",
                             u"CONTRACT.xls", u"com10.xls", u"nul-values.xls", u"COM.xls", u"CONIN.xls",
                             u"COM¼.xls", u"__", u"_", u"a_b.xls", u"👨‍👩‍👧.xls"}) {
    EXPECT_EQ(ProposedFileName(name), name) << UstringToUtf8(name);
  }
}

TEST(ProposedFileNameTest, DeviceNamesGetAnUnderscoreInFront) {
  for (const ustring name : {u"CON", u"con.xls", u"NUL.tar.xls", u"Nul.tar.xls", u"COM1", u"COM0.xls", u"LPT0",
                             u"lpt9.xls", u"COM¹.xls", u"com²", u"LPT³", u"CONIN$.xls", u"conout$", u"CON .xls"}) {
    EXPECT_EQ(ProposedFileName(name), u"_" + name) << UstringToUtf8(name);
  }
}

TEST(ProposedFileNameTest, PathsForbiddenCharactersAndDevicesBecomeHarmless) {
  struct Case {
    ustring Suggested;
    ustring Proposed;
  };
  const Case cases[] = {
      {u"..\\..\\evil.xls", u"evil.xls"},
      {u"C:\\Windows\\evil.xls", u"evil.xls"},
      {u"C:evil.xls", u"evil.xls"},
      {u"a/b.xls", u"b.xls"},
      {u"\\\\server\\share\\x.xls", u"x.xls"},
      {u"what?*<>|\".xls", u"what______.xls"},
      {u"tab\there\r\n.xls", u"tab_here__.xls"},
      {u"del\x7F" u"del.xls", u"del_del.xls"},
      {u"half\xD800.xls", u"half_.xls"},
      {u"\xDC00" u"half.xls", u"_half.xls"},
      // A colon past a drive is replaced, not followed: the name before it is kept.
      {u"report.xls:x", u"report.xls_x"},
      {u"report.xls::$DATA", u"report.xls__$DATA"},
      {u"Sales: Q1.xls", u"Sales_ Q1.xls"},
      {u"  aux.xls", u"_aux.xls"},
      {u"CON" + ustring(200, u' ') + u"x", u"_CON"},
      {u" report.xls", u"report.xls"},
      {u"dir\\  report.xls", u"report.xls"},
      {u"report.xls. . .", u"report.xls"},
      {u"trailing  ", u"trailing"},
      {u"_?_", u"___"},
      {u"", u""},
      {u"..", u""},
      {u"..\\", u""},
      {u"C:\\", u""},
      {u"C:", u""},
      {u" . ", u""},
      {u"???", u""},
      {u"? ?", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProposedFileName(c.Suggested), c.Proposed) << UstringToUtf8(c.Suggested);
  }
}

// Each of these makes a name show as something else: "a" + U+202E + "gnp.xls" reads "axls.png".
constexpr std::u16string_view kReordering = u"\u200E\u200F\u061C\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069";

TEST(ProposedFileNameTest, CharactersThatReorderTextAreReplaced) {
  for (const char16_t c : kReordering) {
    EXPECT_EQ(ProposedFileName(u"a" + ustring(1, c) + u"gnp.xls"), u"a_gnp.xls") << static_cast<int>(c);
  }
}

TEST(ProposedFileNameTest, ALongNameIsCutKeepingItsExtensionAndWholeCharacters) {
  const ustring longName = ustring(400, u'长') + u".xls";
  const ustring proposed = ProposedFileName(longName);
  EXPECT_EQ(proposed.size(), kMaxProposedFileName);
  EXPECT_TRUE(proposed.ends_with(u"长.xls"));

  // A character outside the basic plane is never cut in half, wherever the cut falls.
  ustring wide;
  while (wide.size() < 300) wide += u"𠀀";
  for (const ustring& before : {ustring(), ustring(u"a")}) {
    ustring whole = before;
    while (whole.size() + 2 + 4 <= kMaxProposedFileName) whole += u"𠀀";
    EXPECT_EQ(ProposedFileName(before + wide + u".xls"), whole + u".xls") << before.size();
  }

  // An "extension" too long to be one is not kept: fifteen characters after the dot still are.
  const ustring dotted = ProposedFileName(u"a." + ustring(300, u'x'));
  EXPECT_EQ(dotted.size(), kMaxProposedFileName);
  EXPECT_TRUE(dotted.starts_with(u"a.x"));
  const ustring body(300, u'b');
  EXPECT_TRUE(ProposedFileName(body + u"." + ustring(15, u'e')).ends_with(u"b." + ustring(15, u'e')));
  EXPECT_EQ(ProposedFileName(body + u"." + ustring(16, u'e')), ustring(kMaxProposedFileName, u'b'));

  // A cut just after a space or a dot does not keep it.
  const ustring kept(kMaxProposedFileName - 1, u'k');
  EXPECT_EQ(ProposedFileName(kept + u" tail"), kept);
  EXPECT_EQ(ProposedFileName(kept + u"." + ustring(20, u'x')), kept);

  // A device found at the cap keeps its "_" and stays within the cap.
  const ustring device = ProposedFileName(u"con." + ustring(kMaxProposedFileName, u'x'));
  EXPECT_EQ(device.size(), kMaxProposedFileName);
  EXPECT_TRUE(device.starts_with(u"_con.x"));
}

// The names Windows keeps for devices, in upper case.
std::vector<ustring> DeviceNames() {
  std::vector<ustring> names = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
  for (const ustring port : {u"COM", u"LPT"}) {
    for (const char16_t n : std::u16string_view(u"0123456789¹²³")) names.push_back(port + n);
  }
  return names;
}

bool Surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The first rule a proposed name breaks, or empty. Written apart from the code it checks.
std::string BrokenRule(const ustring& name) {
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] < 0x20 || std::u16string_view(u"<>:\"/\\|?*\x7F").find(name[i]) != std::u16string_view::npos ||
        kReordering.find(name[i]) != std::u16string_view::npos) {
      return "a forbidden character";
    }
    const bool pair = name[i] <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF;
    if (Surrogate(name[i]) && !pair) return "half a surrogate pair";
    if (Surrogate(name[i])) ++i;
  }
  if (name.size() > kMaxProposedFileName) return "longer than the cap";
  if (!name.empty() && (name.front() == u' ' || name.back() == u' ' || name.back() == u'.')) {
    return "a space or dot Windows strips";
  }
  ustring base = name.substr(0, name.find(u'.'));
  base.erase(base.find_last_not_of(u' ') + 1);
  for (char16_t& c : base) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  const std::vector<ustring> devices = DeviceNames();
  if (std::find(devices.begin(), devices.end(), base) != devices.end()) return "a device name";
  if (ProposedFileName(name) != name) return "changed when proposed again";
  return {};
}

// The name as C++ source, to reproduce a failure.
std::string Escaped(const ustring& name) {
  std::string out = "u\"";
  bool escaped = false;  // a hex digit right after an escape would join it
  for (const char16_t c : name) {
    const bool plain = c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\';
    if (plain && escaped && std::isxdigit(c)) out += "\" u\"";
    char unit[8];
    std::snprintf(unit, sizeof unit, "\\x%X", static_cast<unsigned>(c));
    out += plain ? std::string(1, static_cast<char>(c)) : unit;
    escaped = !plain;
  }
  return out + "\"";
}

class NameMaker {
 public:
  // A name made of pieces a hostile server might send.
  ustring Hostile() {
    ustring name;
    for (size_t pieces = Below(8) + 1; pieces > 0; --pieces) name += Piece();
    // Often a device's name as the whole last component, to try the devices in every company.
    if (Below(2) == 0) name += (Below(2) == 0 ? u"\\" : u"") + Spaces() + Device() + Spaces() + Tail();
    return name;
  }

  // Letters, digits and Chinese, with at most one dot and an extension.
  ustring Ordinary() {
    ustring name = Word(Below(120) + 1);
    if (Below(2) == 0) name += u"." + Word(Below(5) + 1);
    return name;
  }

 private:
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  char16_t Pick(std::u16string_view from) { return from[Below(from.size())]; }
  ustring Spaces() { return ustring(Below(3) == 0 ? Below(3) : 0, u' '); }

  ustring Device() {
    const std::vector<ustring> devices = DeviceNames();
    ustring device = devices[Below(devices.size())];
    for (char16_t& c : device) c = c >= u'A' && c <= u'Z' && Below(2) == 0 ? static_cast<char16_t>(c + 0x20) : c;
    return device;
  }

  ustring Tail() {
    switch (Below(5)) {
      case 0: return u"";
      case 1: return u".xls";
      case 2: return u".tar.xls" + ustring(Below(3), u'.');
      case 3: return ustring(kMaxProposedFileName + Below(100), Pick(u" ._")) + Piece();
      default: return Piece();
    }
  }

  ustring Word(size_t size) {
    ustring word;
    while (word.size() < size) {
      word += Below(4) == 0 ? static_cast<char16_t>(0x4E00 + Below(0x5200)) : Pick(u"abcXYZ0189");
    }
    return word;
  }

  ustring Piece() {
    switch (Below(15)) {
      case 0: return ustring(1, Pick(u"\\/"));
      case 1: return ustring(1, Pick(u"<>:\"|?*"));
      case 2: return ustring(Below(3) + 1, Pick(u". _"));
      case 3: return Device();
      case 4: return ustring(1, Pick(u"0123456789¹²³"));
      case 5: return ustring(1, Pick(kReordering));
      case 6: {  // a run past the cap
        const ustring unit = Below(3) == 0 ? u"𠀀" : ustring(1, Pick(u"a ._长"));
        ustring run;
        while (run.size() < kMaxProposedFileName + 1 + Below(200)) run += unit;
        return run;
      }
      case 7: {  // a character outside the basic plane
        const char32_t c = 0x10000 + static_cast<char32_t>(Below(0x100000));
        return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
      }
      case 8: return ustring(1, static_cast<char16_t>(0xD800 + Below(0x800)));  // half of one
      case 9: return ustring(1, Below(2) == 0 ? u'\x7F' : static_cast<char16_t>(Below(0x20)));
      case 10: return u"C:";
      case 11: return u".xls";
      default: return Word(Below(6) + 1);
    }
  }

  std::mt19937 random_{20261209};
};

TEST(ProposedFileNameTest, NoMadeUpNameBreaksARule) {
  NameMaker maker;
  int failures = 0;
  const auto check = [&failures](const ustring& suggested, const ustring& proposed, const std::string& broken) {
    if (!broken.empty() && ++failures <= 5) {  // the first few, each with the name that reproduces it
      ADD_FAILURE() << broken << ": " << Escaped(suggested) << " proposed as " << Escaped(proposed);
    }
  };
  for (int i = 0; i < 4000; ++i) {
    const ustring suggested = maker.Hostile();
    const ustring proposed = ProposedFileName(suggested);
    check(suggested, proposed, BrokenRule(proposed));
  }
  for (int i = 0; i < 1000; ++i) {
    const ustring suggested = maker.Ordinary();
    if (!BrokenRule(suggested).empty()) continue;  // a device's name, made by chance
    const ustring proposed = ProposedFileName(suggested);
    check(suggested, proposed, proposed == suggested ? "" : "an ordinary name changed");
  }
  EXPECT_EQ(failures, 0) << "names that broke a rule";
}

}  // namespace
}  // namespace larkwell
