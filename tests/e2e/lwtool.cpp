// lwtool: looks at and drives the windows of other programs from outside, the way a test needs
// to (run with wine in the same prefix). Arguments are wide strings: under zh_CN the narrow
// ones would arrive in code page 936.
//
// A <title> may be "class|title" (a message box "#32770|Larkwell", say).
//   lwtool wait <title> <seconds>   waits for a visible top-level window titled <title>; prints
//                                   "visible maximised topmost class" as 0/1 flags and the class
//   lwtool first <seconds> <title>... waits for a visible top-level window with any of these
//                                   titles (a dialog's title in each language); prints the title
//   lwtool close <title> [<seconds>] posts WM_CLOSE to it; with <seconds>, waits that long for
//                                   its process to end and prints the process's exit code
//   lwtool gone <title> <seconds>   waits until no window titled <title> is left
//   lwtool texts <title>            prints the text of each Static or label child (a message
//                                   box's text), one per line, UTF-8
//   lwtool get <title> <id>         prints the text of the control with that id (for a combo box
//                                   with an edit field, the field's text), UTF-8
//   lwtool set <title> <id> <text>  sets that text
//   lwtool press <title> <id>       presses the dialog's button with that id
//   lwtool answer <title> <id>      prints the texts of one such box, presses its button with
//                                   that id and waits until that box is hidden (exit code 1,
//                                   nothing pressed, while the box has no text yet)
//   lwtool openw <path>             opens the file for writing, sharing nothing, and closes it
//                                   again: exit code 0 when no other process holds it open
//   lwtool hold <path> <seconds>    creates or opens the file, sharing nothing, prints "held"
//                                   and keeps it open that long
//   lwtool list                     prints every visible top-level window: "topmost maximised
//                                   class|title", UTF-8
//   lwtool shortcut <file.lnk>      prints the shortcut's target, working folder and arguments,
//                                   one per line, UTF-8, as the shell reads them
//   lwtool ended <name> <seconds>   waits until no process of this prefix runs a program whose
//                                   file name starts with <name> (case-insensitive); prints the
//                                   exit code of each such process it saw end, one per line
//   lwtool usage <title>            prints what the window's process uses, one "name value" a
//                                   line: gdi and user (GetGuiResources), handles
//                                   (GetProcessHandleCount), private (PrivateUsage, bytes),
//                                   windows (the windows of its threads, children included) and
//                                   gdi-table (live entries of its GDI handle table)
//   lwtool paint <title> <seconds>  invalidates the window and its children and waits until the
//                                   program has painted them all; prints the milliseconds taken
//   lwtool move <title> <x> <y> <seconds>  asks the window's own thread to move it there and
//                                   waits until it stands there; prints the milliseconds taken
//   lwtool serve                    answers calls read from standard input, one a line, its
//                                   arguments separated by tabs (UTF-8); each answer is the
//                                   call's output followed by a line "\x1e<exit code>"
// Exit code 0 on success, 1 when the window is not there (in time), 2 for bad arguments.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <winternl.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// `title`, or "class|title" to tell a message box from a main window of the same title.
HWND FindVisible(const wchar_t* title) {
  std::wstring className;
  std::wstring caption = title;
  if (const size_t bar = caption.find(L'|'); bar != std::wstring::npos) {
    className = caption.substr(0, bar);
    caption.erase(0, bar + 1);
  }
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className.empty() ? nullptr : className.c_str(),
                                 caption.c_str())) != nullptr) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Milliseconds until `done()` holds, polling; -1 after `seconds`.
template <class Done>
long WaitUntil(double seconds, Done done) {
  const ULONGLONG start = GetTickCount64();
  const ULONGLONG until = start + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (done()) return static_cast<long>(GetTickCount64() - start);
    if (GetTickCount64() >= until) return -1;
    Sleep(10);
  }
}

