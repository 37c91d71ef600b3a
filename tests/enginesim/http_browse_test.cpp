// Browsing over HTTP: load_url of an http:// address fetches it from the demo web application on
// a worker, and the program hears of pages, failures and downloads only in the work steps.
// with_demo_server.sh starts the application and names it in ENGINESIM_TEST_SERVER.
#include <winsock2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "engine_work.h"
#include "enginesim/control_net.h"

namespace larkwell::enginesim::test {
namespace {

using Slots = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

const Slots kLoadCalls = {"load_handler.on_load_start", "display_handler.on_address_change",
                          "display_handler.on_title_change", "load_handler.on_load_end"};

std::u16string wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// The byte at `offset` of every download body the demo web application serves.
char served_byte(std::size_t offset) { return static_cast<char>((offset * 131 + (offset >> 10) + (offset >> 18)) & 0xFF); }
std::string served_bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = served_byte(i);
  return bytes;
}

// A port on 127.0.0.1 that nobody listens on: one the system just gave out and took back.
uint16_t closed_port() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof address;
  uint16_t port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  closesocket(s);
  WSACleanup();
  return port;
}

class HttpBrowsing : public EngineWork {
 protected:
  void SetUp() override {
    const char* server = std::getenv("ENGINESIM_TEST_SERVER");
    ASSERT_NE(server, nullptr) << "run through with_demo_server.sh, which names the demo web application";
    server_ = server;
    EngineWork::SetUp();
  }
  void TearDown() override {
    if (browser_ != nullptr) release(std::exchange(browser_, nullptr));
    EXPECT_TRUE(client_.released());
    EngineWork::TearDown();
  }

  std::u16string url(const std::string& target) const { return wide(server_ + target); }

  // Steps every `pause` until `done` holds, at most `seconds`; false when it never did.
  static bool step_until(const std::function<bool()>& done, double seconds = 10,
                         std::chrono::milliseconds pause = std::chrono::milliseconds(2)) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(pause);
      step();
    }
    return true;
  }
  bool heard(const std::string& slot) const {
    for (const ProgramClient::Call& call : client_.calls) {
      if (call.slot == slot) return true;
    }
    return false;
  }
  const ProgramClient::Call& last(const std::string& slot) const {
    for (auto call = client_.calls.rbegin(); call != client_.calls.rend(); ++call) {
      if (call->slot == slot) return *call;
    }
    ADD_FAILURE() << "no " << slot;
    return client_.calls.front();
  }
  void make_browser() {
    if (browser_ != nullptr) return;
    browser_ = create(client_);
    step();  // its creation announced
  }
  // Loads `address` into the main frame and steps until the program heard `slot`.
  bool browse(const std::u16string& address, const std::string& slot = "load_handler.on_load_end") {
    make_browser();
    client_.calls.clear();
    TCefFrame* frame = main_frame(browser_);
    load(frame, address);
    release(frame);
    return step_until([&] { return heard(slot); });
  }
  // What the main frame answers to `get` (get_url, get_source).
  std::u16string frame_text(decltype(&TCefFrame::get_url) get) {
    TCefFrame* frame = main_frame(browser_);
    PCefStringUserFree text = (frame->*get)(frame);
    std::u16string copy = text_of(text);
    cef_string_userfree_utf16_free(text);
    release(frame);
    return copy;
  }
  std::u16string source() { return frame_text(&TCefFrame::get_source); }
  std::u16string frame_url() { return frame_text(&TCefFrame::get_url); }
  // Downloads `target`, steps until the fetch has ended, and answers the counts.
  TSimNetCounts download(const std::string& target) {
    EXPECT_TRUE(browse(url(target), "request_handler.get_download_handler")) << target;
    EXPECT_TRUE(step_until([&] { return net_counts().fetches_running == 0; }, 30)) << target;
    step();
    return net_counts();
  }

  // A new handler for the next download; the last one must have been let go of.
  ProgramDownload& fresh_download() {
    if (download_) {
      EXPECT_TRUE(download_->released());
    }
    download_ = std::make_unique<ProgramDownload>();
    client_.download = download_.get();
    return *download_;
  }

  std::string server_;
  ProgramClient client_;
  std::unique_ptr<ProgramDownload> download_;
  TCefBrowser* browser_ = nullptr;
};

