#include "engine/response_ref.h"

namespace larkwell {

IPtr<ICefResponse> TCefResponseRef::UnWrap(void* data) { return CefUnWrap<TCefResponseRef, ICefResponse>(data); }

int TCefResponseRef::GetStatus() { return CefCall<int, &TCefResponse::get_status>(FData); }
void TCefResponseRef::SetStatus(int status) { CefCall<void, &TCefResponse::set_status>(FData, status); }
ustring TCefResponseRef::GetStatusText() { return CefCall<ustring, &TCefResponse::get_status_text>(FData); }
void TCefResponseRef::SetStatusText(const ustring& statusText) {
  CefCall<void, &TCefResponse::set_status_text>(FData, statusText);
}
ustring TCefResponseRef::GetMimeType() { return CefCall<ustring, &TCefResponse::get_mime_type>(FData); }
void TCefResponseRef::SetMimeType(const ustring& mimetype) {
  CefCall<void, &TCefResponse::set_mime_type>(FData, mimetype);
}
ustring TCefResponseRef::GetHeader(const ustring& name) { return CefCall<ustring, &TCefResponse::get_header>(FData, name); }
void TCefResponseRef::GetHeaderMap(TCefStringMultimap headerMap) {
  CefCall<void, &TCefResponse::get_header_map>(FData, headerMap);
}
void TCefResponseRef::SetHeaderMap(TCefStringMultimap headerMap) {
  CefCall<void, &TCefResponse::set_header_map>(FData, headerMap);
}

}  // namespace larkwell