HWND WaitFor(const wchar_t* title, double seconds) {
  HWND window = nullptr;
  WaitUntil(seconds, [&] { return (window = FindVisible(title)) != nullptr; });
  return window;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  std::string out(text.size() * 4, '\0');
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                    static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

// The text of a window of another process (GetWindowText reads nothing across processes).
std::wstring TextOfWindow(HWND window) {
  wchar_t text[32768] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 32768, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  return std::wstring(text, length);
}

// Adds the text of a Static or label child to the std::string at `lines`, a line each.
BOOL CALLBACK CollectStatic(HWND window, LPARAM lines) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  // A message box's texts are Static controls; the program's own labels are TLabel windows.
  const std::wstring name = className;
  if (name != L"Static" && name.find(L"TLabel") == std::wstring::npos) return TRUE;
  const std::wstring text = TextOfWindow(window);
  if (!text.empty()) *reinterpret_cast<std::string*>(lines) += Utf8(text) + "\n";
  return TRUE;
}

std::string StaticTexts(HWND window) {
  std::string lines;
  EnumChildWindows(window, &CollectStatic, reinterpret_cast<LPARAM>(&lines));
  return lines;
}

struct TFind {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<TFind*>(data);
  if (GetDlgCtrlID(window) != find->id) return TRUE;
  find->found = window;
  return FALSE;
}

BOOL CALLBACK FirstEdit(HWND window, LPARAM data) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wstring(className) != L"Edit") return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

// The control with `id` inside `dialog`; for a combo box with an edit field (the Save As
// dialog's file name), the field itself.
HWND Control(HWND dialog, int id) {
  TFind find{id, nullptr};
  EnumChildWindows(dialog, &MatchId, reinterpret_cast<LPARAM>(&find));
  if (!find.found) return nullptr;
  HWND edit = nullptr;
  EnumChildWindows(find.found, &FirstEdit, reinterpret_cast<LPARAM>(&edit));
  return edit ? edit : find.found;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  wchar_t className[128] = {};
  GetClassNameW(window, className, 128);
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  std::printf("%d %d %s|%s\n", (exStyle & WS_EX_TOPMOST) ? 1 : 0, IsZoomed(window) ? 1 : 0,
              Utf8(className).c_str(), Utf8(TextOfWindow(window)).c_str());
  return TRUE;
}

// Reads the shortcut through the shell's own link object, as Explorer and the Start menu do.
int PrintShortcut(const wchar_t* path) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 1;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {}, arguments[1024] = {};
      if (SUCCEEDED(file->Load(path, STGM_READ)) &&
          SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
          SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)) &&
          SUCCEEDED(link->GetArguments(arguments, 1024))) {
        std::printf("%s\n%s\n%s\n", Utf8(target).c_str(), Utf8(folder).c_str(), Utf8(arguments).c_str());
        std::fflush(stdout);
        status = 0;
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return status;
}

// The id of a process whose program's file name starts with `prefix`, or 0 when none runs.
DWORD FindProcess(const std::wstring& prefix) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
    if (_wcsnicmp(entry.szExeFile, prefix.c_str(), prefix.size()) == 0) found = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return found;
}

// Waits for every process FindProcess finds to end and prints its exit code; false on time-out.
bool WaitEnded(const std::wstring& prefix, double seconds) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (const DWORD id = FindProcess(prefix)) {
    const ULONGLONG now = GetTickCount64();
    if (now >= until) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) continue;  // ended between the snapshot and now: its code is lost
    const bool ended = WaitForSingleObject(process, static_cast<DWORD>(until - now)) == WAIT_OBJECT_0;
    DWORD code = 0;
    if (ended && GetExitCodeProcess(process, &code)) std::printf("%lu\n", code);
    CloseHandle(process);
    if (!ended) return false;
  }
  std::fflush(stdout);
  return true;
}

// --- what a process uses, measured from outside

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

struct TProcessWindows {
  DWORD process;
  int count;
};

// Counts the process's top-level windows, hidden ones too, and all their children.
BOOL CALLBACK CountProcessWindow(HWND window, LPARAM data) {
  auto* windows = reinterpret_cast<TProcessWindows*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != windows->process) return TRUE;
  ++windows->count;
  EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&windows->count));
  return TRUE;
}

