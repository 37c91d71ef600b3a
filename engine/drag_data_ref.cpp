#include "engine/drag_data_ref.h"

namespace larkwell {

IPtr<ICefDragData> TCefDragDataRef::UnWrap(void* data) { return CefUnWrap<TCefDragDataRef, ICefDragData>(data); }

bool TCefDragDataRef::IsLink() { return CefCall<bool, &TCefDragData::is_link>(FData); }
bool TCefDragDataRef::IsFragment() { return CefCall<bool, &TCefDragData::is_fragment>(FData); }
bool TCefDragDataRef::IsFile() { return CefCall<bool, &TCefDragData::is_file>(FData); }
ustring TCefDragDataRef::GetLinkUrl() { return CefCall<ustring, &TCefDragData::get_link_url>(FData); }
ustring TCefDragDataRef::GetLinkTitle() { return CefCall<ustring, &TCefDragData::get_link_title>(FData); }
ustring TCefDragDataRef::GetLinkMetadata() { return CefCall<ustring, &TCefDragData::get_link_metadata>(FData); }
ustring TCefDragDataRef::GetFragmentText() { return CefCall<ustring, &TCefDragData::get_fragment_text>(FData); }
ustring TCefDragDataRef::GetFragmentHtml() { return CefCall<ustring, &TCefDragData::get_fragment_html>(FData); }
ustring TCefDragDataRef::GetFragmentBaseUrl() { return CefCall<ustring, &TCefDragData::get_fragment_base_url>(FData); }
ustring TCefDragDataRef::GetFileExtension() { return CefCall<ustring, &TCefDragData::get_file_extension>(FData); }
ustring TCefDragDataRef::GetFileName() { return CefCall<ustring, &TCefDragData::get_file_name>(FData); }
bool TCefDragDataRef::GetFileNames(TStrings& names) { return CefCall<bool, &TCefDragData::get_file_names>(FData, names); }

}  // namespace larkwell
