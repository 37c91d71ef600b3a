// The download path, in three figures, each side by side in one process with the rounds of
// the two sides alternating and each side's median counting:
// - end to end: the engine (the stand-in) hands blocks to the shell's real download handler,
//   which keeps the progress window up to date and writes each block to its file, against a
//   plain loop of WriteFile with the same blocks to the same kind of file;
// - steady state: the same downloads, timed over the blocks between 10 % and 90 % only;
// - the progress window's fixed cost per download: a download through the handler into a
//   stream that keeps nothing (so what is left is the window appearing, its gauge repainted at
//   each of the 100 percentages, its messages handled every 10 ms, and hidden at the end)
//   against a bare tool window of the same size appearing, painting once and hidden.
//
//   download_bench [--mib=256] [--kib=4,16,64] [--rounds=7] [--dir=.] [--out=figures.json]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/download_handler.h"
#include "app/progress.h"
#include "bench/win/bench_support.h"
#include "enginesim/control_net.h"
#include "framework/streams.h"
#include "framework/ui/application.h"

// After the program's headers: windows.h renames RegisterClass, a name the form layer uses too.
#include <windows.h>

namespace larkwell::bench {
namespace {

struct TOptions {
  int64_t Mib = 256;
  std::vector<int> BlockKib{4, 16, 64};
  int Rounds = 7;
  std::wstring Dir = L".";
  std::string Out;
};

std::vector<char> BlockOf(int size) {
  std::vector<char> block(static_cast<size_t>(size));
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + (i >> 10));
  return block;
}

// One side's times for one download: the whole of it, and the blocks from 10 % to 90 %.
struct TTimes {
  double Whole = 0;
  double Middle = 0;
};

// The block counts before 10 % and before 90 % of a download of `blocks` blocks.
struct TMiddle {
  int64_t From, To;
};
TMiddle MiddleOf(int64_t blocks) { return {blocks / 10, blocks * 9 / 10}; }

// The plain loop: create, write every block, close.
TTimes PlainLoop(const std::wstring& path, std::vector<char>& block, int64_t total) {
  const int64_t blocks = total / static_cast<int64_t>(block.size());
  const TMiddle middle = MiddleOf(blocks);
  TTimes times;
  double middleStart = 0;
  const double start = Seconds();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Die("cannot create " + Narrow(path));
  for (int64_t i = 0; i < blocks; ++i) {
    if (i == middle.From) middleStart = Seconds();
    if (i == middle.To) times.Middle = Seconds() - middleStart;
    DWORD written = 0;
    if (!WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) ||
        written != block.size())
      Die("WriteFile failed");
  }
  CloseHandle(file);
  times.Whole = Seconds() - start;
  return times;
}

// Hands `blocks` blocks to the handler through the engine's received_data.
void Deliver(TCefStreamDownloadHandler& handler, std::vector<char>& block, int64_t blocks) {
  const int64_t bytes = blocks * static_cast<int64_t>(block.size());
  const int64_t accepted = sim_net_deliver(handler.DataAs<TCefDownloadHandler>(), block.data(),
                                           static_cast<int32_t>(block.size()), bytes);
  if (accepted != bytes) Die("the handler accepted " + std::to_string(accepted) + " of " + std::to_string(bytes));
}

// The shell's path: the handler the shell makes for a chosen file (an owned stream), every block
// through the engine's received_data, the handler let go at the end, which closes the stream; the
// progress window hidden as the end of a download hides it.
TTimes ThroughTheHandler(TStream* stream, const ustring& name, std::vector<char>& block, int64_t total) {
  const int64_t blocks = total / static_cast<int64_t>(block.size());
  const TMiddle middle = MiddleOf(blocks);
  TTimes times;
  const double start = Seconds();
  auto handler = New<TCefStreamDownloadHandler>(stream, true, total, name);
  Deliver(*handler, block, middle.From);
  const double middleStart = Seconds();
  Deliver(*handler, block, middle.To - middle.From);
  times.Middle = Seconds() - middleStart;
  Deliver(*handler, block, blocks - middle.To);
  if (!TfrmProgress::Instance() || !IsWindowVisible(TfrmProgress::Instance()->Handle()))
    Die("the progress window was not up during the download");
  TfrmProgress::hideProgress();
  handler.Reset();
  times.Whole = Seconds() - start;
  return times;
}

// A stream that takes every byte and keeps none.
class TDiscardStream : public TStream {
 public:
  int64_t Read(void*, int64_t) override { return 0; }
  int64_t Write(const void*, int64_t count) override {
    position_ += count;
    return count;
  }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    if (origin == TSeekOrigin::soBeginning) position_ = offset;
    else position_ += offset;  // soEnd: the end is where the writing is
    return position_;
  }

 private:
  int64_t position_ = 0;
};

// The bare tool window of the baseline: the progress window's size, fills its client area with
// the face colour when asked to paint.
LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeBareToolWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BareWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"LarkwellBenchBareToolWindow";
  RegisterClassW(&windowClass);
  RECT bounds{0, 0, 414, 163};
  AdjustWindowRectEx(&bounds, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName, L"bare",
                                WS_CAPTION | WS_SYSMENU, 100, 100, bounds.right - bounds.left,
                                bounds.bottom - bounds.top, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) Die("cannot make the bare tool window");
  return window;
}

// Seconds for the bare window to appear, paint once and hide, its messages handled.
double BareWindowAppears(HWND window) {
  const double start = Seconds();
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  ShowWindow(window, SW_HIDE);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  return Seconds() - start;
}

