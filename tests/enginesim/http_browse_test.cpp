// Browsing over HTTP: load_url of an http:// address fetches it from a loopback server on a
// worker, and the program hears of pages, failures and downloads only in the work steps.
#include <chrono>
#include <memory>
#include <thread>

#include "engine_work.h"
#include "enginesim/control_net.h"
#include "loopback_server.h"

namespace larkwell::enginesim::test {
namespace {

using Slots = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

const Slots kLoadCalls = {"load_handler.on_load_start", "display_handler.on_address_change",
                          "display_handler.on_title_change", "load_handler.on_load_end"};

const std::string kPage = "<html><head><title>演示</title></head><body>工作站标识：AB</body></html>";

Reply page(const std::string& status, const std::string& body, const std::string& type = "text/html; charset=utf-8") {
  return {{head(status, {"Content-Type: " + type, "Content-Length: " + std::to_string(body.size())}) + body}};
}

std::string attachment(const std::string& name) { return "Content-Disposition: attachment; filename=\"" + name + "\""; }

class HttpBrowsing : public EngineWork {
 protected:
  void TearDown() override {
    if (browser_ != nullptr) release(std::exchange(browser_, nullptr));
    EXPECT_TRUE(client_.released());
    EngineWork::TearDown();
  }

  // Steps until `done` holds, at most `seconds`; false when it never did.
  static bool step_until(const std::function<bool()>& done, double seconds = 10) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
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
  // Loads `url` into the main frame and steps until the program heard `slot`.
  bool browse(const std::u16string& url, const std::string& slot = "load_handler.on_load_end") {
    if (browser_ == nullptr) {
      browser_ = create(client_);
      step();  // its creation announced
    }
    client_.calls.clear();
    TCefFrame* frame = main_frame(browser_);
    load(frame, url);
    release(frame);
    return step_until([&] { return heard(slot); });
  }
  std::u16string source() {
    TCefFrame* frame = main_frame(browser_);
    PCefStringUserFree text = frame->get_source(frame);
    std::u16string copy = text_of(text);
    cef_string_userfree_utf16_free(text);
    release(frame);
    return copy;
  }
  // Downloads `target`, steps until complete (or the fetch has ended), and answers the counts.
  TSimNetCounts download(LoopbackServer& server, const std::string& target) {
    EXPECT_TRUE(browse(server.url(target), "request_handler.get_download_handler"));
    EXPECT_TRUE(step_until([&] { return net_counts().fetches_running == 0; }));
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

  ProgramClient client_;
  std::unique_ptr<ProgramDownload> download_;
  TCefBrowser* browser_ = nullptr;
};

TEST_F(HttpBrowsing, APageArrivesInAWorkStepAndIsAnnouncedWithItsStatus) {
  std::string gbk_page = "<p>\xD1\xDD\xCA\xBE</p>";  // 演示 in GBK
  LoopbackServer server({{"/", page("200 OK", kPage)},
                         {"/gbk", page("200 OK", gbk_page, "text/html; charset=GBK")},
                         {"/missing", page("404 Not Found", "<p>没有</p>")},
                         {"/redirect", {{head("302 Found", {"Location: /moved", "Content-Length: 0"})}}},
                         {"/moved", {{head("301 Moved", {"Location: /", "Content-Length: 0"})}}}});
  browser_ = create(client_);
  step();
  client_.calls.clear();
  TCefFrame* frame = main_frame(browser_);
  load(frame, server.url("/"));
  release(frame);
  // The worker has the answer long before the program looks, but the program hears only in a step.
  for (int i = 0; i < 500 && server.requests().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(client_.calls.empty());
  const int32_t before = process_counts().message_loop_work;
  ASSERT_TRUE(step_until([&] { return heard("load_handler.on_load_end"); }));
  EXPECT_EQ(client_.slots(), kLoadCalls);
  for (const ProgramClient::Call& call : client_.calls) EXPECT_GT(call.step, before) << call.slot;
  EXPECT_EQ(client_.calls[1].text, server.url("/"));
  EXPECT_EQ(client_.calls[1].frame_url, server.url("/"));
  EXPECT_EQ(client_.calls[3].number, 200);
  EXPECT_EQ(source(), u"<html><head><title>演示</title></head><body>工作站标识：AB</body></html>");
  EXPECT_EQ(server.requests(), (std::vector<std::string>{"GET / HTTP/1.1"}));

  ASSERT_TRUE(browse(server.url("/gbk")));
  EXPECT_EQ(source(), u"<p>演示</p>");

  ASSERT_TRUE(browse(server.url("/missing")));
  EXPECT_EQ(last("load_handler.on_load_end").number, 404);
  EXPECT_EQ(source(), u"<p>没有</p>");

  // Two redirects: the address the program hears is where they ended.
  ASSERT_TRUE(browse(server.url("/redirect")));
  EXPECT_EQ(client_.slots(), kLoadCalls);
  EXPECT_EQ(last("display_handler.on_address_change").text, server.url("/"));
  EXPECT_EQ(last("load_handler.on_load_end").number, 200);
  const std::vector<std::string> requests = server.requests();
  EXPECT_EQ(std::vector<std::string>(requests.end() - 3, requests.end()),
            (std::vector<std::string>{"GET /redirect HTTP/1.1", "GET /moved HTTP/1.1", "GET / HTTP/1.1"}));
  EXPECT_EQ(net_counts().load_errors, 0);
}

TEST_F(HttpBrowsing, FailuresReachOnLoadErrorWithCodeTextAndAddress) {
  LoopbackServer server({{"/bad-response", {{"this is not HTTP\r\n\r\n"}}},
                         {"/silent", {{""}}},
                         {"/loop", {{head("302 Found", {"Location: /loop", "Content-Length: 0"})}}},
                         {"/away", {{head("302 Found", {"Location: https://elsewhere.test/", "Content-Length: 0"})}}}});
  uint16_t closed_port = 0;
  {
    net::Listener gone;
    closed_port = gone.port();
  }
  const std::string refused = "http://127.0.0.1:" + std::to_string(closed_port) + "/";
  const struct {
    std::u16string url;
    int code;
    std::u16string text;
  } cases[] = {{std::u16string(refused.begin(), refused.end()), -102, u"net::ERR_CONNECTION_REFUSED"},
               {server.url("/bad-response"), -320, u"net::ERR_INVALID_RESPONSE"},
               {server.url("/silent"), -324, u"net::ERR_EMPTY_RESPONSE"},
               {server.url("/loop"), -310, u"net::ERR_TOO_MANY_REDIRECTS"},
               {server.url("/away"), -311, u"net::ERR_UNSAFE_REDIRECT"}};
  for (const auto& expected : cases) {
    ASSERT_TRUE(browse(expected.url, "load_handler.on_load_error")) << std::string(expected.url.begin(), expected.url.end());
    EXPECT_EQ(client_.slots(), (Slots{"load_handler.on_load_error"}));
    const ProgramClient::Call& error = last("load_handler.on_load_error");
    EXPECT_EQ(error.number, expected.code);
    EXPECT_EQ(error.text, expected.url);
    EXPECT_EQ(error.detail, expected.text);
    EXPECT_NE(error.frame_url, expected.url) << "the frame changes after the call";
    // The frame shows the error page at the failed address.
    TCefFrame* frame = main_frame(browser_);
    PCefStringUserFree url = frame->get_url(frame);
    EXPECT_EQ(text_of(url), expected.url);
    cef_string_userfree_utf16_free(url);
    release(frame);
    EXPECT_EQ(source(), expected.text);
  }
  // A program that answers with its own text has that shown instead.
  client_.error_page = u"<p>无法连接</p>";
  ASSERT_TRUE(browse(cases[0].url, "load_handler.on_load_error"));
  EXPECT_EQ(source(), u"<p>无法连接</p>");
  step();
  EXPECT_EQ(client_.slots(), (Slots{"load_handler.on_load_error"})) << "an error page is announced no further";
  EXPECT_EQ(net_counts().load_errors, 6);
}

TEST_F(HttpBrowsing, ADownloadDeliversExactlyTheServersBytesInEachFraming) {
  const std::string body = body_bytes(300000);
  const std::string excel = "Content-Type: application/vnd.ms-excel";
  LoopbackServer server(
      {{"/download/report.xls?size=300000",
        {{head("200 OK", {excel, attachment("report.xls"), "Content-Length: 300000"}) + body}}},
       {"/download/chunked.xls",
        {{head("200 OK", {excel, "Transfer-Encoding: chunked"}) + chunked(body, {1000, 65536, 70000, 7})}}},
       {"/download/close.xls",
        {{head("200 OK", {excel, "Connection: close"}) + body.substr(0, 150000), 30}, {body.substr(150000)}}},
       {"/download/%E6%8A%A5%E8%A1%A8.txt",
        {{head("200 OK", {"Content-Type: text/plain", "Content-Disposition: attachment; filename*=UTF-8''%E6%9C%88.xls",
                          "Content-Length: 5"}) + "12345"}}}});
  const struct {
    std::string target;
    std::u16string name;
    int64_t length;
  } cases[] = {{"/download/report.xls?size=300000", u"report.xls", 300000},
               {"/download/chunked.xls", u"chunked.xls", -1},
               {"/download/close.xls", u"close.xls", -1}};
  int completes = 0;
  for (const auto& expected : cases) {
    fresh_download();
    const TSimNetCounts counts = download(server, expected.target);
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
  // The UTF-8 name wins over the path; an attachment of a type the view shows is still a download.
  fresh_download();
  download(server, "/download/%E6%8A%A5%E8%A1%A8.txt");
  EXPECT_EQ(last("request_handler.get_download_handler").detail, u"月.xls");
  EXPECT_EQ(last("request_handler.get_download_handler").text, u"text/plain");
  EXPECT_EQ(download_->bytes, "12345");
  const TSimNetCounts counts = net_counts();
  EXPECT_EQ(counts.downloads_begun, 4);
  EXPECT_EQ(counts.bytes_delivered, 3 * 300000 + 5);
  EXPECT_LE(counts.largest_block, 65536);
}

TEST_F(HttpBrowsing, ACancelStopsTheDownloadAndCompleteFollowsAsTheSwitchSays) {
  const std::string body = body_bytes(4 * 1024 * 1024);
  LoopbackServer server({{"/big.xls", {{head("200 OK", {"Content-Type: application/vnd.ms-excel",
                                                         "Content-Length: " + std::to_string(body.size())}) + body}}}});
  for (const int complete_after_cancel : {1, 0}) {
    EXPECT_EQ(sim_net_complete_after_cancel(complete_after_cancel), 1) << "on by default";
    fresh_download();
    download_->cancel_at = 100000;
    const TSimNetCounts counts = download(server, "/big.xls");
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
  const std::string body = body_bytes(300000);
  LoopbackServer server(
      {{"/report.xls", {{head("200 OK", {"Content-Type: application/octet-stream", "Content-Length: 300000"}) + body}}},
       {"/truncated.xls",
        {{head("200 OK", {"Content-Type: application/vnd.ms-excel", "Content-Length: 300000"}) + body.substr(0, 100000)}}},
       {"/broken.xls",
        {{head("200 OK", {"Content-Type: application/vnd.ms-excel", "Transfer-Encoding: chunked"}) +
          "10\r\n" + body.substr(0, 16) + "\r\nnot a size\r\n"}}}});
  client_.download_answer = 0;  // a handler given with a refusal is let go of too
  fresh_download();
  download(server, "/report.xls");
  EXPECT_TRUE(download_->blocks.empty());
  EXPECT_EQ(download_->completes, 0);
  EXPECT_TRUE(download_->released());
  EXPECT_EQ(net_counts().handler_refusals, 1);
  client_.download_answer = 1;

  fresh_download();
  download(server, "/truncated.xls");
  EXPECT_TRUE(download_->bytes == body.substr(0, 100000));
  EXPECT_EQ(download_->completes, 1);
  fresh_download();
  download(server, "/broken.xls");
  EXPECT_TRUE(download_->bytes == body.substr(0, 16));
  EXPECT_EQ(download_->completes, 1);
  EXPECT_EQ(net_counts().truncated, 2);
  EXPECT_EQ(net_counts().load_errors, 0);
}

TEST_F(HttpBrowsing, ASlowProgramHoldsTheWorkerBackInsteadOfFillingMemory) {
  const std::string body = body_bytes(24 * 1024 * 1024);
  LoopbackServer server({{"/large.xls", {{head("200 OK", {"Content-Type: application/vnd.ms-excel",
                                                           "Content-Length: " + std::to_string(body.size())}) + body}}}});
  fresh_download();
  ASSERT_TRUE(browse(server.url("/large.xls"), "request_handler.get_download_handler"));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));  // the program does not step for a while
  EXPECT_LE(net_counts().most_waiting, 2 * 1024 * 1024 + 65536);
  EXPECT_EQ(net_counts().fetches_running, 1);
  ASSERT_TRUE(step_until([&] { return download_->completes == 1; }, 60));
  EXPECT_EQ(download_->bytes.size(), body.size());
  EXPECT_TRUE(download_->bytes == body);
  EXPECT_LE(net_counts().most_waiting, 2 * 1024 * 1024 + 65536);
}

TEST_F(HttpBrowsing, ShutdownAndTheBrowsersReleaseEndAStalledDownloadAtOnce) {
  const std::string body = body_bytes(100000);
  const Reply stalled = {{head("200 OK", {"Content-Type: application/vnd.ms-excel", "Content-Length: 300000"}) + body, 0,
                          true}};
  LoopbackServer server({{"/stall.xls", stalled}});
  fresh_download();
  ASSERT_TRUE(browse(server.url("/stall.xls"), "request_handler.get_download_handler"));
  ASSERT_TRUE(step_until([&] { return download_->bytes.size() == body.size(); }));
  auto began = Clock::now();
  release(std::exchange(browser_, nullptr));
  EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
  EXPECT_EQ(download_->completes, 1) << "the switch is on: complete follows";
  EXPECT_TRUE(download_->released());
  EXPECT_EQ(net_counts().abandoned, 1);
  EXPECT_TRUE(step_until([&] { return server.client_closed_stall(); }, 5)) << "the connection was closed";

  // With the switch off, and through cef_shutdown; the ledger is clean right after it.
  sim_net_complete_after_cancel(0);
  fresh_download();
  ASSERT_TRUE(browse(server.url("/stall.xls"), "request_handler.get_download_handler"));
  ASSERT_TRUE(step_until([&] { return download_->bytes.size() == body.size(); }));
  release(std::exchange(browser_, nullptr));
  EXPECT_EQ(download_->completes, 0);
  EXPECT_TRUE(download_->released());
  fresh_download();
  ASSERT_TRUE(browse(server.url("/stall.xls"), "request_handler.get_download_handler"));
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
  const Reply stalled = {{head("200 OK", {"Content-Type: text/html", "Content-Length: 1000"}) + "<p>half", 0, true}};
  LoopbackServer server({{"/stall", stalled}, {"/", page("200 OK", kPage)}});
  browser_ = create(client_);
  step();
  TCefFrame* frame = main_frame(browser_);
  load(frame, server.url("/stall"));
  for (int i = 0; i < 500 && server.requests().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  // A newer load stops the stalled one at once, closing its connection; only the newer one is
  // heard of.
  auto began = Clock::now();
  load(frame, u"about:blank");
  EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
  ASSERT_TRUE(step_until([&] { return heard("load_handler.on_load_end"); }));
  EXPECT_EQ(last("display_handler.on_address_change").text, u"about:blank");
  EXPECT_TRUE(step_until([&] { return server.client_closed_stall(); }, 5));

  // The same stall, and the browser goes while the page is still coming.
  client_.calls.clear();
  LoopbackServer second({{"/stall", stalled}});
  load(frame, second.url("/stall"));
  release(frame);
  for (int i = 0; i < 500 && second.requests().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
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
