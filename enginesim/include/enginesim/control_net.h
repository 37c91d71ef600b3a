// Test control of the stand-in's browsing over HTTP: what its fetches and downloads did, and
// the one behaviour a test can switch.
//
// load_url with an http:// address fetches it on a worker thread of its own, with the
// platform's HTTP client (WinINet; Windows only: elsewhere no address is fetched), following up
// to 5 redirects. Everything the program hears of it comes in cef_do_message_loop_work on the
// calling thread:
//  - a page (text/html, text/plain, or no type) becomes the frame's source, decoded in the
//    charset Content-Type names (UTF-8 when none; GBK and GB2312 too), and is announced as
//    every load is, at its address without the fragment ("http://host?q" as "http://host/?q"),
//    with the response's status code in on_load_end;
//  - a failure calls load_handler.on_load_error(browser, frame, code, url, text) with the
//    network's error code (-102 refused, -105 unknown host, -118 timed out, -101 reset,
//    -320 invalid response, -324 empty response, -310 too many redirects, -311 a redirect
//    that leaves http, -300 an invalid address, -2 any other) and its name
//    ("net::ERR_CONNECTION_REFUSED"); then the frame shows an error page at that address (its
//    URL, and the text as its source: the program's text when on_load_error answered 1),
//    announced no further;
//  - a response of another type, or one with Content-Disposition: attachment, is a download:
//    request_handler.get_download_handler(browser, mime type, suggested name, announced
//    length or -1, &handler); then, when it answered 1 with a handler, received_data once per
//    block of what came (at most 64 KiB each), until the body ends or the handler answers 0;
//    then complete (after a cancel only while the switch below is on); then the engine releases
//    its reference on the handler. A body that ends early (closed before its announced length,
//    or broken off) ends the download the same way, without an error.
// At most 2 MiB of blocks wait for delivery; the worker reads on only as they go. A new load of
// the frame stops a page fetch still under way; a browser's last release and cef_shutdown stop
// every fetch of it and end its downloads at once on the releasing thread, as above (complete
// per the switch), whatever the server does: a worker still waiting for a stalled server
// queues nothing more and ends when its wait does.
#pragma once

#include <stdint.h>

#include "enginesim/control.h"

extern "C" {

struct TSimNetCounts {
  int64_t bytes_delivered;   // through received_data
  int32_t fetches_started;   // http:// loads begun
  int32_t fetches_running;   // fetches not stopped whose worker or download has not ended
  int32_t load_errors;       // on_load_error notifications
  int32_t downloads_begun;   // get_download_handler questions
  int32_t handler_refusals;  // ... answered 0, or without a handler
  int32_t blocks_delivered;  // received_data calls
  int32_t largest_block;     // bytes in the largest of them
  int32_t cancels;           // received_data answered 0
  int32_t completes;         // complete calls
  int32_t truncated;         // downloads whose body ended before its announced end
  int32_t abandoned;         // downloads ended because their browser went or the engine shut down
  int32_t most_waiting;      // the most bytes that ever waited for delivery at once
};
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_net_counts(TSimNetCounts* counts);

// 1 (the default): complete follows a download the handler cancelled, as it follows every
// other; 0: a cancelled download hears nothing more. Answers the previous setting.
// sim_process_reset sets it back to 1 and the counts to 0.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_net_complete_after_cancel(int enable);

// Delivers a download of `total` bytes to `handler` as the engine does, without a network:
// received_data once per block of `block_size` bytes (the last one may be shorter), every block
// from the engine's buffer `block`, stopping when the program answers 0. No complete, no
// reference taken: the caller keeps the handler. Answers the bytes the program accepted, -1
// for unfitting arguments. For measuring the program's side of the download path.
ENGINESIM_CONTROL int64_t CEF_EXPORT_CALL sim_net_deliver(TCefDownloadHandler* handler, void* block, int32_t block_size,
                                                          int64_t total);

}  // extern "C"

namespace larkwell::enginesim {

inline TSimNetCounts net_counts() {
  TSimNetCounts counts{};
  sim_net_counts(&counts);
  return counts;
}

}  // namespace larkwell::enginesim
