// lwbench_launch: times one start of a Windows program for the start-up benchmark (run with
// wine in the program's prefix). Arguments are wide strings (under zh_CN narrow ones arrive in
// code page 936).
//
//   lwbench_launch <program.exe> [--engine] [--argument=<word>]
//
// <word> is handed to the program as its command line's argument.
// Reads the system clock, starts the program in its own folder with ENGINESIM_TIMESTAMPS naming
// a fresh file (the engine stand-in writes its moments there, on the same clock), and looks every
// millisecond for a visible, maximised top-level window of the program's process. With --engine
// it then waits for the engine's moments: the first browser made and the first load of a
// non-empty address. Then it closes the window and waits for the program to end. It prints, in
// milliseconds from just before the process was created:
//   window <ms>
//   browser <ms>          (with --engine)
//   start_url <ms> <url>  (with --engine)
//   exit <code>
// Exit code 0 when everything was seen in time and the program ended with 0; 1 otherwise (with
// the reason on the standard error); 2 for bad arguments.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kEngineTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 15000;

// The clock the engine stand-in stamps with: 100 ns units since 1601.
int64_t SystemTime() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

double MillisecondsBetween(int64_t from, int64_t to) { return static_cast<double>(to - from) / 10000.0; }

struct WindowSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) noexcept {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window) && IsZoomed(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleMaximisedWindowOf(DWORD process) {
  WindowSearch search{process, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The engine's moments as far as they were written: the first browser and the first load of a
// non-empty address.
struct EngineMoments {
  std::optional<int64_t> browser;
  std::optional<int64_t> start_url;
  std::string url;
  bool complete() const { return browser && start_url; }
};

EngineMoments ReadMoments(const std::wstring& path) {
  EngineMoments moments;
  std::ifstream file(path.c_str(), std::ios::binary);  // mingw's library takes a wide name
  for (std::string line; std::getline(file, line);) {
    if (file.eof()) break;  // no newline yet: the engine is still writing this line
    std::istringstream fields(line);
    int64_t time = 0;
    std::string event, detail;
    if (!(fields >> time >> event)) continue;
    if (fields.get() == ' ') std::getline(fields, detail);
    if (event == "browser" && !moments.browser) moments.browser = time;
    if (event == "load_url" && !detail.empty() && !moments.start_url) {
      moments.start_url = time;
      moments.url = detail;
    }
  }
  return moments;
}

std::wstring FreshStampFile() {
  wchar_t folder[MAX_PATH], path[MAX_PATH];
  if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"lws", 0, path) == 0) return {};
  DeleteFileW(path);  // the engine creates it with its first moment
  return path;
}

int Fail(const char* reason, PROCESS_INFORMATION& started) {
  std::fprintf(stderr, "lwbench_launch: %s\n", reason);
  if (started.hProcess != nullptr) {
    TerminateProcess(started.hProcess, 1);
    WaitForSingleObject(started.hProcess, kExitTimeoutMs);
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  bool engine = false;
  std::wstring argument;
  for (int i = 2; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--engine") == 0) {
      engine = true;
    } else if (std::wcsncmp(argv[i], L"--argument=", 11) == 0) {
      argument = argv[i] + 11;
    } else {
      argc = 0;
    }
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: lwbench_launch <program.exe> [--engine] [--argument=<word>]\n");
    return 2;
  }
  wchar_t program[MAX_PATH];
  wchar_t* name = nullptr;
  if (GetFullPathNameW(argv[1], MAX_PATH, program, &name) == 0 || name == nullptr) {
    std::fprintf(stderr, "lwbench_launch: no such program path\n");
    return 2;
  }
  const std::wstring folder(program, name);
  const std::wstring stamps = FreshStampFile();
  PROCESS_INFORMATION started{};
  if (stamps.empty()) return Fail("no temporary file for the engine's moments", started);
  SetEnvironmentVariableW(L"ENGINESIM_TIMESTAMPS", stamps.c_str());  // the program inherits it

  std::wstring command = L"\"" + std::wstring(program) + L"\"";
  if (!argument.empty()) command += L" " + argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const int64_t start = SystemTime();
  if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &started)) {
    return Fail("the program did not start", started);
  }
  CloseHandle(started.hThread);

  // Waiting on the process for a millisecond between looks also notices a program that ended.
  HWND window = nullptr;
  int64_t shown = 0;
  for (const ULONGLONG until = GetTickCount64() + kWindowTimeoutMs;;) {
    if ((window = VisibleMaximisedWindowOf(started.dwProcessId)) != nullptr) {
      shown = SystemTime();
      break;
    }
    if (WaitForSingleObject(started.hProcess, 1) == WAIT_OBJECT_0) return Fail("the program ended without a window", started);
    if (GetTickCount64() >= until) return Fail("no visible maximised window in time", started);
  }
  std::printf("window %.3f\n", MillisecondsBetween(start, shown));

  if (engine) {
    EngineMoments moments;
    for (const ULONGLONG until = GetTickCount64() + kEngineTimeoutMs; !(moments = ReadMoments(stamps)).complete();) {
      if (GetTickCount64() >= until) return Fail("the engine wrote no browser and no start address in time", started);
      Sleep(10);
    }
    std::printf("browser %.3f\n", MillisecondsBetween(start, *moments.browser));
    std::printf("start_url %.3f %s\n", MillisecondsBetween(start, *moments.start_url), moments.url.c_str());
  }
  DeleteFileW(stamps.c_str());

  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
    return Fail("the program did not end after its window was closed", started);
  }
  DWORD code = 1;
  GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hProcess);
  std::printf("exit %lu\n", static_cast<unsigned long>(code));
  return code == 0 ? 0 : 1;
}
