#include "enginesim/net/fetch.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "enginesim/control_web.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/unicode.h"
#include "enginesim/net/fetches.h"
#include "enginesim/net/response_text.h"
#include "enginesim/page/url.h"
#include "enginesim/web/browser.h"

namespace larkwell::enginesim::net {
namespace {

constexpr DWORD kConnectTimeoutMs = 10000;
constexpr int kMaxRedirects = 5;
constexpr std::size_t kMaxPage = 16 * 1024 * 1024;  // a page's source is cut there
// Every request goes to the server, and nothing is kept: no cache, no cookies, no dialogs.
// Redirects are followed here, so that their number and where they lead can be checked.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT;

// The handle hears no more of the platform's calls before it closes: a read still pending
// on a stalled server outlives the close.
struct CloseInternetHandle {
  void operator()(HINTERNET handle) const noexcept {
    InternetSetStatusCallbackW(handle, nullptr);
    InternetCloseHandle(handle);
  }
};
using InternetHandle = std::unique_ptr<void, CloseInternetHandle>;

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

bool is_redirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The address as the server is asked for it and the program hears of it: without its fragment,
// and with the path "/" when it has none ("http://host?q" is "http://host/?q").
std::u16string request_address(const std::u16string& url) {
  std::u16string address = complete_url(url, u"");
  const std::size_t authority = address.find(u"://");
  const std::size_t path = address.find_first_of(u"/?", authority == std::u16string::npos ? 0 : authority + 3);
  if (path == std::u16string::npos) {
    address += u'/';
  } else if (address[path] == u'?') {
    address.insert(path, u"/");
  }
  return address;
}

// The platform calls this, on a thread of its own, when an asynchronous call ends; the call's
// context is the fetch's AsyncCall.
void CALLBACK on_status(HINTERNET, DWORD_PTR context, DWORD status, void* info, DWORD) {
  if (context == 0 || info == nullptr) return;
  auto* call = reinterpret_cast<AsyncCall*>(context);
  const auto* result = static_cast<const INTERNET_ASYNC_RESULT*>(info);
  if (status == INTERNET_STATUS_HANDLE_CREATED) call->created.store(result->dwResult);
  if (status != INTERNET_STATUS_REQUEST_COMPLETE) return;
  call->result = result->dwResult;
  call->error = result->dwError;
  SetEvent(call->done);
}

}  // namespace

AsyncCall::AsyncCall(const StopFlag& fetch_stop)
    : done(CreateEventW(nullptr, FALSE, FALSE, nullptr)), stop(fetch_stop) {}

AsyncCall::~AsyncCall() {
  if (done != nullptr) CloseHandle(done);
}

bool AsyncCall::wait() const {
  const HANDLE events[] = {done, stop.event()};
  return WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0;
}

// The response to one request: its head, and its body read in pieces as they come.
class Response {
 public:
  Response(InternetHandle request, std::u16string address, AsyncCall& call)
      : request_(std::move(request)), address_(std::move(address)), call_(call) {}

  const std::u16string& address() const noexcept { return address_; }

  int status() const {
    DWORD status = 0, size = sizeof status;
    const DWORD query = HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER;
    return HttpQueryInfoW(request_.get(), query, &status, &size, nullptr) ? static_cast<int>(status) : 0;
  }

  // The value of a header (HTTP_QUERY_...), as UTF-8; nothing when the response has none.
  std::optional<std::string> header(DWORD query) const {
    DWORD size = 0;
    if (HttpQueryInfoW(request_.get(), query, nullptr, &size, nullptr) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
      return std::nullopt;
    }
    std::u16string value(size / sizeof(char16_t), u'\0');
    if (!HttpQueryInfoW(request_.get(), query, value.data(), &size, nullptr)) return std::nullopt;
    value.resize(size / sizeof(char16_t));
    return utf8_of(value);
  }

  // Whether a status line and headers came. The platform takes a reply without them for one of
  // the oldest HTTP, all body (and makes up a head for it); the engine refuses it.
  bool has_head() const {
    const std::string raw = header(HTTP_QUERY_RAW_HEADERS_CRLF).value_or("");
    const std::size_t status_line_end = raw.find("\r\n");
    return status_line_end != std::string::npos && raw.size() > status_line_end + 2 &&
           raw.compare(status_line_end + 2, 2, "\r\n") != 0;
  }

