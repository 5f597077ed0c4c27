// The HTTP server of the live bench, with a deadline on reading each request.
// The library's own server times out each read of a connection, so a client
// that sends a header line now and then holds a request thread as long as it
// likes; enough of them and no page is answered. Here a request, its line,
// headers and body, must arrive whole within a deadline, and a connection
// waiting for its next request is let go when it stays quiet.
#pragma once

#include <httplib.h>

class BoundedServer : public httplib::Server {
 public:
  // Seconds a request may take to arrive, from its first byte to its last.
  static constexpr int kRequestSeconds = 5;
  // Seconds a kept-alive connection may wait quietly for its next request.
  static constexpr int kIdleSeconds = 5;

 private:
  bool process_and_close_socket(socket_t sock) override;
};
