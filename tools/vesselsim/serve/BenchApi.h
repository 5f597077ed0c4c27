// The live bench's HTTP interface: every route of the page's API, answered
// alike whether the server received the request or a test made it. Each
// request passes the gatekeeper first; no handler lets an exception out.
#pragma once

#include <string>
#include <vector>

#include <httplib.h>

#include "Gatekeeper.h"
#include "LiveBench.h"

class BenchApi {
 public:
  BenchApi(LiveBench &bench, const Gatekeeper &gatekeeper);

  // The answer to `req` (its path decoded, its parameters and headers read,
  // its body whole): the gatekeeper's refusal, a route's answer, or 404.
  void answer(const httplib::Request &req, httplib::Response &res) const;
  // Makes `server` answer through these routes, after the gatekeeper.
  void serve(httplib::Server &server) const;
  // "METHOD PATH" of every route.
  std::vector<std::string> paths() const;

 private:
  struct Route {
    std::string method;
    std::string path;
    httplib::Server::Handler handler;
  };
  // Whether the gatekeeper refuses `req`; `res` is then the refusal.
  bool refused(const httplib::Request &req, httplib::Response &res) const;

  const Gatekeeper &keeper;
  std::vector<Route> routes;
};
