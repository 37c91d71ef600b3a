// The system's save-file dialog.
#pragma once

#include "framework/forms/component.h"
#include "framework/forms/properties.h"
#include "framework/ui/win32.h"

namespace larkwell {

enum class TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,  // asks before an existing file is chosen
  ofHideReadOnly,     // no read-only check box
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,  // the dialog can be resized
  ofDontAddToRecent,
  ofForceShowHidden,
};
using TOpenOptions = TSet<TOpenOption>;

template <>
struct TEnumNames<TOpenOption> {
  static constexpr std::u16string_view kNames[] = {
      u"ofReadOnly",         u"ofOverwritePrompt",  u"ofHideReadOnly",       u"ofNoChangeDir",
      u"ofShowHelp",         u"ofNoValidate",       u"ofAllowMultiSelect",   u"ofExtensionDifferent",
      u"ofPathMustExist",    u"ofFileMustExist",    u"ofCreatePrompt",       u"ofShareAware",
      u"ofNoReadOnlyReturn", u"ofNoTestFileCreate", u"ofNoNetworkButton",    u"ofNoLongNames",
      u"ofOldStyleDialog",   u"ofNoDereferenceLinks", u"ofEnableIncludeNotify", u"ofEnableSizing",
      u"ofDontAddToRecent",  u"ofForceShowHidden"};
};

class TSaveDialog : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Description/pattern pairs joined by "|": "Excel2003 Files (*.xls)|*.xls".
  ustring Filter;
  int32_t FilterIndex = 1;
  // In: the proposed name (or path). Out: the full path the user chose. Kept between calls.
  ustring FileName;
  // Empty: a name typed without extension is used without one.
  ustring DefaultExt;
  // Empty: the system's own title and starting folder.
  ustring Title;
  ustring InitialDir;
  TOpenOptions Options{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};

  // Shows the dialog modally over `owner` (null: the active window of this thread). True when
  // the user chose a file (FileName holds its full path); false when cancelled. A dialog that
  // cannot be shown raises the system's reason.
  bool Execute(HWND owner = nullptr);
};

inline const TClassRegistration<TSaveDialog> kRegisterTSaveDialog;

}  // namespace larkwell