// One entry of the GDI handle table the system maps into every process (its address is in the
// process environment block); a non-zero type marks a live object.
#pragma pack(push, 1)
struct TGdiTableEntry {
  unsigned long long object;
  unsigned long owner;
  unsigned short unique;
  unsigned char type;
  unsigned char flags;
  unsigned long long user;
};
#pragma pack(pop)
static_assert(sizeof(TGdiTableEntry) == 24);
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0x94;  // 32-bit process environment block

// Live entries of the process's GDI handle table that it owns; -1 when it cannot be read.
long CountGdiTable(HANDLE process, DWORD id) {
  using TQuery = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  ULONG table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTableOffset,
                         &table, sizeof table, &read) || table == 0) {
    return -1;
  }
  std::vector<TGdiTableEntry> entries(kGdiTableEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<uintptr_t>(table)), entries.data(),
                         entries.size() * sizeof(TGdiTableEntry), &read)) {
    return -1;
  }
  long live = 0;
  for (size_t i = 0; i < read / sizeof(TGdiTableEntry); ++i) {
    // Wine maps a table of the process's own; Windows one for all, told apart by the owner.
    if (entries[i].type != 0 && ((entries[i].owner & 0xFFFF) == (id & 0xFFFF) || (entries[i].owner & 0xFFFF) == 0)) ++live;
  }
  return live;
}

int PrintUsage(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return 1;
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  TProcessWindows windows{id, 0};
  EnumWindows(&CountProcessWindow, reinterpret_cast<LPARAM>(&windows));
  std::printf("gdi %lu\nuser %lu\nhandles %lu\nprivate %lu\nwindows %d\ngdi-table %ld\n",
              GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS), handles,
              static_cast<unsigned long>(memory.PrivateUsage), windows.count, CountGdiTable(process, id));
  std::fflush(stdout);
  CloseHandle(process);
  return 0;
}

// --- responsiveness, measured from outside

