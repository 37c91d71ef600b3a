#include "engine/request_ref.h"

#include <algorithm>
#include <vector>

#include "engine/entry_points.h"

namespace larkwell {

// ---- request

IPtr<ICefRequest> TCefRequestRef::UnWrap(void* data) { return CefUnWrap<TCefRequestRef, ICefRequest>(data); }
IPtr<ICefRequest> TCefRequestRef::New() { return CefCallExport<IPtr<ICefRequest>>(cef_request_create); }

ustring TCefRequestRef::GetUrl() { return CefCall<ustring, &TCefRequest::get_url>(FData); }
ustring TCefRequestRef::GetMethod() { return CefCall<ustring, &TCefRequest::get_method>(FData); }
IPtr<ICefPostData> TCefRequestRef::GetPostData() {
  return CefCall<IPtr<ICefPostData>, &TCefRequest::get_post_data>(FData);
}
void TCefRequestRef::GetHeaderMap(TCefStringMultimap headerMap) {
  CefCall<void, &TCefRequest::get_header_map>(FData, headerMap);
}
void TCefRequestRef::SetUrl(const ustring& value) { CefCall<void, &TCefRequest::set_url>(FData, value); }
void TCefRequestRef::SetMethod(const ustring& value) { CefCall<void, &TCefRequest::set_method>(FData, value); }
void TCefRequestRef::SetPostData(const IPtr<ICefPostData>& value) {
  if (value) CefCall<void, &TCefRequest::set_post_data>(FData, value);
}
void TCefRequestRef::SetHeaderMap(TCefStringMultimap headerMap) {
  CefCall<void, &TCefRequest::set_header_map>(FData, headerMap);
}
int TCefRequestRef::GetFlags() { return CefCall<int, &TCefRequest::get_flags>(FData); }
void TCefRequestRef::SetFlags(int flags) { CefCall<void, &TCefRequest::set_flags>(FData, flags); }
ustring TCefRequestRef::GetFirstPartyForCookies() {
  return CefCall<ustring, &TCefRequest::get_first_party_for_cookies>(FData);
}
void TCefRequestRef::SetFirstPartyForCookies(const ustring& url) {
  CefCall<void, &TCefRequest::set_first_party_for_cookies>(FData, url);
}
void TCefRequestRef::Assign(const ustring& url, const ustring& method, const IPtr<ICefPostData>& postData,
                            TCefStringMultimap headerMap) {
  CefCall<void, &TCefRequest::set>(FData, url, method, postData, headerMap);
}

// ---- post data

IPtr<ICefPostData> TCefPostDataRef::UnWrap(void* data) { return CefUnWrap<TCefPostDataRef, ICefPostData>(data); }
IPtr<ICefPostData> TCefPostDataRef::New() { return CefCallExport<IPtr<ICefPostData>>(cef_post_data_create); }

size_t TCefPostDataRef::GetCount() { return CefCall<size_t, &TCefPostData::get_element_count>(FData); }

TCefPostDataElementArray TCefPostDataRef::GetElements(size_t count) {
  // The engine gets the room in the array and answers how many it filled in.
  std::vector<TCefPostDataElement*> elements(count, nullptr);
  size_t filled = count;
  CefCall<void, &TCefPostData::get_elements>(FData, &filled, elements.data());
  filled = std::min(filled, count);
  TCefPostDataElementArray result;
  result.reserve(filled);
  for (size_t i = 0; i < filled; ++i) result.push_back(TCefPostDataElementRef::UnWrap(elements[i]));
  return result;
}

int TCefPostDataRef::RemoveElement(const IPtr<ICefPostDataElement>& element) {
  return CefCall<int, &TCefPostData::remove_element>(FData, element);
}
int TCefPostDataRef::AddElement(const IPtr<ICefPostDataElement>& element) {
  return CefCall<int, &TCefPostData::add_element>(FData, element);
}
void TCefPostDataRef::RemoveElements() { CefCall<void, &TCefPostData::remove_elements>(FData); }

// ---- post data element

IPtr<ICefPostDataElement> TCefPostDataElementRef::UnWrap(void* data) {
  return CefUnWrap<TCefPostDataElementRef, ICefPostDataElement>(data);
}
IPtr<ICefPostDataElement> TCefPostDataElementRef::New() {
  return CefCallExport<IPtr<ICefPostDataElement>>(cef_post_data_element_create);
}

void TCefPostDataElementRef::SetToEmpty() { CefCall<void, &TCefPostDataElement::set_to_empty>(FData); }
void TCefPostDataElementRef::SetToFile(const ustring& fileName) {
  CefCall<void, &TCefPostDataElement::set_to_file>(FData, fileName);
}
void TCefPostDataElementRef::SetToBytes(size_t size, const void* bytes) {
  CefCall<void, &TCefPostDataElement::set_to_bytes>(FData, size, bytes);
}
TCefPostDataElementType TCefPostDataElementRef::GetType() {
  return CefCall<TCefPostDataElementType, &TCefPostDataElement::get_type>(FData);
}
ustring TCefPostDataElementRef::GetFile() { return CefCall<ustring, &TCefPostDataElement::get_file>(FData); }
size_t TCefPostDataElementRef::GetBytesCount() { return CefCall<size_t, &TCefPostDataElement::get_bytes_count>(FData); }
size_t TCefPostDataElementRef::GetBytes(size_t size, void* bytes) {
  return CefCall<size_t, &TCefPostDataElement::get_bytes>(FData, size, bytes);
}

}  // namespace larkwell
