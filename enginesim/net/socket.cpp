#include "enginesim/net/socket.h"

#include <algorithm>
#include <chrono>
#include <utility>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace larkwell::enginesim::net {
namespace {

constexpr uintptr_t kNoSocket = ~uintptr_t{0};
constexpr int kSliceMs = 50;  // how long a wait goes without looking at the stop flag

#ifdef _WIN32
using Native = SOCKET;
int last_socket_error() { return WSAGetLastError(); }
bool would_block(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS; }
void close_native(Native s) { closesocket(s); }
bool set_non_blocking(Native s) {
  u_long on = 1;
  return ioctlsocket(s, FIONBIO, &on) == 0;
}
// Winsock wants its start-up once per module; it is never undone (the process's exit does).
bool sockets_ready() {
  static const bool ready = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return ready;
}
NetError error_of(int error) {
  switch (error) {
    case WSAECONNREFUSED: return NetError::refused;
    case WSAETIMEDOUT: return NetError::timed_out;
    case WSAECONNRESET: case WSAECONNABORTED: case WSAENETRESET: return NetError::reset;
    default: return NetError::failed;
  }
}
// Readable / writable within `ms`: 1, 0 on time-out, -1 on failure (a failed connect too).
int wait_native(Native s, bool for_write, int ms) {
  fd_set ready, failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(s, &ready);
  FD_SET(s, &failed);
  timeval limit{ms / 1000, (ms % 1000) * 1000};
  const int n = select(0, for_write ? nullptr : &ready, for_write ? &ready : nullptr, &failed, &limit);
  if (n < 0) return -1;
  if (FD_ISSET(s, &failed)) return -1;
  return n > 0 ? 1 : 0;
}
#else
using Native = int;
int last_socket_error() { return errno; }
bool would_block(int error) { return error == EINPROGRESS || error == EAGAIN || error == EWOULDBLOCK; }
void close_native(Native s) { ::close(s); }
bool set_non_blocking(Native s) {
  const int flags = fcntl(s, F_GETFL, 0);
  return flags >= 0 && fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0;
}
bool sockets_ready() { return true; }
NetError error_of(int error) {
  switch (error) {
    case ECONNREFUSED: return NetError::refused;
    case ETIMEDOUT: return NetError::timed_out;
    case ECONNRESET: case ECONNABORTED: case EPIPE: return NetError::reset;
    default: return NetError::failed;
  }
}
int wait_native(Native s, bool for_write, int ms) {
  pollfd entry{s, static_cast<short>(for_write ? POLLOUT : POLLIN), 0};
  const int n = poll(&entry, 1, ms);
  if (n < 0) return errno == EINTR ? 0 : -1;
  if (n == 0) return 0;
  // A hang-up with bytes still to read is readable; an error alone is not.
  if ((entry.revents & (for_write ? POLLOUT : POLLIN)) != 0) return 1;
  return (entry.revents & POLLHUP) != 0 && !for_write ? 1 : -1;
}
#endif

Native native(uintptr_t handle) { return static_cast<Native>(handle); }

// The pending error of a socket whose connect or wait failed.
int pending_error(Native s) {
  int error = 0;
  socklen_t size = sizeof error;
  getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
  return error;
}

bool stopped(const std::atomic<bool>* stop) { return stop != nullptr && stop->load(); }

}  // namespace

// --- Connection

Connection::Connection(Connection&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoSocket)), stop_(other.stop_), error_(other.error_) {}

Connection& Connection::operator=(Connection&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, kNoSocket);
    stop_ = other.stop_;
    error_ = other.error_;
  }
  return *this;
}

bool Connection::is_open() const noexcept { return handle_ != kNoSocket; }

void Connection::close() noexcept {
  if (handle_ != kNoSocket) close_native(native(std::exchange(handle_, kNoSocket)));
}

bool Connection::wait_ready(bool for_write, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (stopped(stop_)) {
      error_ = NetError::stopped;
      return false;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (timeout_ms >= 0 && left.count() <= 0) {
      error_ = NetError::timed_out;
      return false;
    }
    const int slice = timeout_ms < 0 ? kSliceMs : static_cast<int>(std::min<long long>(kSliceMs, left.count()));
    const int ready = wait_native(native(handle_), for_write, slice);
    if (ready > 0) return true;
    if (ready < 0) {
      const int error = pending_error(native(handle_));
      error_ = error != 0 ? error_of(error) : NetError::failed;
      return false;
    }
  }
}

