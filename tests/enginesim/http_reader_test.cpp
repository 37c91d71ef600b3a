// The stand-in's HTTP pieces on their own: the response reader against byte-exact replies cut
// into pieces of every size, the texts of HTTP (addresses, names, charsets), and a loopback
// connection.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "enginesim/net/http_reader.h"
#include "enginesim/net/http_text.h"
#include "enginesim/net/socket.h"

namespace larkwell::enginesim::net {
namespace {

using State = ResponseReader::State;

struct Read {
  State state;
  std::string body;
  int status = 0;
};

// The reply fed in pieces of `piece` bytes (all at once for 0), then closed when `close` says.
Read read_reply(const std::string& reply, std::size_t piece, bool close = true) {
  ResponseReader reader;
  Read result{State::head, ""};
  const std::size_t step = piece == 0 ? reply.size() + 1 : piece;
  for (std::size_t at = 0; at < reply.size(); at += step) reader.feed(std::string_view(reply).substr(at, step), result.body);
  result.state = close ? reader.close() : reader.state();
  if (reader.head_ready()) result.status = reader.head().status;
  return result;
}

// Every way of cutting the reply gives the same outcome as reading it whole.
void expect_read(const std::string& reply, State state, const std::string& body, int status, bool close = true) {
  for (std::size_t piece = 0; piece <= reply.size(); ++piece) {
    const Read read = read_reply(reply, piece, close);
    ASSERT_EQ(read.state, state) << "pieces of " << piece;
    ASSERT_EQ(read.body, body) << "pieces of " << piece;
    ASSERT_EQ(read.status, status) << "pieces of " << piece;
  }
}

TEST(HttpReader, ReadsEachFramingWhateverPiecesTheBytesComeIn) {
  // Content-Length: what lies past the body is not the body's.
  expect_read("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 5\r\n\r\nhello, more", State::complete,
              "hello", 200, false);
  // Chunked, with extensions, an empty-looking chunk line split anywhere, and trailers.
  expect_read(
      "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, Chunked\r\n\r\n"
      "4;name=value\r\nWiki\r\n"
      "A ; ext=\"q;uoted\"\r\npedia in\r\n\r\n"
      "0\r\nExpires: never\r\nX-Trailer: 1\r\n\r\nnext response",
      State::complete, "Wikipedia in\r\n", 200, false);
  // Until the close; LF-only line ends and a folded header are taken too.
  expect_read("HTTP/1.0 200 Fine\nX-Folded: a\n  b\nContent-Type: text/plain\n\nall of this\r\nto the end", State::complete,
              "all of this\r\nto the end", 200);
  // An interim response is passed over; 204 and 304 have no body whatever they announce.
  expect_read("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\nno", State::complete, "no",
              404, false);
  expect_read("HTTP/1.1 204 No Content\r\nContent-Length: 10\r\n\r\n", State::complete, "", 204, false);
  expect_read("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", State::complete, "", 200, false);
}

TEST(HttpReader, AnEarlyCloseOrABrokenChunkTruncatesTheBody) {
  expect_read("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", State::truncated, "short", 200);
  expect_read("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n3\r\nab", State::truncated, "helloab",
              200);
  // A size that is no hex number, and a chunk longer than it said, end the stream where they stand.
  expect_read("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\nzz\r\nmore\r\n0\r\n\r\n", State::truncated,
              "hello", 200, false);
  expect_read("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n0\r\n\r\n", State::truncated, "ab", 200,
              false);
  // Still coming: not finished until the close.
  const Read open = read_reply("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", 3, false);
  EXPECT_EQ(open.state, State::body);
}

TEST(HttpReader, WhatIsNoResponseHeadIsMalformed) {
  for (const std::string reply : {"this is not HTTP\r\n\r\n", "HTTP/1.1 20 OK\r\n\r\n", "HTTP/2 200 OK\r\n\r\n",
                                  "HTTP/1.1 200 OK\r\nNo colon here\r\n\r\n", "HTTP/1.1 200 OK\r\nBad Name: x\r\n\r\n",
                                  "HTTP/1.1 200 OK\r\nContent-Length: 4\r\nContent-Length: 5\r\n\r\nbody!",
                                  "HTTP/1.1 200 OK\r\nContent-Length: -4\r\n\r\nbody", "HTTP/1.1 200 OK\r\n", ""}) {
    expect_read(reply, State::malformed, "", 0);
  }
  // A head that never ends is refused once it is longer than any real one.
  ResponseReader endless;
  std::string body;
  endless.feed("HTTP/1.1 200 OK\r\n", body);
  const std::string filler = "X-Filler: " + std::string(1000, 'x') + "\r\n";
  for (int i = 0; i < 80 && endless.state() == State::head; ++i) endless.feed(filler, body);
  EXPECT_EQ(endless.state(), State::malformed);
  EXPECT_FALSE(ResponseReader().received_anything());
}

TEST(HttpReader, HeadersAreFoundWhateverTheirCase) {
  ResponseReader reader;
  std::string body;
  reader.feed("HTTP/1.1 302 Found here\r\nLOCATION:   /page/about  \r\nContent-Length: 0\r\n\r\n", body);
  ASSERT_EQ(reader.state(), State::complete);
  EXPECT_EQ(reader.head().reason, "Found here");
  EXPECT_EQ(reader.head().header("location"), "/page/about");
  EXPECT_EQ(reader.head().header("Content-Type"), std::nullopt);
  EXPECT_EQ(reader.content_length(), 0);
}

TEST(HttpText, AddressesAreTakenApartAndRedirectsResolved) {
  const auto url = HttpUrl::parse("HTTP://LocalHost:8765/download/x.xls?size=5#part");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->host, "localhost");
  EXPECT_EQ(url->port, 8765);
  EXPECT_EQ(url->target, "/download/x.xls?size=5");
  EXPECT_EQ(url->text(), "http://localhost:8765/download/x.xls?size=5");
  EXPECT_EQ(HttpUrl::parse("http://127.0.0.1?mac=1")->target, "/?mac=1");
  EXPECT_EQ(HttpUrl::parse("http://a.test")->text(), "http://a.test/");
  for (const char* bad : {"https://a.test/", "about:blank", "http://", "http://a.test:0/", "http://a.test:99999/",
                          "http://a.test:x/", "http://user@a.test/", "http://a.test/with space"}) {
    EXPECT_FALSE(HttpUrl::parse(bad)) << bad;
  }
  EXPECT_EQ(url->resolve("/page/about")->text(), "http://localhost:8765/page/about");
  EXPECT_EQ(url->resolve("other.xls#x")->text(), "http://localhost:8765/download/other.xls");
  EXPECT_EQ(url->resolve("?size=7")->text(), "http://localhost:8765/download/x.xls?size=7");
  EXPECT_EQ(url->resolve("http://b.test/")->text(), "http://b.test/");
  EXPECT_EQ(url->resolve("//c.test:81/z")->text(), "http://c.test:81/z");
  EXPECT_FALSE(url->resolve("https://b.test/"));
}

TEST(HttpText, TheSuggestedNamePrefersTheUtf8FormThenTheQuotedOneThenThePath) {
  const HttpUrl url = *HttpUrl::parse("http://h/download/%E6%8A%A5%E8%A1%A8.xls?size=1");
  EXPECT_EQ(suggested_name("attachment; filename=\"report.xls\"; "
                           "filename*=UTF-8''%E6%9C%88%E5%BA%A6%E6%8A%A5%E8%A1%A8.xls",
                           url),
            "月度报表.xls");
  EXPECT_EQ(suggested_name(R"(attachment; filename="..\\..\\evil \"x\".xls")", url), R"(..\..\evil "x".xls)");
  EXPECT_EQ(suggested_name("attachment; filename=plain.xls", url), "plain.xls");
  EXPECT_EQ(suggested_name("attachment; filename*=UTF-8''bad%01%1Fname.xls", url), "bad\x01\x1Fname.xls");
  EXPECT_EQ(suggested_name("attachment; filename*=ISO-8859-1''x.xls; filename=\"y.xls\"", url), "y.xls")
      << "only UTF-8 is read from the extended form";
  EXPECT_EQ(suggested_name("attachment", url), "报表.xls");
  EXPECT_EQ(suggested_name("attachment; filename=\"\xff.xls\"", url), "\xEF\xBF\xBD.xls") << "invalid UTF-8";
  EXPECT_TRUE(is_attachment(" Attachment ; filename=a"));
  EXPECT_FALSE(is_attachment("inline; filename=attachment"));
  EXPECT_EQ(media_type(" Text/HTML ; charset=utf-8"), "text/html");
  EXPECT_EQ(header_parameter("text/html; Charset=\"GBK\"", "charset"), "GBK");
}

TEST(HttpText, BodiesAreDecodedInTheirCharset) {
  EXPECT_EQ(decode_body("\xE6\xBC\x94\xE7\xA4\xBA", "text/html; charset=utf-8"), u"演示");
  EXPECT_EQ(decode_body("\xE6\xBC\x94\xE7\xA4\xBA", "text/html"), u"演示") << "UTF-8 when none is named";
  EXPECT_EQ(decode_body("\xD1\xDD\xCA\xBE", "text/html; charset=GBK"), u"演示");
  EXPECT_EQ(decode_body("\xD1\xDD\xCA\xBE", "text/plain; charset=gb2312"), u"演示");
  EXPECT_EQ(decode_body("caf\xE9", "text/plain; charset=ISO-8859-1"), u"café");
  EXPECT_EQ(decode_body("a\xFFz", "text/plain"), u"a\uFFFDz");
}

TEST(Connection, CarriesBytesBothWaysAndStopsAWaitingReadAtOnce) {
  Listener listener;
  ASSERT_TRUE(listener.is_open());
  std::atomic<bool> stop{false};
  Connection client = Connection::open("127.0.0.1", listener.port(), &stop, 2000);
  ASSERT_TRUE(client.is_open());
  Connection server = listener.accept(nullptr, 2000);
  ASSERT_TRUE(server.is_open());
  ASSERT_TRUE(client.write_all("ping"));
  char buffer[16];
  ASSERT_EQ(server.read_some(buffer, sizeof buffer), 4);
  EXPECT_EQ(std::string(buffer, 4), "ping");

  // The server says nothing more: another thread's stop ends the wait.
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
  });
  const auto began = std::chrono::steady_clock::now();
  EXPECT_EQ(client.read_some(buffer, sizeof buffer), -1);
  EXPECT_EQ(client.last_error(), NetError::stopped);
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(1000));
  stopper.join();

  server.close();
  Connection again = Connection::open("127.0.0.1", listener.port(), nullptr, 2000);
  Connection accepted = listener.accept(nullptr, 2000);
  accepted.close();
  ASSERT_TRUE(again.is_open());
  EXPECT_EQ(again.read_some(buffer, sizeof buffer), 0) << "the peer closed";

  // Nobody listens on a port whose listener is gone.
  uint16_t free_port = 0;
  {
    Listener gone;
    free_port = gone.port();
  }
  Connection refused = Connection::open("127.0.0.1", free_port, nullptr, 2000);
  EXPECT_FALSE(refused.is_open());
  EXPECT_EQ(refused.last_error(), NetError::refused);
  EXPECT_EQ(Connection::open("no-such-host.invalid", 80, nullptr, 2000).last_error(), NetError::name_not_resolved);
}

}  // namespace
}  // namespace larkwell::enginesim::net
