#include "app/file_names.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace larkwell {

namespace {

bool Forbidden(char16_t c) {
  return c < 0x20 || c == 0x7F || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos;
}

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9: devices, with or without an extension.
bool ReservedDeviceName(const ustring& name) {
  ustring base = name.substr(0, name.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(), AsciiUpper);
  static constexpr std::array<std::u16string_view, 4> kDevices = {u"CON", u"PRN", u"AUX", u"NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) && base[3] >= u'1' &&
         base[3] <= u'9';
}

bool HighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Cuts `name` to `limit` units, keeping a short extension whole, never between a surrogate pair.
ustring Capped(const ustring& name, size_t limit) {
  if (name.size() <= limit) return name;
  const size_t dot = name.rfind(u'.');
  const ustring extension = (dot != ustring::npos && dot > 0 && name.size() - dot <= 16) ? name.substr(dot) : u"";
  size_t keep = limit - extension.size();
  if (keep > 0 && HighSurrogate(name[keep - 1])) --keep;
  return name.substr(0, keep) + extension;
}

}  // namespace

ustring ProposedFileName(const ustring& suggested) {
  // The last component of any path, whichever separator it uses (a drive's colon included).
  const size_t separator = suggested.find_last_of(u"\\/:");
  ustring name = separator == ustring::npos ? suggested : suggested.substr(separator + 1);
  std::replace_if(name.begin(), name.end(), Forbidden, u'_');
  while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
  if (name.find_first_not_of(u"_ ") == ustring::npos) return {};
  if (ReservedDeviceName(name)) name = u"_" + name;  // (insert(0, ...) trips a false -Wrestrict of GCC 12)
  name = Capped(name, kMaxProposedFileName);
  while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
  return name;
}

}  // namespace larkwell
