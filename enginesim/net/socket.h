// One TCP connection, portable: Winsock on Windows, BSD sockets elsewhere.
//
// Every wait is cut into short slices that look at a stop flag, so whoever owns the flag can
// end a connection that waits on a stalled server within a fraction of a second, from any
// thread, without closing the socket under the waiting thread's feet.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace larkwell::enginesim::net {

enum class NetError { none, stopped, name_not_resolved, refused, timed_out, reset, failed };

class Connection {
 public:
  Connection() = default;
  Connection(Connection&& other) noexcept;
  Connection& operator=(Connection&& other) noexcept;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { close(); }

  // Connects to `host`:`port` within `timeout_ms`; `stop` (may be null) ends the wait early.
  // `host` is a numeric IPv4 address or localhost; any other name is not resolved.
  // A connection that is not open says why in last_error().
  static Connection open(const std::string& host, uint16_t port, const std::atomic<bool>* stop,
                         int timeout_ms);

  bool is_open() const noexcept;
  // Waits until bytes arrive: their count (> 0), 0 when the peer closed, -1 on an error or
  // when stopped (last_error() says which).
  long read_some(char* buffer, std::size_t size);
  bool write_all(std::string_view bytes);
  void close() noexcept;
  NetError last_error() const noexcept { return error_; }

 private:
  friend class Listener;
  Connection(uintptr_t handle, const std::atomic<bool>* stop) : handle_(handle), stop_(stop) {}
  // Waits for the socket to become readable (or writable); false when stopped or failed.
  bool wait_ready(bool for_write, int timeout_ms);

  uintptr_t handle_ = ~uintptr_t{0};
  const std::atomic<bool>* stop_ = nullptr;
  NetError error_ = NetError::none;
};

// A listening socket on 127.0.0.1 at a free port: the loopback servers of tests and tools.
class Listener {
 public:
  Listener();  // not open when no socket could be made
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  ~Listener();

  bool is_open() const noexcept;
  uint16_t port() const noexcept { return port_; }
  // The next connection, waiting at most `timeout_ms`; not open when none came or `stop` is set.
  Connection accept(const std::atomic<bool>* stop, int timeout_ms);

 private:
  uintptr_t handle_ = ~uintptr_t{0};
  uint16_t port_ = 0;
};

}  // namespace larkwell::enginesim::net
