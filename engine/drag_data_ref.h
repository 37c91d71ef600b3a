// The wrapper of the engine's drag data.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefDragDataRef : public TCefBaseRef, public ICefDragData {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefDragData> UnWrap(void* data);

  bool IsLink() override;
  bool IsFragment() override;
  bool IsFile() override;
  ustring GetLinkUrl() override;
  ustring GetLinkTitle() override;
  ustring GetLinkMetadata() override;
  ustring GetFragmentText() override;
  ustring GetFragmentHtml() override;
  ustring GetFragmentBaseUrl() override;
  ustring GetFileExtension() override;
  ustring GetFileName() override;
  // Appends the engine's names to `names` (also when it answers false) without clearing it.
  bool GetFileNames(TStrings& names) override;
};
template <>
struct CefRefClass<ICefDragData> {
  using type = TCefDragDataRef;
};

}  // namespace larkwell