TEST_F(HttpBrowsing, APageArrivesInAWorkStepAndIsAnnouncedWithItsStatus) {
  make_browser();
  client_.calls.clear();
  TCefFrame* frame = main_frame(browser_);
  load(frame, url("?mac=AB"));  // as the shell asks for its start page: no path before the query
  release(frame);
  // The worker has the answer long before the program looks, but the program hears only in a step.
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_TRUE(client_.calls.empty());
  const int32_t before = process_counts().message_loop_work;
  ASSERT_TRUE(step_until([&] { return heard("load_handler.on_load_end"); }));
  EXPECT_EQ(client_.slots(), kLoadCalls);
  for (const ProgramClient::Call& call : client_.calls) EXPECT_GT(call.step, before) << call.slot;
  EXPECT_EQ(client_.calls[1].text, url("/?mac=AB"));
  EXPECT_EQ(client_.calls[1].frame_url, url("/?mac=AB"));
  EXPECT_EQ(client_.calls[2].text, u"Larkwell 演示应用");
  EXPECT_EQ(client_.calls[3].number, 200);
  EXPECT_NE(source().find(u"<p>工作站标识：AB</p>"), std::u16string::npos);

  ASSERT_TRUE(browse(url("/missing#part")));
  EXPECT_EQ(last("load_handler.on_load_end").number, 404);
  EXPECT_EQ(last("display_handler.on_address_change").text, url("/missing")) << "the fragment is not sent";
  EXPECT_NE(source().find(u"找不到 /missing。"), std::u16string::npos);

  // One redirect, then two: the address the program hears is where they ended.
  for (const std::string& target : {std::string("/redirect?to=/page/about"),
                                    std::string("/redirect?to=%2Fredirect%3Fto%3D%252Fpage%252Fabout")}) {
    ASSERT_TRUE(browse(url(target))) << target;
    EXPECT_EQ(client_.slots(), kLoadCalls);
    EXPECT_EQ(last("display_handler.on_address_change").text, url("/page/about"));
    EXPECT_EQ(last("display_handler.on_title_change").text, u"关于 Larkwell");
    EXPECT_EQ(last("load_handler.on_load_end").number, 200);
  }
  EXPECT_EQ(net_counts().load_errors, 0);
}

TEST_F(HttpBrowsing, FailuresReachOnLoadErrorWithCodeTextAndAddress) {
  // Six redirects, each to the next: one more than the engine follows.
  std::string endless = "/page/about";
  for (int i = 0; i < 6; ++i) {
    std::string escaped;
    for (const char c : endless) {
      static const char* const kHex = "0123456789ABCDEF";
      const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
      escaped += plain ? std::string(1, c) : std::string{'%', kHex[(c >> 4) & 15], kHex[c & 15]};
    }
    endless = "/redirect?to=" + escaped;
  }
  const uint16_t nobody = closed_port();
  ASSERT_NE(nobody, 0);
  const struct {
    std::u16string url;
    int code;
    std::u16string text;
  } cases[] = {{wide("http://127.0.0.1:" + std::to_string(nobody) + "/"), -102, u"net::ERR_CONNECTION_REFUSED"},
               {url("/bad-response"), -320, u"net::ERR_INVALID_RESPONSE"},
               {url(endless), -310, u"net::ERR_TOO_MANY_REDIRECTS"}};
  for (const auto& expected : cases) {
    ASSERT_TRUE(browse(expected.url, "load_handler.on_load_error")) << std::string(expected.url.begin(), expected.url.end());
    EXPECT_EQ(client_.slots(), (Slots{"load_handler.on_load_error"}));
    const ProgramClient::Call& error = last("load_handler.on_load_error");
    EXPECT_EQ(error.number, expected.code);
    EXPECT_EQ(error.text, expected.url);
    EXPECT_EQ(error.detail, expected.text);
    EXPECT_NE(error.frame_url, expected.url) << "the frame changes after the call";
    // The frame shows the error page at the failed address.
    EXPECT_EQ(frame_url(), expected.url);
    EXPECT_EQ(source(), expected.text);
  }
  // A program that answers with its own text has that shown instead.
  client_.error_page = u"<p>无法连接</p>";
  ASSERT_TRUE(browse(cases[0].url, "load_handler.on_load_error"));
  EXPECT_EQ(source(), u"<p>无法连接</p>");
  step();
  EXPECT_EQ(client_.slots(), (Slots{"load_handler.on_load_error"})) << "an error page is announced no further";
  EXPECT_EQ(net_counts().load_errors, 4);
}

