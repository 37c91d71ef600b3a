#include "engine/frame_ref.h"

#include "engine/browser_ref.h"
#include "engine/closures.h"
#include "engine/entry_points.h"
#include "engine/stream_reader_ref.h"
#include "engine/v8_refs.h"

namespace larkwell {

IPtr<ICefFrame> TCefFrameRef::UnWrap(void* data) { return CefUnWrap<TCefFrameRef, ICefFrame>(data); }

void TCefFrameRef::Undo() { CefCall<void, &TCefFrame::undo>(FData); }
void TCefFrameRef::Redo() { CefCall<void, &TCefFrame::redo>(FData); }
void TCefFrameRef::Cut() { CefCall<void, &TCefFrame::cut>(FData); }
void TCefFrameRef::Copy() { CefCall<void, &TCefFrame::copy>(FData); }
void TCefFrameRef::Paste() { CefCall<void, &TCefFrame::paste>(FData); }
void TCefFrameRef::Del() { CefCall<void, &TCefFrame::del>(FData); }
void TCefFrameRef::SelectAll() { CefCall<void, &TCefFrame::select_all>(FData); }
void TCefFrameRef::Print() { CefCall<void, &TCefFrame::print>(FData); }
void TCefFrameRef::ViewSource() { CefCall<void, &TCefFrame::view_source>(FData); }
ustring TCefFrameRef::GetSource() { return CefCall<ustring, &TCefFrame::get_source>(FData); }
ustring TCefFrameRef::GetText() { return CefCall<ustring, &TCefFrame::get_text>(FData); }
void TCefFrameRef::LoadRequest(const IPtr<ICefRequest>& request) {
  CefCall<void, &TCefFrame::load_request>(FData, request);
}
void TCefFrameRef::LoadUrl(const ustring& url) { CefCall<void, &TCefFrame::load_url>(FData, url); }
void TCefFrameRef::LoadString(const ustring& str, const ustring& url) {
  CefCall<void, &TCefFrame::load_string>(FData, str, url);
}

void TCefFrameRef::LoadStream(TStream* stream, bool owned, const ustring& url) {
  if (IPtr<ICefStreamReader> reader = TCefStreamReaderRef::CreateForStream(stream, owned))
    CefCall<void, &TCefFrame::load_stream>(FData, reader, url);
}

void TCefFrameRef::LoadFile(const ustring& filename, const ustring& url) {
  if (IPtr<ICefStreamReader> reader = TCefStreamReaderRef::CreateForFile(filename))
    CefCall<void, &TCefFrame::load_stream>(FData, reader, url);
}

void TCefFrameRef::ExecuteJavaScript(const ustring& jsCode, const ustring& scriptUrl, int startLine) {
  CefCall<void, &TCefFrame::execute_java_script>(FData, jsCode, scriptUrl, startLine);
}
bool TCefFrameRef::IsMain() { return CefCall<bool, &TCefFrame::is_main>(FData); }
bool TCefFrameRef::IsFocused() { return CefCall<bool, &TCefFrame::is_focused>(FData); }
ustring TCefFrameRef::GetName() { return CefCall<ustring, &TCefFrame::get_name>(FData); }
int64_t TCefFrameRef::GetIdentifier() { return CefCall<int64_t, &TCefFrame::get_identifier>(FData); }
IPtr<ICefFrame> TCefFrameRef::GetParent() { return CefCall<IPtr<ICefFrame>, &TCefFrame::get_parent>(FData); }
ustring TCefFrameRef::GetUrl() { return CefCall<ustring, &TCefFrame::get_url>(FData); }
IPtr<ICefBrowser> TCefFrameRef::GetBrowser() { return CefCall<IPtr<ICefBrowser>, &TCefFrame::get_browser>(FData); }
void TCefFrameRef::VisitDom(const IPtr<ICefDomVisitor>& visitor) { CefCall<void, &TCefFrame::visit_dom>(FData, visitor); }
void TCefFrameRef::VisitDomProc(const TCefFastDomVisitorProc& proc) { VisitDom(New<TCefFastDomVisitor>(proc)); }
IPtr<ICefv8Context> TCefFrameRef::GetV8Context() {
  return CefCall<IPtr<ICefv8Context>, &TCefFrame::get_v8context>(FData);
}

}  // namespace larkwell