  // The announced body length; -1 when there is none (a chunked or close-delimited body).
  int64_t content_length() const {
    const std::optional<std::string> text = header(HTTP_QUERY_CONTENT_LENGTH);
    int64_t length = -1;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), length).ec != std::errc()) return -1;
    return length;
  }

  // Waits for body bytes and reads those that came, at most `size`: their count; 0 at the
  // body's end, when it broke off or when the fetch was stopped (failed() then says so).
  // Synchronous reads either take what came in pieces of the platform's 8 KiB buffer (slow)
  // or wait to fill the whole buffer (holding back a stalled server's bytes); an asynchronous
  // read without waiting takes all that came, and the wait for more can be cut short.
  std::size_t read_some(char* buffer, std::size_t size) {
    for (;;) {
      INTERNET_BUFFERSW buffers{};
      buffers.dwStructSize = sizeof buffers;
      buffers.lpvBuffer = buffer;
      buffers.dwBufferLength = static_cast<DWORD>(size);
      if (InternetReadFileExW(request_.get(), &buffers, IRF_ASYNC | IRF_NO_WAIT, reinterpret_cast<DWORD_PTR>(&call_))) {
        return buffers.dwBufferLength;
      }
      // Pending: the completion says that bytes came (or the body ended); the next read takes them.
      if (GetLastError() != ERROR_IO_PENDING || !call_.wait() || call_.result == 0) {
        failed_ = true;
        return 0;
      }
    }
  }
  bool failed() const noexcept { return failed_; }

 private:
  InternetHandle request_;
  std::u16string address_;
  AsyncCall& call_;
  bool failed_ = false;
};

namespace {

// A response the view does not show, or one that says it is an attachment, is saved instead.
bool saved_as_download(const Response& response) {
  const int status = response.status();
  if (status < 200 || status > 299) return false;
  if (is_attachment(response.header(HTTP_QUERY_CONTENT_DISPOSITION).value_or(""))) return true;
  const std::string type = media_type(response.header(HTTP_QUERY_CONTENT_TYPE).value_or(""));
  return !type.empty() && type != "text/html" && type != "text/plain";
}

}  // namespace

Fetch::Fetch(web::LoadTarget target, std::u16string url) : target_(std::move(target)), url_(std::move(url)) {}

// Opens the request and waits for its head; on failure nothing, with the platform's error as
// the thread's last error (ERROR_OPERATION_ABORTED when the fetch was stopped).
HINTERNET Fetch::open_url(HINTERNET session, const std::u16string& address) {
  ResetEvent(call_.done);
  call_.created.store(0);
  const DWORD_PTR context = reinterpret_cast<DWORD_PTR>(&call_);
  if (HINTERNET request = InternetOpenUrlW(session, wide(address), nullptr, 0, kRequestFlags, context)) return request;
  if (GetLastError() != ERROR_IO_PENDING) return nullptr;
  if (!call_.wait()) {
    // The request the platform made is closed here: its calls back must not outlive the fetch.
    InternetHandle made(reinterpret_cast<HINTERNET>(call_.created.load()));
    SetLastError(ERROR_OPERATION_ABORTED);
    return nullptr;
  }
  SetLastError(call_.error);
  return reinterpret_cast<HINTERNET>(call_.result);
}

namespace {

struct WorkerStart {
  std::shared_ptr<Fetch> fetch;
  HMODULE module;  // this library, kept loaded while the worker runs its code
};

DWORD WINAPI worker_main(void* parameter) {
  auto* start = static_cast<WorkerStart*>(parameter);
  const HMODULE module = start->module;
  start->fetch->work();
  delete start;  // the fetch may go with it
  if (module != nullptr) FreeLibraryAndExitThread(module, 0);
  return 0;
}

}  // namespace

void Fetch::start() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&worker_main), &module);
  auto* start = new WorkerStart{shared_from_this(), module};
  if (const HANDLE thread = CreateThread(nullptr, 0, &worker_main, start, 0, nullptr)) {
    CloseHandle(thread);
    return;
  }
  delete start;
  if (module != nullptr) FreeLibrary(module);
  fail({-2, "ERR_FAILED"});
  worker_done_ = true;
}

void Fetch::work() {
  shielded<void>("fetch worker", [this] { run(); });
  worker_done_ = true;
}

void Fetch::stop() {
  std::shared_ptr<Download> download;
  {
    std::lock_guard lock(mutex_);
    stop_->set();  // a wait for the platform ends now
    download = download_;
  }
  if (download) {
    download->wake();
    download->abandon();
  }
}

bool Fetch::finished() const {
  if (!worker_done_.load()) return false;
  std::lock_guard lock(mutex_);
  return download_ == nullptr || download_->ended();
}

void Fetch::post(std::function<void(web::SimBrowser&)> work) {
  std::lock_guard lock(mutex_);
  if (!stop_->load()) web::post_for_browser(target_.tree, std::move(work));
}

