// The wrapper of the engine's response. Header maps cross as the engine's multimap handles.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefResponseRef : public TCefBaseRef, public ICefResponse {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefResponse> UnWrap(void* data);

  int GetStatus() override;
  void SetStatus(int status) override;
  ustring GetStatusText() override;
  void SetStatusText(const ustring& statusText) override;
  ustring GetMimeType() override;
  void SetMimeType(const ustring& mimetype) override;
  ustring GetHeader(const ustring& name) override;
  void GetHeaderMap(TCefStringMultimap headerMap) override;
  void SetHeaderMap(TCefStringMultimap headerMap) override;
};
template <>
struct CefRefClass<ICefResponse> {
  using type = TCefResponseRef;
};

}  // namespace larkwell