// True once neither the window nor any child has anything left to paint.
BOOL CALLBACK FindUnpainted(HWND window, LPARAM unpainted) {
  if (GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(unpainted) = true;
  return TRUE;
}

bool Painted(HWND window) {
  bool unpainted = GetUpdateRect(window, nullptr, FALSE) != 0;
  EnumChildWindows(window, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

int PrintWaited(long milliseconds) {
  if (milliseconds < 0) return 1;
  std::printf("%ld\n", milliseconds);
  std::fflush(stdout);
  return 0;
}

int Run(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wstring(argv[1]) == L"list") {
    EnumWindows(&PrintTopLevel, 0);
    std::fflush(stdout);
    return 0;
  }
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  if (command == L"first") {
    if (argc < 4) return 2;
    const wchar_t* found = nullptr;
    WaitUntil(_wtof(argv[2]), [&] {
      for (int i = 3; i < argc && !found; ++i) {
        if (FindVisible(argv[i])) found = argv[i];
      }
      return found != nullptr;
    });
    if (!found) return 1;
    std::printf("%s\n", Utf8(found).c_str());
    std::fflush(stdout);
    return 0;
  }
  if (command == L"shortcut") return PrintShortcut(argv[2]);
  if (command == L"openw" || command == L"hold") {
    const bool hold = command == L"hold";
    HANDLE file = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, hold ? OPEN_ALWAYS : OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      std::printf("error %lu\n", GetLastError());
      return 1;
    }
    if (hold) {
      std::printf("held\n");
      std::fflush(stdout);
      Sleep(static_cast<DWORD>((argc > 3 ? _wtof(argv[3]) : 10) * 1000));
    }
    CloseHandle(file);
    return 0;
  }
  const wchar_t* title = argv[2];
  const double seconds = argc > 3 ? _wtof(argv[3]) : 10;
  if (command == L"wait") {
    HWND window = WaitFor(title, seconds);
    if (!window) return 1;
    wchar_t className[128] = {};
    GetClassNameW(window, className, 128);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    std::printf("%d %d %d %s\n", IsWindowVisible(window) ? 1 : 0, IsZoomed(window) ? 1 : 0,
                (exStyle & WS_EX_TOPMOST) ? 1 : 0, Utf8(className).c_str());
    return 0;
  }
  if (command == L"close") {
    HWND window = FindVisible(title);
    if (!window) return 1;
    // Opened before the message is posted, so an early end cannot take the exit code with it.
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = argc > 3 ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (argc <= 3) return 0;
    if (!process) return 1;
    DWORD code = 0;
    const bool ended = WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ended) return 1;
    std::printf("%lu\n", code);
    std::fflush(stdout);
    return 0;
  }
  if (command == L"texts") {
    HWND window = FindVisible(title);
    if (!window) return 1;
    std::fputs(StaticTexts(window).c_str(), stdout);
    std::fflush(stdout);
    return 0;
  }
  if (command == L"answer") {
    // One box, read and answered: with several boxes of one title up at once (nested error
    // reports), reading with `texts` and pressing with `press` may reach two different ones.
    if (argc < 4) return 2;
    HWND dialog = FindVisible(title);
    if (!dialog) return 1;
    const int id = _wtoi(argv[3]);
    HWND control = Control(dialog, id);
    if (!control) return 1;
    // A box still being made has no text yet: it is left alone, to be answered later.
    const std::string texts = StaticTexts(dialog);
    if (texts.empty()) return 1;
    std::fputs(texts.c_str(), stdout);
    std::fflush(stdout);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    // Answered, a box is hidden at once but destroyed only when its modal loop ends, which for
    // an outer box of nested ones waits for the inner ones.
    return WaitUntil(5, [dialog] { return !IsWindowVisible(dialog); }) >= 0 ? 0 : 1;
  }
  if (command == L"get" || command == L"set" || command == L"press") {
    if (argc < 4 || (command == L"set" && argc < 5)) return 2;
    HWND dialog = FindVisible(title);
    if (!dialog) return 1;
    const int id = _wtoi(argv[3]);
    HWND control = Control(dialog, id);
    if (!control) return 1;
    if (command == L"get") {
      std::printf("%s\n", Utf8(TextOfWindow(control)).c_str());
      std::fflush(stdout);
    } else if (command == L"set") {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG, 2000, &ignored);
    } else {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    }
    return 0;
  }
  if (command == L"ended") return WaitEnded(title, seconds) ? 0 : 1;
  if (command == L"usage") {
    HWND window = FindVisible(title);
    return window ? PrintUsage(window) : 1;
  }
  if (command == L"paint") {
    HWND window = FindVisible(title);
    if (!window) return 1;
    // Only the window's own thread, back in its message loop, paints and so validates it.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return PrintWaited(WaitUntil(seconds, [window] { return Painted(window); }));
  }
  if (command == L"move") {
    if (argc < 6) return 2;
    HWND window = FindVisible(title);
    if (!window) return 1;
    const int x = _wtoi(argv[3]);
    const int y = _wtoi(argv[4]);
    // Asynchronous: the window's own thread moves it, so a hung program leaves it standing.
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    return PrintWaited(WaitUntil(_wtof(argv[5]), [window, x, y] {
      RECT rect{};
      return GetWindowRect(window, &rect) && rect.left == x && rect.top == y;
    }));
  }
  if (command == L"gone") {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (FindWindowW(nullptr, title)) {
      if (GetTickCount64() >= until) return 1;
      Sleep(50);
    }
    return 0;
  }
  return 2;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  std::wstring out(text.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                    static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

// One process answers a script's calls: starting a Windows program under Wine costs more than
// most calls take.
int Serve() {
  _setmode(_fileno(stdin), _O_BINARY);
  std::string line;
  for (int c = std::getchar(); c != EOF; c = std::getchar()) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    std::vector<std::wstring> arguments{L"lwtool"};
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      arguments.push_back(Wide(line.substr(start, tab - start)));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    std::vector<wchar_t*> argv;
    for (std::wstring& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int code = Run(static_cast<int>(arguments.size()), argv.data());
    std::printf("\x1e%d\n", code);
    std::fflush(stdout);
    line.clear();
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"serve") return Serve();
  return Run(argc, argv);
}
