#include "framework/ui/save_dialog.h"

#include <commdlg.h>

#include <cwchar>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "os/dynamic_library.h"
#include "os/last_error.h"

namespace larkwell {

const TClassInfo& TSaveDialog::StaticClassInfo() {
  static const TClassInfo info = TClassInfoBuilder<TSaveDialog>(u"TSaveDialog", TComponent::StaticClassInfo())
                                     .Field<&TSaveDialog::DefaultExt>(u"DefaultExt", u"")
                                     .Field<&TSaveDialog::FileName>(u"FileName", u"")
                                     .Field<&TSaveDialog::Filter>(u"Filter", u"")
                                     .Field<&TSaveDialog::FilterIndex>(u"FilterIndex", 1)
                                     .Field<&TSaveDialog::InitialDir>(u"InitialDir", u"")
                                     .Field<&TSaveDialog::Options>(
                                         u"Options", TOpenOptions{TOpenOption::ofHideReadOnly,
                                                                  TOpenOption::ofEnableSizing})
                                     .Field<&TSaveDialog::Title>(u"Title", u"")
                                     .Creatable()
                                     .Build();
  return info;
}

namespace {

// "a|b|c|d" as the system wants it: "a\0b\0c\0d\0\0".
std::wstring FilterList(const ustring& filter) {
  std::wstring list(reinterpret_cast<const wchar_t*>(filter.data()), filter.size());
  for (wchar_t& c : list) {
    if (c == L'|') c = L'\0';
  }
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

DWORD FlagsOf(const TOpenOptions& options) {
  struct Pair {
    TOpenOption Option;
    DWORD Flag;
  };
  static constexpr Pair kFlags[] = {
      {TOpenOption::ofReadOnly, OFN_READONLY},
      {TOpenOption::ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {TOpenOption::ofHideReadOnly, OFN_HIDEREADONLY},
      {TOpenOption::ofShowHelp, OFN_SHOWHELP},
      {TOpenOption::ofNoValidate, OFN_NOVALIDATE},
      {TOpenOption::ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {TOpenOption::ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
      {TOpenOption::ofPathMustExist, OFN_PATHMUSTEXIST},
      {TOpenOption::ofFileMustExist, OFN_FILEMUSTEXIST},
      {TOpenOption::ofCreatePrompt, OFN_CREATEPROMPT},
      {TOpenOption::ofShareAware, OFN_SHAREAWARE},
      {TOpenOption::ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {TOpenOption::ofNoTestFileCreate, OFN_NOTESTFILECREATE},
      {TOpenOption::ofNoNetworkButton, OFN_NONETWORKBUTTON},
      {TOpenOption::ofNoLongNames, OFN_NOLONGNAMES},
      {TOpenOption::ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
      {TOpenOption::ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
      {TOpenOption::ofEnableSizing, OFN_ENABLESIZING},
      {TOpenOption::ofDontAddToRecent, OFN_DONTADDTORECENT},
      {TOpenOption::ofForceShowHidden, OFN_FORCESHOWHIDDEN},
  };
  // The program's working folder never follows the dialog: relative paths the program handed
  // out earlier (the engine's cache folder) keep their meaning.
  DWORD flags = OFN_NOCHANGEDIR;
  if (!options.Contains(TOpenOption::ofOldStyleDialog)) flags |= OFN_EXPLORER;
  for (const Pair& pair : kFlags) {
    if (options.Contains(pair.Option)) flags |= pair.Flag;
  }
  return flags;
}

// The common dialogs' library is loaded when a dialog is first shown, not with the program: it
// brings a good part of the shell's libraries with it, which would lengthen every start for a
// dialog that most runs never show. It stays loaded for the rest of the process.
struct TCommonDialogs {
  decltype(&GetSaveFileNameW) GetSaveFileName;
  decltype(&CommDlgExtendedError) ExtendedError;
};

template <class Function>
Function Export(os::ModuleHandle library, const char* name) {
  void* found = os::FindExport(library, name);
  if (!found) throw os::LastOSError();
  return reinterpret_cast<Function>(found);
}

const TCommonDialogs& CommonDialogs() {
  static const TCommonDialogs dialogs = [] {
    const os::ModuleHandle library = os::LoadModule(u"comdlg32.dll");
    if (!library) throw os::LastOSError();
    return TCommonDialogs{Export<decltype(&GetSaveFileNameW)>(library, "GetSaveFileNameW"),
                          Export<decltype(&CommDlgExtendedError)>(library, "CommDlgExtendedError")};
  }();
  return dialogs;
}

}  // namespace

bool TSaveDialog::Execute(HWND owner) {
  // Room for the longest path the system knows (32767 characters).
  std::vector<wchar_t> file(32768, L'\0');
  const size_t proposed = std::min(FileName.size(), file.size() - 1);
  std::wmemcpy(file.data(), reinterpret_cast<const wchar_t*>(FileName.data()), proposed);
  const std::wstring filter = FilterList(Filter);

  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner ? owner : GetActiveWindow();
  request.hInstance = GetModuleHandleW(nullptr);
  request.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = static_cast<DWORD>(FilterIndex);
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrInitialDir = InitialDir.empty() ? nullptr : Wide(InitialDir);
  request.lpstrTitle = Title.empty() ? nullptr : Wide(Title);
  request.lpstrDefExt = DefaultExt.empty() ? nullptr : Wide(DefaultExt);
  request.Flags = FlagsOf(Options);

  const TCommonDialogs& dialogs = CommonDialogs();
  if (!dialogs.GetSaveFileName(&request)) {
    const DWORD error = dialogs.ExtendedError();
    if (error != 0) {
      throw Exception(u"The save dialog could not be shown (error " + Utf8ToUstring(std::to_string(error)) + u")");
    }
    return false;
  }
  FileName = FromWide(file.data());
  FilterIndex = static_cast<int32_t>(request.nFilterIndex);
  return true;
}

}  // namespace larkwell
