#include "BoundedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWriteSeconds = 5;

// Waits until `sock` is ready for `events` or `deadline` passes.
bool Ready(socket_t sock, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd waited{sock, events, 0};
    const int ready = poll(&waited, 1, static_cast<int>(left));
    if (ready > 0) return (waited.revents & (events | POLLHUP | POLLERR)) != 0;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
}

void Address(const sockaddr_storage &address, std::string &ip, int &port) {
  char text[INET6_ADDRSTRLEN] = "";
  if (address.ss_family == AF_INET6) {
    const auto &ipv6 = reinterpret_cast<const sockaddr_in6 &>(address);
    inet_ntop(AF_INET6, &ipv6.sin6_addr, text, sizeof text);
    port = ntohs(ipv6.sin6_port);
  } else {
    const auto &ipv4 = reinterpret_cast<const sockaddr_in &>(address);
    inet_ntop(AF_INET, &ipv4.sin_addr, text, sizeof text);
    port = ntohs(ipv4.sin_port);
  }
  ip = text;
}

// A connection whose reads end at the deadline of the request being read,
// and whose writes each wait a while at most.
class DeadlineStream : public httplib::Stream {
 public:
  explicit DeadlineStream(socket_t connection) : sock(connection) {}

  // Waits up to `seconds` for a request to begin, then gives it
  // kRequestSeconds to arrive whole; false when none began.
  bool nextRequest(int seconds) {
    if (!Ready(sock, POLLIN, Clock::now() + std::chrono::seconds(seconds))) return false;
    readDeadline = Clock::now() + std::chrono::seconds(BoundedServer::kRequestSeconds);
    return true;
  }

  bool is_readable() const override { return Ready(sock, POLLIN, readDeadline); }
  bool is_writable() const override {
    return Ready(sock, POLLOUT, Clock::now() + std::chrono::seconds(kWriteSeconds));
  }
  ssize_t read(char *ptr, size_t size) override {
    if (!is_readable()) {
      lapsed = lapsed || Clock::now() >= readDeadline;
      return -1;
    }
    return recv(sock, ptr, size, 0);
  }
  // Whether a request took longer than its deadline to arrive.
  bool Lapsed() const { return lapsed; }
  ssize_t write(const char *ptr, size_t size) override {
    if (!is_writable()) return -1;
    return send(sock, ptr, size, MSG_NOSIGNAL);
  }
  void get_remote_ip_and_port(std::string &ip, int &port) const override {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getpeername(sock, reinterpret_cast<sockaddr *>(&address), &length) == 0) Address(address, ip, port);
  }
  void get_local_ip_and_port(std::string &ip, int &port) const override {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(sock, reinterpret_cast<sockaddr *>(&address), &length) == 0) Address(address, ip, port);
  }
  socket_t socket() const override { return sock; }

 private:
  socket_t sock;
  Clock::time_point readDeadline = Clock::now();
  bool lapsed = false;
};

}  // namespace

// Requests one after another on the connection, as the library serves them,
// each read within its deadline; the connection ends when one fails or comes
// too slowly, when it says so, when it stays quiet, after the library's count
// of requests, or when the server stops.
bool BoundedServer::process_and_close_socket(socket_t sock) {
  DeadlineStream stream(sock);
  bool served = true;
  for (size_t count = 1; served && count <= keep_alive_max_count_ && svr_sock_ != INVALID_SOCKET; ++count) {
    if (!stream.nextRequest(count == 1 ? kRequestSeconds : kIdleSeconds)) break;
    bool closed = false;
    served = process_request(stream, count == keep_alive_max_count_, closed, nullptr) && !closed;
    // A request that did not arrive in time was refused; its sender gets no
    // other turn on this connection.
    served = served && !stream.Lapsed();
  }
  shutdown(sock, SHUT_RDWR);
  close(sock);
  return true;
}