TEST_F(HttpBrowsing, ADownloadDeliversExactlyTheServersBytesInEachFraming) {
  const std::string body = served_bytes(300000);
  const struct {
    std::string target;
    std::u16string name;
    int64_t length;
  } cases[] = {{"/download/report.xls", u"report.xls", 300000},
               {"/download/chunked.xls", u"chunked.xls", -1},
               {"/download/close.xls", u"close.xls", -1}};
  int completes = 0;
  for (const auto& expected : cases) {
    fresh_download();
    const TSimNetCounts counts = download(expected.target);
    const ProgramClient::Call& asked = last("request_handler.get_download_handler");
    EXPECT_EQ(asked.text, u"application/vnd.ms-excel") << expected.target;
    EXPECT_EQ(asked.detail, expected.name);
    EXPECT_EQ(asked.number, expected.length);
    EXPECT_FALSE(heard("load_handler.on_load_start")) << "a download is no navigation";
    ASSERT_EQ(download_->bytes.size(), body.size()) << expected.target;
    EXPECT_TRUE(download_->bytes == body) << expected.target;
    EXPECT_LE(*std::max_element(download_->blocks.begin(), download_->blocks.end()), 65536);
    EXPECT_EQ(download_->completes, 1);
    EXPECT_FALSE(download_->data_after_complete);
    EXPECT_EQ(counts.completes, ++completes);
    EXPECT_TRUE(download_->released()) << "the engine let go of the handler";
  }
  // The UTF-8 form of the name wins over the plain one; a hostile name is passed on as it came.
  const struct {
    std::string target;
    std::u16string name;
    std::size_t size;
  } named[] = {{"/download/chinese.xls", u"月度报表.xls", 50000},
               {"/download/named?name=..%5C..%5Cevil.xls&size=5", u"..\\..\\evil.xls", 5}};
  for (const auto& expected : named) {
    fresh_download();
    download(expected.target);
    EXPECT_EQ(last("request_handler.get_download_handler").detail, expected.name);
    EXPECT_TRUE(download_->bytes == body.substr(0, expected.size)) << expected.target;
  }
  const TSimNetCounts counts = net_counts();
  EXPECT_EQ(counts.downloads_begun, 5);
  EXPECT_EQ(counts.bytes_delivered, 3 * 300000 + 50000 + 5);
  EXPECT_LE(counts.largest_block, 65536);
  EXPECT_EQ(counts.truncated, 0);
}

TEST_F(HttpBrowsing, ACancelStopsTheDownloadAndCompleteFollowsAsTheSwitchSays) {
  for (const int complete_after_cancel : {1, 0}) {
    EXPECT_EQ(sim_net_complete_after_cancel(complete_after_cancel), 1) << "on by default";
    fresh_download();
    download_->cancel_at = 100000;
    const TSimNetCounts counts = download("/download/report.xls?size=4194304");
    EXPECT_GE(download_->bytes.size(), 100000u);
    EXPECT_LT(download_->bytes.size(), 100000u + 65536u) << "nothing after the block that cancelled";
    EXPECT_EQ(download_->completes, complete_after_cancel);
    EXPECT_TRUE(download_->released());
    EXPECT_EQ(counts.fetches_running, 0) << "the worker stopped reading";
  }
  EXPECT_EQ(net_counts().cancels, 2);
  EXPECT_EQ(sim_net_complete_after_cancel(1), 0);
}

TEST_F(HttpBrowsing, ARefusedDownloadDeliversNothingAndATruncatedOneStillCompletes) {
  client_.download_answer = 0;  // a handler given with a refusal is let go of too
  fresh_download();
  download("/download/report.xls");
  EXPECT_TRUE(download_->blocks.empty());
  EXPECT_EQ(download_->completes, 0);
  EXPECT_TRUE(download_->released());
  EXPECT_EQ(net_counts().handler_refusals, 1);
  client_.download_answer = 1;

  fresh_download();
  download("/download/truncated.xls");
  EXPECT_EQ(last("request_handler.get_download_handler").number, 300000);
  EXPECT_TRUE(download_->bytes == served_bytes(100000));
  EXPECT_EQ(download_->completes, 1);
  EXPECT_EQ(net_counts().truncated, 1);
  EXPECT_EQ(net_counts().load_errors, 0);
}

TEST_F(HttpBrowsing, ASlowProgramHoldsTheWorkerBackInsteadOfFillingMemory) {
  const std::size_t size = 24 * 1024 * 1024;
  fresh_download();
  ASSERT_TRUE(browse(url("/download/report.xls?size=" + std::to_string(size)), "request_handler.get_download_handler"));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));  // the program does not step for a while
  EXPECT_LE(net_counts().most_waiting, 2 * 1024 * 1024 + 65536);
  EXPECT_EQ(net_counts().fetches_running, 1);
  ASSERT_TRUE(step_until([&] { return download_->completes == 1; }, 60));
  EXPECT_EQ(download_->bytes.size(), size);
  EXPECT_TRUE(download_->bytes == served_bytes(size));
  EXPECT_LE(net_counts().most_waiting, 2 * 1024 * 1024 + 65536);
}