void Fetch::run() {
  static constexpr Failure kFailed{-2, "ERR_FAILED"}, kTooManyRedirects{-310, "ERR_TOO_MANY_REDIRECTS"},
      kUnsafeRedirect{-311, "ERR_UNSAFE_REDIRECT"}, kInvalidResponse{-320, "ERR_INVALID_RESPONSE"};
  InternetHandle session(
      InternetOpenW(L"Larkwell-EngineSim", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, INTERNET_FLAG_ASYNC));
  if (!session || InternetSetStatusCallbackW(session.get(), &on_status) == INTERNET_INVALID_STATUS_CALLBACK ||
      call_.done == nullptr || stop_->event() == nullptr) {
    return fail(kFailed);
  }
  DWORD connect_timeout = kConnectTimeoutMs;
  InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connect_timeout, sizeof connect_timeout);
  std::u16string address = request_address(url_);
  for (int redirects = 0;; ++redirects) {
    InternetHandle request(open_url(session.get(), address));
    const DWORD error = request ? ERROR_SUCCESS : GetLastError();
    if (stop_->load()) return;  // nobody waits for the answer any more
    if (!request) {
      switch (error) {
        case ERROR_INTERNET_CANNOT_CONNECT:
          return fail({-102, "ERR_CONNECTION_REFUSED"});
        case ERROR_INTERNET_NAME_NOT_RESOLVED:
          return fail({-105, "ERR_NAME_NOT_RESOLVED"});
        case ERROR_INTERNET_TIMEOUT:
          return fail({-118, "ERR_CONNECTION_TIMED_OUT"});
        case ERROR_INTERNET_CONNECTION_RESET:
          return fail({-101, "ERR_CONNECTION_RESET"});
        case ERROR_INTERNET_CONNECTION_ABORTED:
          return fail({-324, "ERR_EMPTY_RESPONSE"});
        case ERROR_HTTP_INVALID_SERVER_RESPONSE:
          return fail(kInvalidResponse);
        case ERROR_INTERNET_INVALID_URL:
        case ERROR_INTERNET_UNRECOGNIZED_SCHEME:
          return fail({-300, "ERR_INVALID_URL"});
        default:
          return fail(kFailed);
      }
    }
    Response response(std::move(request), address, call_);
    const int status = response.status();
    if (status == 0 || !response.has_head()) return fail(kInvalidResponse);
    const std::optional<std::string> location = response.header(HTTP_QUERY_LOCATION);
    if (is_redirect(status) && location) {
      if (redirects == kMaxRedirects) return fail(kTooManyRedirects);
      address = complete_url(address, utf16_of(*location));
      if (!is_http(address)) return fail(kUnsafeRedirect);
      address = request_address(address);
      continue;
    }
    if (saved_as_download(response)) return read_download(response);
    return read_page(response);
  }
}

void Fetch::read_page(Response& response) {
  std::string body;
  std::string buffer(Download::kLargestBlock, '\0');
  while (body.size() < kMaxPage && !stop_->load()) {
    const std::size_t got = response.read_some(buffer.data(), buffer.size());
    if (got == 0) break;  // what came is shown, as a browser shows a page cut short
    body.append(buffer.data(), got);
  }
  if (body.size() > kMaxPage) body.resize(kMaxPage);
  const std::string content_type = response.header(HTTP_QUERY_CONTENT_TYPE).value_or("");
  std::u16string source = decode_body(body, content_type);
  const PageFormat format = format_of_mime_type(media_type(content_type));
  post([stop = stop_, frame = target_.frame, address = response.address(), source = std::move(source),
        status = response.status(), format](web::SimBrowser&) mutable {
    if (stop->load()) return;  // a newer load of the frame took its place
    frame->navigate(std::move(address), std::move(source), SIM_LOADED_URL, status, format);
  });
}

void Fetch::read_download(Response& response) {
  const int64_t length = response.content_length();
  DownloadOffer offer{utf16_of(media_type(response.header(HTTP_QUERY_CONTENT_TYPE).value_or(""))),
                      utf16_of(suggested_name(response.header(HTTP_QUERY_CONTENT_DISPOSITION).value_or(""),
                                              utf8_of(response.address()))),
                      length};
  auto download = std::make_shared<Download>(target_, stop_, std::move(offer));
  {
    std::lock_guard lock(mutex_);
    if (stop_->load()) return;
    download_ = download;
    is_download_ = true;
    download->offer();
  }
  std::string buffer(Download::kLargestBlock, '\0');
  int64_t received = 0;
  for (;;) {
    const std::size_t got = response.read_some(buffer.data(), buffer.size());
    if (got == 0) break;  // the end, or a body that broke off where it stands
    received += static_cast<int64_t>(got);
    if (!download->push(std::string_view(buffer.data(), got))) return;
  }
  // The platform ends a body that was cut short as it ends a whole one: only its announced
  // length tells them apart.
  download->finish(response.failed() || (length >= 0 && received != length));
}

void Fetch::fail(const Failure& failure) {
  post([stop = stop_, frame = target_.frame, url = url_, failure](web::SimBrowser& browser) {
    if (stop->load()) return;
    frame->show_error_page(browser, url,
                           browser.announce_load_error(*frame, failure.code, url, u"net::" + utf16_of(failure.name)));
    note([](TSimNetCounts& c) { ++c.load_errors; });
  });
}

}  // namespace larkwell::enginesim::net
