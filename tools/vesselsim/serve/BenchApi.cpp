#include "BenchApi.h"

#include <functional>
#include <limits>
#include <thread>

#include "HostText.h"
#include "PageJson.h"

namespace {

using nlohmann::json;

void Reply(httplib::Response &res, int status, const json &body) {
  res.status = status;
  res.set_content(ForPage(body), "application/json");
}

// No exception leaves a handler: the server's threads must not end, and the
// page gets an answer whatever went wrong.
httplib::Server::Handler Answered(httplib::Server::Handler handler) {
  return [handler](const httplib::Request &req, httplib::Response &res) {
    try {
      handler(req, res);
    } catch (const Refusal &r) {
      Reply(res, 400, {{"error", r.reason}});
    } catch (const std::exception &e) {
      Reply(res, 500, {{"error", std::string("the bench failed: ") + e.what()}});
    } catch (...) {
      Reply(res, 500, {{"error", "the bench failed"}});
    }
  };
}

// Every request body is a JSON object; anything wrong with it, or anything
// the bench refuses, is a 400 with the reason and changes nothing.
using Action = std::function<json(const json &)>;
httplib::Server::Handler Posted(Action action) {
  return Answered([action](const httplib::Request &req, httplib::Response &res) {
    const json body = RequestBody(req.body);
    try {
      Reply(res, 200, action(body));
    } catch (const json::exception &e) {
      Reply(res, 400, {{"error", std::string("bad body: ") + e.what()}});
    }
  });
}

// Files the host reads, as they are: its 8-bit text.
constexpr char kHostTextType[] = "text/plain; charset=windows-1252";

json Ok() { return {{"ok", true}}; }

// Further from a panel's corner than any panel reaches.
constexpr int kMaxCoordinate = 1 << 15;

using AddRoute = std::function<void(const char *, const char *, httplib::Server::Handler)>;

void AddRoutes(const AddRoute &add, LiveBench &bench) {
  add("GET", "/api/state",
      Answered([&](const httplib::Request &, httplib::Response &res) { Reply(res, 200, bench.state()); }));
  add("GET", "/api/panel.png", Answered([&](const httplib::Request &, httplib::Response &res) {
    std::string png;
    if (!bench.panelPng(png)) return Reply(res, 404, {{"error", "no panel is shown"}});
    res.set_header("Cache-Control", "no-store");
    res.set_content(png, "image/png");
  }));
  // Server-sent events: the state whenever it changes, at most 20 times a
  // second; nothing while nothing changes. Each holds a request thread, so
  // their number is bounded and the rest of the threads answer requests.
  add("GET", "/api/stream", Answered([&](const httplib::Request &, httplib::Response &res) {
    if (!bench.openStream())
      return Reply(res, 503, {{"error", "as many pages are open as the bench serves: close one and reload"}});
    res.set_header("Cache-Control", "no-store");
    auto seen = std::make_shared<uint64_t>(0);
    // A stream that fails ends; nothing is thrown into the server's thread.
    res.set_chunked_content_provider("text/event-stream", [&bench, seen](size_t, httplib::DataSink &sink) {
      try {
        const uint64_t now = bench.waitForChange(*seen, 1000);
        if (bench.stopped()) return false;
        if (now == *seen) return sink.is_writable();  // keeps the connection
        *seen = now;
        const std::string event = "data: " + ForPage(bench.state()) + "\n\n";
        if (!sink.write(event.data(), event.size())) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return true;
      } catch (...) {
        return false;
      }
    }, [&bench](bool) { bench.closeStream(); });
  }));
  add("POST", "/api/clock", Posted([&](const json &b) { bench.setClock(b); return Ok(); }));
  add("POST", "/api/panel", Posted([&](const json &b) {
    bench.showPanel(IntegerField(b, "id", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return Ok();
  }));
  add("POST", "/api/mouse", Posted([&](const json &b) {
    const std::string button = b.value("button", "left");
    if (button != "left" && button != "right") throw Refusal{"button must be left or right"};
    const bool taken = bench.mouse(IntegerField(b, "x", -kMaxCoordinate, kMaxCoordinate),
                                   IntegerField(b, "y", -kMaxCoordinate, kMaxCoordinate), button == "right",
                                   b.value("action", "click"));
    return json{{"taken", taken}};
  }));
  add("POST", "/api/key", Posted([&](const json &b) { bench.key(b.at("code").get<std::string>()); return Ok(); }));
  add("POST", "/api/group", Posted([&](const json &b) {
    bench.groupLevel(b.at("group").get<std::string>(), b.at("level").get<double>());
    return Ok();
  }));
  add("POST", "/api/watch", Posted([&](const json &b) {
    bench.addWatch(b.at("ref").get<std::string>());
    return Ok();
  }));
  add("GET", "/api/schematic.svg", Answered([&](const httplib::Request &, httplib::Response &res) {
    const std::string svg = bench.schematicSvg();
    if (svg.empty()) return Reply(res, 404, {{"error", "the plant could not be drawn"}});
    res.set_header("Cache-Control", "no-store");
    res.set_content(svg, "image/svg+xml");
  }));
  add("POST", "/api/schematic/watch", Posted([&](const json &b) {
    bench.watchElement(b.at("element").get<std::string>());
    return Ok();
  }));
  add("POST", "/api/expect", Posted([&](const json &b) {
    bench.expectNow(b.at("ref").get<std::string>());
    return Ok();
  }));
  add("POST", "/api/unwatch",
              Posted([&](const json &b) { bench.removeWatch(b.at("ref").get<std::string>()); return Ok(); }));
  add("POST", "/api/set", Posted([&](const json &b) {
    const json &value = b.at("value");
    bench.writeVariable(b.at("ref").get<std::string>(), value.is_string() ? value.get<std::string>() : value.dump());
    return Ok();
  }));
  add("POST", "/api/save", Posted([&](const json &b) {
    return json{{"saved", bench.saveScenario(b.at("name").get<std::string>())}};
  }));
  add("GET", "/api/references", Answered([&](const httplib::Request &req, httplib::Response &res) {
    std::string prefix;
    if (!HostTextFromUtf8(req.get_param_value("prefix"), prefix))
      throw Refusal{"the prefix holds a character the host's files cannot"};
    Reply(res, 200, bench.references(prefix));
  }));
  // The page's chart asks for the whole record thinned to what it shows
  // ("?points=N"), or for the last samples only ("?last=N").
  add("GET", "/api/series.csv", Answered([&](const httplib::Request &req, httplib::Response &res) {
    size_t counts[2] = {0, 0};
    const char *names[2] = {"last", "points"};
    for (int i = 0; i < 2; ++i) {
      const std::string count = req.get_param_value(names[i]);
      if (count.find_first_not_of("0123456789") != std::string::npos || count.size() > 9)
        return Reply(res, 400, {{"error", std::string(names[i]) + " must be a count of samples"}});
      counts[i] = count.empty() ? 0 : std::stoul(count);
    }
    res.set_header("Content-Disposition", "attachment; filename=\"series.csv\"");
    res.set_content(bench.seriesCsv(counts[0], counts[1]), "text/csv; charset=windows-1252");
  }));
  add("GET", "/api/session.events", Answered([&](const httplib::Request &, httplib::Response &res) {
    res.set_header("Content-Disposition", "attachment; filename=\"session.events\"");
    res.set_content(bench.sessionEvents(), kHostTextType);
  }));
  add("GET", "/api/scenario.scn", Answered([&](const httplib::Request &, httplib::Response &res) {
    try {
      res.set_header("Content-Disposition", "attachment; filename=\"saved.scn\"");
      res.set_content(bench.scenarioText(), kHostTextType);
    } catch (const Refusal &r) {
      Reply(res, 500, {{"error", r.reason}});
    }
  }));
}

}  // namespace

BenchApi::BenchApi(LiveBench &bench, const Gatekeeper &gatekeeper) : keeper(gatekeeper) {
  AddRoutes([this](const char *method, const char *path, httplib::Server::Handler handler) {
    routes.push_back({method, path, std::move(handler)});
  }, bench);
}

bool BenchApi::refused(const httplib::Request &req, httplib::Response &res) const {
  int status = 0;
  std::string reason;
  if (keeper.admits(req, status, reason)) return false;
  Reply(res, status, {{"error", reason}});
  return true;
}

void BenchApi::answer(const httplib::Request &req, httplib::Response &res) const {
  if (refused(req, res)) return;
  for (const Route &route : routes) {
    if (route.method == req.method && route.path == req.path) return route.handler(req, res);
  }
  Reply(res, 404, {{"error", "the bench has no " + req.method + " " + req.path}});
}

void BenchApi::serve(httplib::Server &server) const {
  server.set_pre_routing_handler([this](const httplib::Request &req, httplib::Response &res) {
    return refused(req, res) ? httplib::Server::HandlerResponse::Handled : httplib::Server::HandlerResponse::Unhandled;
  });
  for (const Route &route : routes) {
    // The server matches a path as a pattern: its dots stand for themselves.
    std::string pattern;
    for (const char c : route.path) pattern += c == '.' ? std::string("\\.") : std::string(1, c);
    if (route.method == "GET") server.Get(pattern, route.handler);
    else server.Post(pattern, route.handler);
  }
}

std::vector<std::string> BenchApi::paths() const {
  std::vector<std::string> all;
  for (const Route &route : routes) all.push_back(route.method + " " + route.path);
  return all;
}