TFigure Ratio(const std::string& group, const std::string& name, double subject, double baseline,
              const std::string& unit, const std::string& goal, int rounds) {
  return {group, name, subject, baseline, unit, subject / baseline, goal, "median of " + std::to_string(rounds) + " rounds"};
}

int Run(const TOptions& options) {
  const int64_t total = options.Mib << 20;
  const double mib = static_cast<double>(options.Mib);
  const std::string wholeGroup = "Download path (" + std::to_string(options.Mib) + " MiB)";
  const std::string middleGroup = "Download path, steady state (blocks from 10 % to 90 %)";
  std::vector<TFigure> whole, middle;
  for (const int kib : options.BlockKib) {
    std::vector<char> block = BlockOf(kib << 10);
    const std::wstring path = options.Dir + L"\\download-bench-" + std::to_wstring(kib) + L".xls";
    const ustring name(path.begin(), path.end());
    std::vector<double> plain, handler, plainMiddle, handlerMiddle;
    for (int round = 0; round < options.Rounds; ++round) {
      // Each side starts without the file: emptying the other side's 256 MiB would be timed too,
      // the same on both sides, and would hide part of the difference. Who goes first alternates.
      for (int side = 0; side < 2; ++side) {
        DeleteFileW(path.c_str());
        if ((side + round) % 2 == 0) {
          const TTimes times = PlainLoop(path, block, total);
          plain.push_back(times.Whole);
          plainMiddle.push_back(times.Middle);
        } else {
          const TTimes times = ThroughTheHandler(new TFileStream(name, FileMode::kCreate), name, block, total);
          handler.push_back(times.Whole);
          handlerMiddle.push_back(times.Middle);
          if (!SameFileSize(path, total)) Die("the handler's file has the wrong size");
        }
      }
    }
    DeleteFileW(path.c_str());
    const double subject = mib / Median(handler), baseline = mib / Median(plain);
    const int64_t blocks = total / static_cast<int64_t>(block.size());
    const TMiddle steady = MiddleOf(blocks);
    const double middleMib = mib * static_cast<double>(steady.To - steady.From) / static_cast<double>(blocks);
    const double subjectMiddle = middleMib / Median(handlerMiddle), baselineMiddle = middleMib / Median(plainMiddle);
    std::printf("%3d KiB blocks: handler %.1f MiB/s, plain WriteFile %.1f MiB/s, ratio %.3f; steady state %.3f\n",
                kib, subject, baseline, subject / baseline, subjectMiddle / baselineMiddle);
    const std::string row = std::to_string(kib) + " KiB blocks: handler with progress window / plain WriteFile";
    whole.push_back(Ratio(wholeGroup, row, subject, baseline, "MiB/s", ">= 0.9", options.Rounds));
    middle.push_back(Ratio(middleGroup, row, subjectMiddle, baselineMiddle, "MiB/s", kib >= 16 ? ">= 0.95" : "",
                           options.Rounds));
  }

  // The window's fixed cost: 16 MiB in 64 KiB blocks into a stream that keeps nothing, against
  // the bare window; one unmeasured round of each first (the progress window is made once per
  // process, like the bare one here).
  HWND bare = MakeBareToolWindow();
  std::vector<char> block = BlockOf(64 << 10);
  const auto windowRound = [&] { return ThroughTheHandler(new TDiscardStream, u"discarded.xls", block, 16 << 20).Whole; };
  windowRound();
  BareWindowAppears(bare);
  std::vector<double> window, plainWindow;
  for (int round = 0; round < options.Rounds; ++round) {
    window.push_back(windowRound());
    plainWindow.push_back(BareWindowAppears(bare));
  }
  DestroyWindow(bare);
  const double windowMs = Median(window) * 1000, bareMs = Median(plainWindow) * 1000;
  std::printf("progress window per download %.2f ms, bare tool window %.2f ms, ratio %.2f\n", windowMs, bareMs,
              windowMs / bareMs);

  std::vector<TFigure> figures = whole;
  figures.insert(figures.end(), middle.begin(), middle.end());
  figures.push_back(Ratio("Download path, the progress window's fixed cost",
                          "a download's window (appearing, 100 repaints, messages) / a bare tool window appearing",
                          windowMs, bareMs, "ms", "<= 2", options.Rounds));
  TfrmProgress::DestroyInstance();
  if (!options.Out.empty() && !WriteFigureFile(options.Out, figures)) Die("cannot write " + options.Out);
  return 0;
}

}  // namespace
}  // namespace larkwell::bench

int wmain(int argc, wchar_t** argv) {
  using namespace larkwell::bench;
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (const auto mib = Value(arg, L"--mib=")) options.Mib = _wtoi64(mib->c_str());
    else if (const auto kib = Value(arg, L"--kib=")) options.BlockKib = Numbers(*kib);
    else if (const auto rounds = Value(arg, L"--rounds=")) options.Rounds = _wtoi(rounds->c_str());
    else if (const auto dir = Value(arg, L"--dir=")) options.Dir = *dir;
    else if (const auto out = Value(arg, L"--out=")) options.Out = Narrow(*out);
    else Die("unknown argument " + Narrow(arg));
  }
  if (options.Mib < 1 || options.Rounds < 1 || options.BlockKib.empty()) Die("nothing to measure");
  larkwell::Application().Initialize();
  return Guarded([&] { return Run(options); });
}