Connection Connection::open(const std::string& host, uint16_t port, const std::atomic<bool>* stop,
                            int timeout_ms) {
  Connection failed;
  failed.stop_ = stop;
  if (!sockets_ready()) {
    failed.error_ = NetError::failed;
    return failed;
  }
  // Only numeric IPv4 addresses and localhost: the stand-in browses this machine's servers and
  // never asks a name server.
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  const std::string address = host == "localhost" ? "127.0.0.1" : host;
  if (getaddrinfo(address.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr) {
    failed.error_ = NetError::name_not_resolved;
    return failed;
  }
  const Native s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (s == static_cast<Native>(kNoSocket)) {
    freeaddrinfo(found);
    failed.error_ = NetError::failed;
    return failed;
  }
  Connection made(static_cast<uintptr_t>(s), stop);
  const bool non_blocking = set_non_blocking(s);
  const int result = non_blocking ? connect(s, found->ai_addr, static_cast<socklen_t>(found->ai_addrlen)) : -1;
  const int error = result == 0 ? 0 : last_socket_error();
  freeaddrinfo(found);
  if (!non_blocking) {
    failed.error_ = NetError::failed;
    return failed;
  }
  if (result != 0) {
    if (!would_block(error)) {
      failed.error_ = error_of(error);
      return failed;
    }
    if (!made.wait_ready(true, timeout_ms)) {
      failed.error_ = made.error_;
      return failed;
    }
    if (const int late = pending_error(s)) {
      failed.error_ = error_of(late);
      return failed;
    }
  }
  const int on = 1;  // requests are written whole: no need to wait for more to send
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  return made;
}

long Connection::read_some(char* buffer, std::size_t size) {
  for (;;) {
    if (!is_open()) {
      error_ = NetError::failed;
      return -1;
    }
    if (!wait_ready(false, -1)) return -1;
    const int chunk = static_cast<int>(std::min<std::size_t>(size, 1 << 30));
    const long got = recv(native(handle_), buffer, chunk, 0);
    if (got >= 0) return got;
    const int error = last_socket_error();
    if (would_block(error)) continue;  // woken for nothing
    error_ = error_of(error);
    return -1;
  }
}

bool Connection::write_all(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!is_open()) return false;
    const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 30));
#ifdef MSG_NOSIGNAL
    const long sent = send(native(handle_), bytes.data(), chunk, MSG_NOSIGNAL);
#else
    const long sent = send(native(handle_), bytes.data(), chunk, 0);
#endif
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    const int error = last_socket_error();
    if (sent < 0 && would_block(error)) {
      if (!wait_ready(true, -1)) return false;
      continue;
    }
    error_ = error_of(error);
    return false;
  }
  return true;
}

// --- Listener

Listener::Listener() {
  if (!sockets_ready()) return;
  const Native s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == static_cast<Native>(kNoSocket)) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t size = sizeof address;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 16) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0 || !set_non_blocking(s)) {
    close_native(s);
    return;
  }
  handle_ = static_cast<uintptr_t>(s);
  port_ = ntohs(address.sin_port);
}

Listener::~Listener() {
  if (handle_ != kNoSocket) close_native(native(handle_));
}

bool Listener::is_open() const noexcept { return handle_ != kNoSocket; }

Connection Listener::accept(const std::atomic<bool>* stop, int timeout_ms) {
  Connection waiting(handle_, stop);  // borrows the listening socket for its wait
  const bool ready = is_open() && waiting.wait_ready(false, timeout_ms);
  waiting.handle_ = kNoSocket;        // ... and gives it back
  if (!ready) return Connection();
  const Native s = ::accept(native(handle_), nullptr, nullptr);
  if (s == static_cast<Native>(kNoSocket)) return Connection();
  Connection accepted(static_cast<uintptr_t>(s), stop);
  if (!set_non_blocking(s)) return Connection();
  return accepted;
}

}  // namespace larkwell::enginesim::net
