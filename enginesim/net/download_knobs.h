// Two knobs for tests of a whole program, which cannot call the control exports, set in the
// environment like ENGINESIM_REPORT_AT_EXIT:
//   ENGINESIM_LEDGER_FILE=<path>        after every download has ended (the engine's reference
//                                       on its handler released), the ledger's account of what
//                                       is live is written to <path>, replacing what was there;
//   ENGINESIM_DOWNLOAD_REF_THREADS=<n>  while a download runs, n engine threads add and release
//                                       references on its handler and its browser.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/core/held.h"

namespace larkwell::enginesim::net {

// Writes the ledger's account when ENGINESIM_LEDGER_FILE asks for it.
void note_download_ended();

// Engine threads taking and dropping references on a download's handler and browser, from
// start() until stop(); each holds one reference of its own on both throughout.
class RefChurn {
 public:
  // Threads as ENGINESIM_DOWNLOAD_REF_THREADS says; none when it is not set.
  static int threads_wanted();

  RefChurn(int threads, TCefBase* handler, TCefBase* browser);
  RefChurn(const RefChurn&) = delete;
  RefChurn& operator=(const RefChurn&) = delete;
  // Joins the threads; their references go with them.
  ~RefChurn();

 private:
  void churn();

  Held<TCefBase> handler_;
  Held<TCefBase> browser_;
  std::atomic<bool> stopping_{false};
  std::vector<std::thread> threads_;
};

// "ref threads: <pairs> add_ref/release pairs during <downloads> downloads", for the exit report;
// empty when no churn ran.
std::string ref_churn_summary();

}  // namespace larkwell::enginesim::net
