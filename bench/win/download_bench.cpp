// The download path's throughput: the engine (the stand-in) hands blocks to the shell's real
// download handler, which keeps the progress window up to date and writes each block to its
// file, against a plain loop of WriteFile with the same blocks to the same kind of file, side
// by side in one process. Rounds alternate between the two; each side's median counts.
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

// Seconds for the plain loop: create, write every block, close.
double PlainLoop(const std::wstring& path, std::vector<char>& block, int64_t total) {
  const double start = Seconds();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Die("cannot create " + Narrow(path));
  for (int64_t done = 0; done < total; done += static_cast<int64_t>(block.size())) {
    DWORD written = 0;
    if (!WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) ||
        written != block.size())
      Die("WriteFile failed");
  }
  CloseHandle(file);
  return Seconds() - start;
}

// Seconds for the shell's path: the handler the shell makes for a chosen file (an owned file
// stream), every block through the engine's received_data, the handler let go at the end,
// which closes the file; the progress window hidden as the end of a download hides it.
double ThroughTheHandler(const std::wstring& path, std::vector<char>& block, int64_t total) {
  const double start = Seconds();
  const ustring name(path.begin(), path.end());
  auto handler = New<TCefStreamDownloadHandler>(new TFileStream(name, FileMode::kCreate), true, total, name);
  const int64_t accepted = sim_net_deliver(handler->DataAs<TCefDownloadHandler>(), block.data(),
                                           static_cast<int32_t>(block.size()), total);
  if (accepted != total) Die("the handler accepted " + std::to_string(accepted) + " bytes");
  if (!TfrmProgress::Instance() || !IsWindowVisible(TfrmProgress::Instance()->Handle()))
    Die("the progress window was not up during the download");
  TfrmProgress::hideProgress();
  handler.Reset();
  return Seconds() - start;
}

int Run(const TOptions& options) {
  const int64_t total = options.Mib << 20;
  std::vector<TFigure> figures;
  for (const int kib : options.BlockKib) {
    std::vector<char> block = BlockOf(kib << 10);
    const std::wstring path = options.Dir + L"\\download-bench-" + std::to_wstring(kib) + L".xls";
    std::vector<double> plain, handler;
    for (int round = 0; round < options.Rounds; ++round) {
      // Each side starts without the file: emptying the other side's 256 MiB would be timed too,
      // the same on both sides, and would hide part of the difference. Who goes first alternates.
      for (int side = 0; side < 2; ++side) {
        DeleteFileW(path.c_str());
        if ((side + round) % 2 == 0) {
          plain.push_back(PlainLoop(path, block, total));
        } else {
          handler.push_back(ThroughTheHandler(path, block, total));
          if (!SameFileSize(path, total)) Die("the handler's file has the wrong size");
        }
      }
    }
    DeleteFileW(path.c_str());
    const double mib = static_cast<double>(options.Mib);
    const double subject = mib / Median(handler), baseline = mib / Median(plain);
    std::printf("%3d KiB blocks: handler %.1f MiB/s, plain WriteFile %.1f MiB/s, ratio %.3f\n", kib, subject,
                baseline, subject / baseline);
    figures.push_back({"Download path (" + std::to_string(options.Mib) + " MiB)",
                       std::to_string(kib) + " KiB blocks: handler with progress window / plain WriteFile",
                       subject, baseline, "MiB/s", subject / baseline, ">= 0.9",
                       "median of " + std::to_string(options.Rounds) + " rounds"});
  }
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
