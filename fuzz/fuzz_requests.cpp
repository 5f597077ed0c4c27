// Requests to the live bench's interface through its real gatekeeper and
// routes, without a socket: a method, one of the routes (or a path of the
// input's own), and a body or a query, answered by a bench flying the
// reference vessel on its clock's thread. An answer of 500 is a finding: the
// bench failed inside instead of refusing what it was sent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchApi.h"
#include "FuzzRoot.h"

namespace {

struct FlyingBench {
  FlyingBench() {
    EnterScratchRoot();
    std::filesystem::copy(EXAMPLES_DIR "/kestrel", ".", std::filesystem::copy_options::recursive |
                                                           std::filesystem::copy_options::overwrite_existing);
    ServeOptions options;
    options.scenario = "Scenarios/Kestrel.scn";
    options.watches = {"HYDRAULIC:CABIN:PRESS"};
    bench = std::make_unique<LiveBench>(options, std::filesystem::absolute(options.scenario).string());
    bench->start();
    api = std::make_unique<BenchApi>(*bench, keeper);
    paths = api->paths();
  }
  Gatekeeper keeper{"127.0.0.1"};
  std::unique_ptr<LiveBench> bench;
  std::unique_ptr<BenchApi> api;
  std::vector<std::string> paths;  // "METHOD PATH"
};

// "a=1&b=2" into the request's parameters, as the server reads a query.
void ReadQuery(const std::string &query, httplib::Request &req) {
  size_t at = 0;
  while (at <= query.size()) {
    const size_t end = std::min(query.find('&', at), query.size());
    const std::string pair = query.substr(at, end - at);
    const size_t equals = pair.find('=');
    req.params.emplace(pair.substr(0, equals), equals == std::string::npos ? "" : pair.substr(equals + 1));
    at = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static FlyingBench flying;
  if (size < 2) return 0;
  const uint8_t choice = data[0];
  std::string rest(reinterpret_cast<const char *>(data) + 2, size - 2);
  httplib::Request req;
  const size_t route = data[1] % (flying.paths.size() + 1);
  if (route < flying.paths.size()) {
    const std::string &line = flying.paths[route];
    req.method = line.substr(0, line.find(' '));
    req.path = line.substr(line.find(' ') + 1);
  } else {
    // A path of the input's own: up to its first line end.
    req.method = (choice & 1) != 0 ? "POST" : "GET";
    req.path = rest.substr(0, rest.find('\n'));
    rest.erase(0, std::min(rest.size(), req.path.size() + 1));
  }
  req.headers.emplace("Host", "127.0.0.1");
  if ((choice & 2) == 0) req.headers.emplace("Authorization", "token " + flying.keeper.token());
  if (req.method == "POST") {
    if ((choice & 4) == 0) req.headers.emplace("Content-Type", "application/json");
    if ((choice & 8) == 0) req.headers.emplace("Content-Length", std::to_string(rest.size()));
    req.body = rest;
  } else {
    ReadQuery(rest, req);
  }
  httplib::Response res;
  flying.api->answer(req, res);
  if (res.status >= 500 && res.status != 503) std::abort();
  return 0;
}
