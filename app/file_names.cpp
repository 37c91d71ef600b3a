#include "app/file_names.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace larkwell {

namespace {

bool HighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool LowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The marks, embeddings, overrides and isolates that reorder text: "a" + U+202E + "gnp.xls" shows
// as "axls.png", so a name could pass for another type. The zero-width joiners stay: Persian and
// Indic words and emoji need them, and they move nothing.
bool DirectionControl(char16_t c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool Forbidden(char16_t c) {
  return c < 0x20 || c == 0x7F || DirectionControl(c) ||
         std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos;
}

// Replaces every forbidden character by "_", and every half of a surrogate pair standing alone
// too: it shows as nothing or a box and has no UTF-8 form. Answers whether anything but spaces is
// left as the server wrote it.
bool ReplaceForbidden(ustring& name) {
  bool kept = false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (HighSurrogate(name[i]) && i + 1 < name.size() && LowSurrogate(name[i + 1])) {
      kept = true;
      ++i;
    } else if (Forbidden(name[i]) || HighSurrogate(name[i]) || LowSurrogate(name[i])) {
      name[i] = u'_';
    } else {
      kept = kept || name[i] != u' ';
    }
  }
  return kept;
}

// Windows drops a name's trailing dots and spaces.
void TrimEnd(ustring& name) {
  while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
}

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Windows reserves these device names, in any case, with or without an extension: CON, PRN, AUX,
// NUL, the console's CONIN$ and CONOUT$, and COM and LPT followed by a digit or a superscript
// one, two or three.
bool ReservedDeviceName(const ustring& name) {
  ustring base = name.substr(0, name.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(), AsciiUpper);
  static constexpr std::array<std::u16string_view, 6> kDevices = {u"CON", u"PRN",    u"AUX",
                                                                  u"NUL", u"CONIN$", u"CONOUT$"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) &&
         std::u16string_view(u"0123456789\u00B9\u00B2\u00B3").find(base[3]) != std::u16string_view::npos;
}

// Cuts `name` to `limit` units, keeping a short extension whole, never between a surrogate pair,
// and drops what Windows would strip from the new end.
ustring Capped(const ustring& name, size_t limit) {
  if (name.size() <= limit) return name;
  const size_t dot = name.rfind(u'.');
  const ustring extension = (dot != ustring::npos && dot > 0 && name.size() - dot <= 16) ? name.substr(dot) : u"";
  size_t keep = limit - extension.size();
  if (keep > 0 && HighSurrogate(name[keep - 1])) --keep;
  ustring capped = name.substr(0, keep) + extension;
  TrimEnd(capped);
  return capped;
}

// A drive at the start ("C:evil.xls") is the one place a colon separates a path.
bool StartsWithDrive(const ustring& path) {
  return path.size() >= 2 && path[1] == u':' && AsciiUpper(path[0]) >= u'A' && AsciiUpper(path[0]) <= u'Z';
}

}  // namespace

ustring ProposedFileName(const ustring& suggested) {
  // The last component of any path, whichever separator it uses. Past a leading drive a colon is
  // a forbidden character like the others, replaced, no longer a separator: splitting at it made
  // "report.xls:x" (a stream of report.xls) propose "x" and "Sales: Q1.xls" " Q1.xls". Nothing
  // tells a stream's name from a title's words, so neither side is dropped.
  const size_t separator = suggested.find_last_of(u"\\/");
  ustring name = suggested.substr(separator != ustring::npos ? separator + 1 : StartsWithDrive(suggested) ? 2 : 0);
  // Windows' shell drops leading spaces too; a name shown with one reads as another.
  name.erase(0, name.find_first_not_of(u' '));
  TrimEnd(name);
  // A name the server wrote only in forbidden characters and spaces ("???", "___" once replaced)
  // tells the user nothing: none is proposed. Underscores the server did send ("__") are its name
  // and stay: that is a valid name.
  if (!ReplaceForbidden(name)) return {};
  name = Capped(name, kMaxProposedFileName);
  // Checked after the cut, which can leave a device ("CON" + 200 spaces + "x" becomes "CON"). The
  // "_" in front may push the name past the cap; cut again, it still begins with "_", so it is
  // neither empty nor reserved. (Not insert(0, ...): it trips a false -Wrestrict of GCC 12.)
  if (ReservedDeviceName(name)) name = Capped(u"_" + name, kMaxProposedFileName);
  return name;
}

}  // namespace larkwell
