#include "enginesim/net/http_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "enginesim/net/http_text.h"

namespace larkwell::enginesim::net {
namespace {

constexpr std::size_t kHeadLimit = 64 * 1024;   // a longer head is no response of ours
constexpr std::size_t kChunkLineLimit = 4096;

// A decimal length: digits only, no sign, no overflow.
std::optional<int64_t> parse_length(std::string_view text) {
  int64_t value = 0;
  if (text.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// A chunk's size: hex digits, then optional white space and extensions after ';'.
std::optional<int64_t> parse_chunk_size(std::string_view line) {
  const std::size_t end = line.find(';');
  std::string_view digits = trim(line.substr(0, end));
  int64_t value = 0;
  if (digits.empty() || digits.size() > 15) return std::nullopt;
  const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || stop != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::string> ResponseHead::header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (equal_ignoring_case(key, name)) return std::string(trim(value));
  }
  return std::nullopt;
}

bool ResponseReader::take_line(std::string_view& bytes, std::string& line, std::size_t limit) {
  const std::size_t newline = bytes.find('\n');
  const std::size_t taken = newline == std::string_view::npos ? bytes.size() : newline;
  if (line_.size() + taken > limit) {
    bytes = {};
    line_.clear();
    line.assign(limit + 1, ' ');  // too long: the caller sees a line over its limit
    return true;
  }
  line_.append(bytes.substr(0, taken));
  if (newline == std::string_view::npos) {
    bytes = {};
    return false;
  }
  bytes.remove_prefix(newline + 1);
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  line = std::move(line_);
  line_.clear();
  return true;
}

ResponseReader::State ResponseReader::feed(std::string_view bytes, std::string& body) {
  if (!bytes.empty()) received_ = true;
  while (!bytes.empty() && !finished()) {
    if (state_ == State::head) {
      const std::size_t before = bytes.size();
      std::string line;
      const bool whole = take_line(bytes, line, kHeadLimit);
      head_size_ += before - bytes.size();
      if (head_size_ > kHeadLimit || line.size() > kHeadLimit) {
        state_ = State::malformed;
        break;
      }
      if (whole) on_head_line(line);
      continue;
    }
    switch (framing_) {
      case Framing::length:
        if (take_counted(bytes, body)) state_ = State::complete;
        break;
      case Framing::until_close:
        body.append(bytes);
        bytes = {};
        break;
      case Framing::chunked:
        feed_chunked(bytes, body);
        break;
      case Framing::none:
        state_ = State::complete;
        break;
    }
  }
  return state_;
}

void ResponseReader::on_head_line(const std::string& line) {
  if (!status_seen_) {
    // "HTTP/1.1 200 OK": the version, three digits, and the reason, which may be empty.
    const bool versioned = line.size() >= 12 && line.compare(0, 7, "HTTP/1.") == 0 &&
                           std::isdigit(static_cast<unsigned char>(line[7])) && line[8] == ' ';
    int status = 0;
    const bool numbered = versioned && std::all_of(line.begin() + 9, line.begin() + 12, [](char c) {
      return std::isdigit(static_cast<unsigned char>(c));
    }) && (line.size() == 12 || line[12] == ' ');
    if (numbered) std::from_chars(line.data() + 9, line.data() + 12, status);
    if (!numbered || status < 100) {
      state_ = State::malformed;
      return;
    }
    head_ = ResponseHead{};
    head_.status = status;
    head_.reason = line.size() > 13 ? line.substr(13) : "";
    status_seen_ = true;
    return;
  }
  if (line.empty()) {
    // An interim response is followed by the real one.
    if (head_.status < 200 && head_.status != 101) {
      status_seen_ = false;
      return;
    }
    start_body();
    return;
  }
  if ((line[0] == ' ' || line[0] == '\t') && !head_.headers.empty()) {
    head_.headers.back().second += ' ';  // a folded continuation of the last header
    head_.headers.back().second += trim(line);
    return;
  }
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos || colon == 0 || line.find_first_of(" \t") < colon) {
    state_ = State::malformed;
    return;
  }
  head_.headers.emplace_back(line.substr(0, colon), std::string(trim(std::string_view(line).substr(colon + 1))));
}

void ResponseReader::start_body() {
  state_ = State::body;
  const int status = head_.status;
  if (status == 204 || status == 304 || status < 200) {
    framing_ = Framing::none;
    state_ = State::complete;
    return;
  }
  const std::optional<std::string> coding = head_.header("Transfer-Encoding");
  if (coding && contains_token(*coding, "chunked")) {
    framing_ = Framing::chunked;
    return;
  }
  // Several Content-Length headers must agree; one that is no number is no response.
  for (const auto& [name, value] : head_.headers) {
    if (!equal_ignoring_case(name, "Content-Length")) continue;
    const std::optional<int64_t> length = parse_length(trim(value));
    if (!length || (length_ && *length_ != *length)) {
      state_ = State::malformed;
      return;
    }
    length_ = length;
  }
  if (length_) {
    framing_ = Framing::length;
    left_ = *length_;
    if (left_ == 0) state_ = State::complete;
    return;
  }
  framing_ = Framing::until_close;
}

void ResponseReader::feed_chunked(std::string_view& bytes, std::string& body) {
  std::string line;
  switch (chunk_) {
    case Chunk::size_line: {
      if (!take_line(bytes, line, kChunkLineLimit)) return;
      const std::optional<int64_t> size = line.size() > kChunkLineLimit ? std::nullopt : parse_chunk_size(line);
      if (!size) {
        state_ = State::truncated;
        return;
      }
      left_ = *size;
      chunk_ = left_ == 0 ? Chunk::trailers : Chunk::data;
      return;
    }
    case Chunk::data:
      if (take_counted(bytes, body)) chunk_ = Chunk::data_end;
      return;
    case Chunk::data_end:
      // The CR LF after the chunk's data, and nothing else.
      if (!take_line(bytes, line, kChunkLineLimit)) return;
      if (!line.empty()) state_ = State::truncated;
      chunk_ = Chunk::size_line;
      return;
    case Chunk::trailers:
      if (!take_line(bytes, line, kHeadLimit)) return;
      if (line.empty()) state_ = State::complete;  // trailer fields themselves are not kept
      return;
  }
}

bool ResponseReader::take_counted(std::string_view& bytes, std::string& body) {
  const std::size_t take = static_cast<std::size_t>(std::min<int64_t>(left_, static_cast<int64_t>(bytes.size())));
  body.append(bytes.substr(0, take));
  bytes.remove_prefix(take);
  left_ -= static_cast<int64_t>(take);
  return left_ == 0;
}

ResponseReader::State ResponseReader::close() {
  if (state_ == State::head) {
    state_ = State::malformed;
  } else if (state_ == State::body) {
    state_ = framing_ == Framing::until_close ? State::complete : State::truncated;
  }
  return state_;
}

}  // namespace larkwell::enginesim::net
