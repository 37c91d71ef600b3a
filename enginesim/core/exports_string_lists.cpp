// Engine string lists.
#include <functional>

#include "enginesim/core/collections.h"
#include "enginesim/core/shield.h"
#include "enginesim/exports.h"

using namespace larkwell::enginesim;

TCefStringList CEF_EXPORT_CALL cef_string_list_alloc(void) {
  return shielded<TCefStringList>(__func__, [] { return alloc_collection<StringList>(); });
}

int CEF_EXPORT_CALL cef_string_list_size(TCefStringList list) {
  return shielded<int>(__func__, [&](const char* call) { return collection_size<StringList>(list, call); });
}

int CEF_EXPORT_CALL cef_string_list_value(TCefStringList list, int index, TCefString* value) {
  return shielded<int>(
      __func__, [&](const char* call) { return copy_item_out<StringList>(list, index, value, std::identity{}, call); });
}

void CEF_EXPORT_CALL cef_string_list_append(TCefStringList list, const TCefString* value) {
  shielded<void>(__func__, [&](const char* call) {
    StringList* target = collection_of<StringList>(list, call);
    if (target != nullptr && value != nullptr) target->items.push_back(text_copy(value));
  });
}

void CEF_EXPORT_CALL cef_string_list_clear(TCefStringList list) {
  shielded<void>(__func__, [&](const char* call) { clear_collection<StringList>(list, call); });
}

void CEF_EXPORT_CALL cef_string_list_free(TCefStringList list) {
  shielded<void>(__func__, [&](const char* call) { free_collection<StringList>(list, call); });
}

TCefStringList CEF_EXPORT_CALL cef_string_list_copy(TCefStringList list) {
  return shielded<TCefStringList>(__func__, [&](const char* call) -> TCefStringList {
    const StringList* source = collection_of<StringList>(list, call);
    return source != nullptr ? alloc_collection(source) : nullptr;
  });
}
