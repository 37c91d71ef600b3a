// Text across the engine boundary: the six conversions between ustring and the engine's
// string record, and the two ways string lists cross.
//
// Which one a crossing uses:
//  - text argument to an engine function ............ CefStringView of a ustring that outlives the call
//  - text result returned as a userfree string ....... CefStringTakeUserFree
//  - record the engine filled (zeroed before) ........ CefStringTakeAndClear
//  - text the engine passes into a callback .......... CefStringToNative (the engine keeps it)
//  - in/out text of a callback ....................... CefStringToNative, then CefStringAssign
//  - out text of a callback, handed over empty ....... CefStringCopy stored over the whole record
#pragma once

#include <type_traits>
#include <utility>

#include "core/ustring.h"
#include "engine/cef_api.h"
#include "engine/entry_points.h"

namespace larkwell {

// A record borrowing the text of `s`: no allocation, null dtor, never a null `str` (an empty
// text points at a shared zero code unit). Valid while `s` lives unchanged.
TCefString CefStringView(const ustring& s) noexcept;
TCefString CefStringView(ustring&&) = delete;  // a view of a temporary would dangle

// A record owning an engine-allocated copy of `s`; all zero for an empty `s`.
TCefString CefStringCopy(const ustring& s);

// Replaces the content of `record` by an engine-owned copy of `s` (the engine releases the old
// content). Does nothing for a null record.
void CefStringAssign(TCefString* record, const ustring& s);

// A copy of the record's text; the empty text for a null record. The record is untouched.
ustring CefStringToNative(const TCefString* record);

// A copy of the record's text; the record is then emptied and its text freed, also when the
// copy fails.
ustring CefStringTakeAndClear(TCefString* record);

// A copy of the userfree string's text; the userfree string is then freed, also when the copy
// fails. The empty text for null.
ustring CefStringTakeUserFree(PCefStringUserFree record);

// An engine string list owned by the binding from alloc to free.
class CefStringListHandle {
 public:
  CefStringListHandle() : list_(cef_string_list_alloc()) {}
  ~CefStringListHandle() {
    if (list_) cef_string_list_free(std::exchange(list_, nullptr));
  }
  CefStringListHandle(const CefStringListHandle&) = delete;
  CefStringListHandle& operator=(const CefStringListHandle&) = delete;

  TCefStringList get() const noexcept { return list_; }

 private:
  TCefStringList list_;
};

// Builds an engine list holding `items` in order (each appended as a view; the engine copies).
void CefStringListAppendAll(const CefStringListHandle& list, const TStrings& items);

// Appends every item of an engine list to `out`, in the engine's order, without clearing `out`.
template <class List>
void CefStringListReadInto(TCefStringList list, List& out) {
  TCefString item{};
  const int count = cef_string_list_size(list);
  for (int i = 0; i < count; ++i) {
    cef_string_list_value(list, i, &item);  // the result is not examined
    out.push_back(CefStringTakeAndClear(&item));
  }
}

// Reads a list that an engine function fills: allocates an engine list, calls `fill(list)`,
// appends the items to `out` (any ordered list of ustring with push_back) and frees the engine
// list on every path. Returns what `fill` returned.
template <class Fill, class List>
auto CefStringListToNative(Fill&& fill, List& out) {
  CefStringListHandle list;
  if constexpr (std::is_void_v<decltype(fill(list.get()))>) {
    fill(list.get());
    CefStringListReadInto(list.get(), out);
  } else {
    auto result = fill(list.get());
    CefStringListReadInto(list.get(), out);
    return result;
  }
}

}  // namespace larkwell
