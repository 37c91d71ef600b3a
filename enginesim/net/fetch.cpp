#include "enginesim/net/fetch.h"

#include <utility>

#include "enginesim/control_web.h"
#include "enginesim/net/fetches.h"
#include "enginesim/net/http_reader.h"
#include "enginesim/net/socket.h"
#include "enginesim/shield.h"
#include "enginesim/unicode.h"
#include "enginesim/web/browser.h"

namespace larkwell::enginesim::net {
namespace {

constexpr int kConnectTimeoutMs = 10000;
constexpr int kMaxRedirects = 5;
constexpr std::size_t kReadSize = 64 * 1024;        // also the largest block a download delivers
constexpr std::size_t kMaxPage = 16 * 1024 * 1024;  // a page's source is cut there

std::u16string utf16_of(std::string_view utf8) {
  std::u16string text;
  transcode(utf8.data(), utf8.size(), text);
  return text;
}

std::string utf8_of(std::u16string_view text) {
  std::string bytes;
  transcode(text.data(), text.size(), bytes);
  return bytes;
}

std::string request_for(const HttpUrl& url) {
  return "GET " + url.target + " HTTP/1.1\r\nHost: " + url.host + (url.port != 80 ? ":" + std::to_string(url.port) : "") +
         "\r\nUser-Agent: Larkwell-EngineSim\r\nAccept: */*\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

bool is_redirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

// A response the view does not show, or one that says it is an attachment, is saved instead.
bool saved_as_download(const ResponseHead& head) {
  if (head.status < 200 || head.status > 299) return false;
  if (is_attachment(head.header("Content-Disposition").value_or(""))) return true;
  const std::string type = media_type(head.header("Content-Type").value_or(""));
  return !type.empty() && type != "text/html" && type != "text/plain";
}

}  // namespace

Fetch::Fetch(LoadTarget target, std::u16string url) : target_(std::move(target)), url_(std::move(url)) {}

Fetch::~Fetch() {
  if (worker_.joinable()) stop();
}

void Fetch::start() {
  worker_ = std::thread([this] {
    shielded<void>("fetch worker", [this] { run(); });
    worker_done_ = true;
  });
}

void Fetch::join() {
  if (worker_.joinable()) worker_.join();
}

void Fetch::stop() {
  stop_->store(true);
  std::shared_ptr<Download> download;
  {
    std::lock_guard lock(mutex_);
    download = download_;
  }
  if (download) download->wake();
  if (worker_.joinable()) worker_.join();
  if (download) download->abandon();
}

bool Fetch::finished() const {
  if (!worker_done_.load()) return false;
  std::lock_guard lock(mutex_);
  return download_ == nullptr || download_->ended();
}

void Fetch::run() {
  static constexpr Failure kInvalidUrl{-300, "ERR_INVALID_URL"}, kReset{-101, "ERR_CONNECTION_RESET"},
      kInvalidResponse{-320, "ERR_INVALID_RESPONSE"}, kEmptyResponse{-324, "ERR_EMPTY_RESPONSE"},
      kTooManyRedirects{-310, "ERR_TOO_MANY_REDIRECTS"}, kUnsafeRedirect{-311, "ERR_UNSAFE_REDIRECT"};
  buffer_ = std::make_unique<char[]>(kReadSize);
  std::optional<HttpUrl> url = HttpUrl::parse(utf8_of(url_));
  if (!url) return fail(kInvalidUrl);
  for (int redirects = 0;; ++redirects) {
    Connection connection = Connection::open(url->host, url->port, stop_.get(), kConnectTimeoutMs);
    if (!connection.is_open()) {
      switch (connection.last_error()) {
        case NetError::stopped: return;
        case NetError::refused: return fail({-102, "ERR_CONNECTION_REFUSED"});
        case NetError::name_not_resolved: return fail({-105, "ERR_NAME_NOT_RESOLVED"});
        case NetError::timed_out: return fail({-118, "ERR_CONNECTION_TIMED_OUT"});
        default: return fail({-2, "ERR_FAILED"});
      }
    }
    if (!connection.write_all(request_for(*url))) return stop_->load() ? void() : fail(kReset);
    ResponseReader reader;
    std::string body;
    while (!reader.head_ready() && !reader.finished()) {
      const long got = connection.read_some(buffer_.get(), kReadSize);
      if (got < 0 && stop_->load()) return;
      if (got < 0 && !reader.received_anything()) return fail(kReset);
      if (got <= 0) {
        reader.close();
      } else {
        reader.feed(std::string_view(buffer_.get(), static_cast<std::size_t>(got)), body);
      }
    }
    if (!reader.head_ready()) return fail(reader.received_anything() ? kInvalidResponse : kEmptyResponse);
    const ResponseHead& head = reader.head();
    const std::optional<std::string> location = head.header("Location");
    if (is_redirect(head.status) && location) {
      if (redirects == kMaxRedirects) return fail(kTooManyRedirects);
      url = url->resolve(*location);
      if (!url) return fail(kUnsafeRedirect);
      continue;
    }
    if (saved_as_download(head)) return read_download(connection, reader, std::move(body), *url);
    return read_page(connection, reader, std::move(body), *url);
  }
}

void Fetch::read_page(Connection& connection, ResponseReader& reader, std::string body, const HttpUrl& url) {
  while (!reader.finished() && body.size() < kMaxPage) {
    const long got = connection.read_some(buffer_.get(), kReadSize);
    if (got < 0 && stop_->load()) return;
    if (got <= 0) break;  // what came is shown, as a browser shows a page cut short
    reader.feed(std::string_view(buffer_.get(), static_cast<std::size_t>(got)), body);
  }
  connection.close();
  if (body.size() > kMaxPage) body.resize(kMaxPage);
  const std::string content_type = reader.head().header("Content-Type").value_or("");
  std::u16string source = decode_body(body, content_type);
  const web::PageFormat format = web::format_of_mime_type(media_type(content_type));
  web::post_for_browser(target_.tree, [stop = stop_, frame = target_.frame, address = utf16_of(url.text()),
                                       source = std::move(source), status = reader.head().status,
                                       format](web::SimBrowser&) mutable {
    if (stop->load()) return;  // a newer load of the frame took its place
    frame->navigate(std::move(address), std::move(source), SIM_LOADED_URL, status, format);
  });
}

void Fetch::read_download(Connection& connection, ResponseReader& reader, std::string body, const HttpUrl& url) {
  const ResponseHead& head = reader.head();
  DownloadOffer offer{utf16_of(media_type(head.header("Content-Type").value_or(""))),
                      utf16_of(suggested_name(head.header("Content-Disposition").value_or(""), url)),
                      reader.content_length().value_or(-1)};
  auto download = std::make_shared<Download>(target_, stop_, std::move(offer));
  {
    std::lock_guard lock(mutex_);
    download_ = download;
  }
  is_download_ = true;
  download->offer();
  if (!body.empty() && !download->push(std::move(body))) return;
  while (!reader.finished()) {
    const long got = connection.read_some(buffer_.get(), kReadSize);
    if (got < 0 && stop_->load()) return;
    if (got <= 0) {
      if (got < 0) break;  // a reset: the body ends where it stands
      reader.close();
      continue;
    }
    std::string block;
    reader.feed(std::string_view(buffer_.get(), static_cast<std::size_t>(got)), block);
    if (!block.empty() && !download->push(std::move(block))) return;
  }
  connection.close();
  download->finish(reader.state() != ResponseReader::State::complete);
}

void Fetch::fail(const Failure& failure) {
  web::post_for_browser(target_.tree, [stop = stop_, frame = target_.frame, url = url_, failure](web::SimBrowser& browser) {
    if (stop->load()) return;
    frame->show_error_page(browser, url,
                           browser.announce_load_error(*frame, failure.code, url, u"net::" + utf16_of(failure.name)));
    note([](TSimNetCounts& c) { ++c.load_errors; });
  });
}

}  // namespace larkwell::enginesim::net
