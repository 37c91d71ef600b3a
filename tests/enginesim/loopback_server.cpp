#include "loopback_server.h"

#include <chrono>

namespace larkwell::enginesim::test {

std::string body_bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = body_byte(i);
  return bytes;
}

std::string head(const std::string& status, const std::vector<std::string>& headers) {
  std::string text = "HTTP/1.1 " + status + "\r\n";
  for (const std::string& header : headers) text += header + "\r\n";
  return text + "\r\n";
}

std::string chunked(const std::string& body, const std::vector<std::size_t>& sizes) {
  static const char* const kHex = "0123456789abcdef";
  std::string out;
  std::size_t at = 0;
  for (std::size_t i = 0; at < body.size(); ++i) {
    const std::size_t size = std::min(sizes[i % sizes.size()], body.size() - at);
    std::string hex;
    for (std::size_t n = size; n > 0; n /= 16) hex.insert(hex.begin(), kHex[n % 16]);
    out += hex + (i % 2 == 1 ? ";piece=" + std::to_string(i) : "") + "\r\n" + body.substr(at, size) + "\r\n";
    at += size;
  }
  return out + "0\r\nX-Checked: yes\r\n\r\n";
}

LoopbackServer::LoopbackServer(std::map<std::string, Reply> replies)
    : replies_(std::move(replies)), thread_([this] { serve(); }) {}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  thread_.join();
}

std::u16string LoopbackServer::url(const std::string& target) const {
  const std::string text = "http://127.0.0.1:" + std::to_string(listener_.port()) + target;
  return std::u16string(text.begin(), text.end());
}

std::vector<std::string> LoopbackServer::requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackServer::serve() {
  while (!stop_) {
    net::Connection connection = listener_.accept(&stop_, 50);
    if (connection.is_open()) answer(connection);
  }
}

void LoopbackServer::answer(net::Connection& connection) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const long got = connection.read_some(buffer, sizeof buffer);
    if (got <= 0) return;
    request.append(buffer, static_cast<std::size_t>(got));
  }
  const std::string line = request.substr(0, request.find("\r\n"));
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(line);
  }
  const std::size_t start = line.find(' ') + 1;
  const std::string target = line.substr(start, line.find(' ', start) - start);
  const auto found = replies_.find(target);
  const Reply reply = found != replies_.end()
                          ? found->second
                          : Reply{{head("404 Not Found", {"Content-Type: text/html", "Content-Length: 9"}) + "not found"}};
  for (const ReplyPiece& piece : reply) {
    if (!connection.write_all(piece.bytes)) return;
    if (piece.pause_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(piece.pause_ms));
    if (piece.stall) {
      while (connection.read_some(buffer, sizeof buffer) > 0) {
      }
      if (!stop_) client_closed_stall_ = true;
      return;
    }
  }
}

}  // namespace larkwell::enginesim::test
