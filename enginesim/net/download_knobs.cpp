#include "enginesim/net/download_knobs.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "enginesim/core/engine_refs.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"

namespace larkwell::enginesim::net {

namespace {

std::atomic<long long> churned_pairs{0};
std::atomic<int> churned_downloads{0};
std::atomic<int> ended_downloads{0};

}  // namespace

void note_download_ended() {
  const int ended = ++ended_downloads;
  const char* path = std::getenv("ENGINESIM_LEDGER_FILE");
  if (path == nullptr || *path == '\0') return;
  Ledger& book = ledger();
  const std::string text =
      "after download " + std::to_string(ended) + ": live objects " + std::to_string(book.live_objects()) +
      ", program references held " + std::to_string(book.held_program_refs()) + ", allocations " +
      std::to_string(book.live_allocations()) + ", errors " + std::to_string(book.error_count()) + "\n" + book.report();
  // Written beside and renamed over, so a reader never sees half an account.
  const std::filesystem::path target(path);
  std::filesystem::path scratch = target;
  scratch += ".part";
  if (std::FILE* file = std::fopen(scratch.string().c_str(), "wb")) {
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) == 0 && written) {
      std::error_code ignored;
      std::filesystem::rename(scratch, target, ignored);
    }
  }
}

int RefChurn::threads_wanted() {
  const char* wanted = std::getenv("ENGINESIM_DOWNLOAD_REF_THREADS");
  return wanted != nullptr ? std::atoi(wanted) : 0;
}

RefChurn::RefChurn(int threads, TCefBase* handler, TCefBase* browser)
    : handler_(Held<TCefBase>::copy(handler)), browser_(Held<TCefBase>::copy(browser)) {
  ++churned_downloads;
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { churn(); });
}

RefChurn::~RefChurn() {
  stopping_ = true;
  for (std::thread& thread : threads_) thread.join();
}

void RefChurn::churn() {
  shielded<void>("download ref thread", [this] {
    long long pairs = 0;
    while (!stopping_.load()) {
      for (TCefBase* structure : {handler_.get(), browser_.get()}) {
        engine_add_ref(structure);
        engine_release(structure);
        ++pairs;
      }
      // Now and then the user-interface thread gets the core: it delivers the download meanwhile.
      if (pairs % 128 == 0) std::this_thread::yield();
    }
    churned_pairs += pairs;
  });
}

std::string ref_churn_summary() {
  if (churned_downloads == 0) return {};
  return "ref threads: " + std::to_string(churned_pairs.load()) + " add_ref/release pairs during " +
         std::to_string(churned_downloads.load()) + " downloads";
}

}  // namespace larkwell::enginesim::net
