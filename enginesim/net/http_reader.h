// Reads an HTTP/1.1 response as it arrives, in pieces of any size: the status line, the
// headers, and the body in its framing (Content-Length, chunked with extensions and trailers,
// or ended by the connection's close). Interim (1xx) responses are passed over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace larkwell::enginesim::net {

struct ResponseHead {
  int status = 0;
  std::string reason;
  std::vector<std::pair<std::string, std::string>> headers;  // in order, names as sent

  // The first header of that name (case does not matter), its value trimmed.
  std::optional<std::string> header(std::string_view name) const;
};

class ResponseReader {
 public:
  enum class State {
    head,       // the status line and headers are still coming
    body,       // the body is coming
    complete,   // the whole response has arrived
    truncated,  // the body ended early: closed before its length, or a broken chunked stream
    malformed,  // no valid response head (nothing more is read)
  };

  // Consumes `bytes`, appending what belongs to the body to `body`. Bytes past the end of the
  // response are ignored.
  State feed(std::string_view bytes, std::string& body);
  // The connection closed: a body that runs to the close is complete now.
  State close();

  State state() const noexcept { return state_; }
  bool head_ready() const noexcept { return state_ != State::head && state_ != State::malformed; }
  bool finished() const noexcept { return state_ != State::head && state_ != State::body; }
  // Valid once head_ready().
  const ResponseHead& head() const noexcept { return head_; }
  // The announced body length; none for a chunked or close-delimited body.
  std::optional<int64_t> content_length() const noexcept { return length_; }
  // Whether any byte arrived at all (a server that closes at once sent no response).
  bool received_anything() const noexcept { return received_; }

 private:
  enum class Framing { none, length, chunked, until_close };
  enum class Chunk { size_line, data, data_end, trailers };

  // Takes one line (without its CR LF) out of the bytes; false while the line is incomplete.
  bool take_line(std::string_view& bytes, std::string& line, std::size_t limit);
  void on_head_line(const std::string& line);
  void start_body();
  void feed_chunked(std::string_view& bytes, std::string& body);
  // Moves up to left_ bytes into the body; true once left_ reaches 0.
  bool take_counted(std::string_view& bytes, std::string& body);

  State state_ = State::head;
  ResponseHead head_;
  bool status_seen_ = false;
  bool received_ = false;
  std::size_t head_size_ = 0;
  std::string line_;  // the part of a line received so far
  Framing framing_ = Framing::none;
  std::optional<int64_t> length_;
  int64_t left_ = 0;  // body bytes (Framing::length) or chunk bytes still to come
  Chunk chunk_ = Chunk::size_line;
};

}  // namespace larkwell::enginesim::net
