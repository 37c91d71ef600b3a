// A tiny HTTP server on 127.0.0.1 for the stand-in's tests: one thread, one connection at a
// time, canned replies chosen by the request's target, sent in the pieces and at the pace the
// test asks for.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "enginesim/net/socket.h"

namespace larkwell::enginesim::test {

struct ReplyPiece {
  std::string bytes;
  int pause_ms = 0;    // waits this long after sending them
  bool stall = false;  // then sends nothing more until the client closes or the server stops
};
using Reply = std::vector<ReplyPiece>;

// The byte at `offset` of every download body the tests serve (the demo's formula).
inline char body_byte(std::size_t offset) { return static_cast<char>((offset * 131 + (offset >> 10)) & 0xFF); }
std::string body_bytes(std::size_t size);
// A head with status line and headers, each "Name: value", and the blank line.
std::string head(const std::string& status, const std::vector<std::string>& headers);
// `body` as chunks of the sizes given, cycled; extensions on every other size line; a trailer.
std::string chunked(const std::string& body, const std::vector<std::size_t>& sizes);

class LoopbackServer {
 public:
  // Unknown targets get a 404 page.
  explicit LoopbackServer(std::map<std::string, Reply> replies);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::u16string url(const std::string& target) const;
  // The request lines received so far ("GET /path HTTP/1.1").
  std::vector<std::string> requests();
  // Whether the client closed a stalled connection before the server stopped.
  bool client_closed_stall() const { return client_closed_stall_.load(); }

 private:
  void serve();
  void answer(net::Connection& connection);

  std::map<std::string, Reply> replies_;
  net::Listener listener_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> client_closed_stall_{false};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace larkwell::enginesim::test