// The shell's pump steps the engine every 10 ms: a large download arrives whole at that pace,
// in blocks joined up to their largest size however small the platform's reads are.
TEST_F(HttpBrowsing, ALargeDownloadArrivesWholeAtTheShellsPace) {
  const int64_t size = 200LL * 1024 * 1024;
  fresh_download().keeps_bytes = false;  // too much for a 32-bit test to hold
  const auto began = Clock::now();
  ASSERT_TRUE(browse(url("/download/large.xls"), "request_handler.get_download_handler"));
  ASSERT_TRUE(step_until([&] { return download_->completes == 1; }, 120, std::chrono::milliseconds(10)));
  const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
  EXPECT_EQ(download_->received, size);
  EXPECT_LE(*std::max_element(download_->blocks.begin(), download_->blocks.end()), 65536);
  // The platform reads 8 KiB at a time: a block a read would be eight times as many.
  EXPECT_LT(download_->blocks.size(), static_cast<std::size_t>(size / 65536 * 2)) << "blocks mostly whole";
  EXPECT_EQ(net_counts().truncated, 0);
  std::printf("200 MiB in %.2f s (%.0f MiB/s), %zu blocks\n", seconds, 200 / seconds, download_->blocks.size());
}

TEST_F(HttpBrowsing, ShutdownAndTheBrowsersReleaseEndAStalledDownloadAtOnce) {
  // The server sends 100000 of the 300000 bytes it announced, then nothing until the client goes.
  const std::string stall = "/download/stall.xls";
  fresh_download();
  ASSERT_TRUE(browse(url(stall), "request_handler.get_download_handler"));
  ASSERT_TRUE(step_until([&] { return download_->bytes.size() == 100000; }));
  auto began = Clock::now();
  release(std::exchange(browser_, nullptr));
  EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
  EXPECT_EQ(download_->completes, 1) << "the switch is on: complete follows";
  EXPECT_TRUE(download_->released());
  EXPECT_EQ(net_counts().abandoned, 1);
  EXPECT_EQ(net_counts().fetches_running, 0) << "the worker let go of the connection";

  // With the switch off, and through cef_shutdown; the ledger is clean right after it.
  sim_net_complete_after_cancel(0);
  fresh_download();
  ASSERT_TRUE(browse(url(stall), "request_handler.get_download_handler"));
  ASSERT_TRUE(step_until([&] { return download_->bytes.size() == 100000; }));
  release(std::exchange(browser_, nullptr));
  EXPECT_EQ(download_->completes, 0);
  EXPECT_TRUE(download_->released());
  fresh_download();
  ASSERT_TRUE(browse(url(stall), "request_handler.get_download_handler"));
  began = Clock::now();
  cef_shutdown();
  EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
  EXPECT_EQ(download_->completes, 0);
  EXPECT_TRUE(download_->released());
  EXPECT_EQ(net_counts().fetches_running, 0);
  release(std::exchange(browser_, nullptr));
  EXPECT_EQ(sim_ledger_clean(), 1) << ledger_report();
  TCefSettings settings{};
  settings.size = sizeof settings;
  ASSERT_EQ(cef_initialize(&settings, nullptr), 1);  // for the fixture's own shutdown
}

TEST_F(HttpBrowsing, APageThatStallsIsDroppedForANewerLoadAndStoppedWithItsBrowser) {
  make_browser();
  TCefFrame* frame = main_frame(browser_);
  load(frame, url("/page/stall"));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // its first bytes have come
  // A newer load stops the stalled one at once; only the newer one is heard of.
  auto began = Clock::now();
  load(frame, u"about:blank");
  EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
  ASSERT_TRUE(step_until([&] { return heard("load_handler.on_load_end"); }));
  EXPECT_EQ(last("display_handler.on_address_change").text, u"about:blank");
  EXPECT_EQ(net_counts().fetches_running, 0);

  // The same stall, and the browser goes while the page is still coming.
  client_.calls.clear();
  load(frame, url("/page/stall"));
  release(frame);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  began = Clock::now();
  release(std::exchange(browser_, nullptr));
  EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
  EXPECT_EQ(net_counts().fetches_running, 0);
  for (int i = 0; i < 5; ++i) step();
  EXPECT_TRUE(client_.calls.empty());
  EXPECT_EQ(sim_pending_work(), 0);
}

}  // namespace
}  // namespace larkwell::enginesim::test
