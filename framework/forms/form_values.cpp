#include "framework/forms/form_values.h"

namespace larkwell {

bool SameName(std::u16string_view a, std::u16string_view b) noexcept {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

namespace form_values_detail {
namespace {

ustring Describe(const TFormValue& value) {
  switch (value.Kind) {
    case TFormValue::TKind::kInteger:
      return u"a number";
    case TFormValue::TKind::kString:
      return u"a string";
    case TFormValue::TKind::kIdentifier:
      return value.Text;
    case TFormValue::TKind::kSet:
      return u"a set";
  }
  return u"a value";
}

}  // namespace

void Expected(const char* what, const TFormValue& got) {
  throw EFormValueError(u"expected " + Utf8ToUstring(what) + u", found " + Describe(got));
}

const TFormValue& Require(const TFormValue& value, TFormValue::TKind kind, const char* what) {
  if (value.Kind != kind) Expected(what, value);
  return value;
}

size_t IndexOfName(std::span<const std::u16string_view> names, const ustring& name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameName(names[i], name)) return i;
  }
  ustring known;
  for (std::u16string_view n : names) known += (known.empty() ? u"" : u", ") + ustring(n);
  throw EFormValueError(u"unknown name " + name + u" (one of " + known + u")");
}

}  // namespace form_values_detail

bool TFormCodec<bool>::Decode(const TFormValue& value) {
  if (value.Kind == TFormValue::TKind::kIdentifier) {
    if (SameName(value.Text, u"True")) return true;
    if (SameName(value.Text, u"False")) return false;
  }
  form_values_detail::Expected("True or False", value);
}

}  // namespace larkwell
