#include "ServeCommand.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <limits>
#include <thread>

#include <httplib.h>

#include "FilePaths.h"
#include "Gatekeeper.h"
#include "HostText.h"
#include "PageJson.h"

namespace {

using nlohmann::json;

// The page and its scripts, beside the bench's program.
std::string WebFolder() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / "vesselsim-web").string();
}

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

void Route(httplib::Server &server, LiveBench &bench) {
  server.Get("/api/state", Answered([&](const httplib::Request &, httplib::Response &res) { Reply(res, 200, bench.state()); }));
  server.Get("/api/panel.png", Answered([&](const httplib::Request &, httplib::Response &res) {
    std::string png;
    if (!bench.panelPng(png)) return Reply(res, 404, {{"error", "no panel is shown"}});
    res.set_header("Cache-Control", "no-store");
    res.set_content(png, "image/png");
  }));
  // Server-sent events: the state whenever it changes, at most 20 times a
  // second; nothing while nothing changes. Each holds a request thread, so
  // their number is bounded and the rest of the threads answer requests.
  server.Get("/api/stream", Answered([&](const httplib::Request &, httplib::Response &res) {
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
  server.Post("/api/clock", Posted([&](const json &b) { bench.setClock(b); return Ok(); }));
  server.Post("/api/panel", Posted([&](const json &b) {
    bench.showPanel(IntegerField(b, "id", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return Ok();
  }));
  server.Post("/api/mouse", Posted([&](const json &b) {
    const std::string button = b.value("button", "left");
    if (button != "left" && button != "right") throw Refusal{"button must be left or right"};
    const bool taken = bench.mouse(IntegerField(b, "x", -kMaxCoordinate, kMaxCoordinate),
                                   IntegerField(b, "y", -kMaxCoordinate, kMaxCoordinate), button == "right",
                                   b.value("action", "click"));
    return json{{"taken", taken}};
  }));
  server.Post("/api/key", Posted([&](const json &b) { bench.key(b.at("code").get<std::string>()); return Ok(); }));
  server.Post("/api/group", Posted([&](const json &b) {
    bench.groupLevel(b.at("group").get<std::string>(), b.at("level").get<double>());
    return Ok();
  }));
  server.Post("/api/watch", Posted([&](const json &b) {
    bench.addWatch(b.at("ref").get<std::string>());
    return Ok();
  }));
  server.Get("/api/schematic.svg", Answered([&](const httplib::Request &, httplib::Response &res) {
    const std::string svg = bench.schematicSvg();
    if (svg.empty()) return Reply(res, 404, {{"error", "the plant could not be drawn"}});
    res.set_header("Cache-Control", "no-store");
    res.set_content(svg, "image/svg+xml");
  }));
  server.Post("/api/schematic/watch", Posted([&](const json &b) {
    bench.watchElement(b.at("element").get<std::string>());
    return Ok();
  }));
  server.Post("/api/expect", Posted([&](const json &b) {
    bench.expectNow(b.at("ref").get<std::string>());
    return Ok();
  }));
  server.Post("/api/unwatch",
              Posted([&](const json &b) { bench.removeWatch(b.at("ref").get<std::string>()); return Ok(); }));
  server.Post("/api/set", Posted([&](const json &b) {
    const json &value = b.at("value");
    bench.writeVariable(b.at("ref").get<std::string>(), value.is_string() ? value.get<std::string>() : value.dump());
    return Ok();
  }));
  server.Post("/api/save", Posted([&](const json &b) {
    return json{{"saved", bench.saveScenario(b.at("name").get<std::string>())}};
  }));
  server.Get("/api/references", Answered([&](const httplib::Request &req, httplib::Response &res) {
    std::string prefix;
    if (!HostTextFromUtf8(req.get_param_value("prefix"), prefix))
      throw Refusal{"the prefix holds a character the host's files cannot"};
    Reply(res, 200, bench.references(prefix));
  }));
  // The page's chart asks for the whole record thinned to what it shows
  // ("?points=N"), or for the last samples only ("?last=N").
  server.Get("/api/series.csv", Answered([&](const httplib::Request &req, httplib::Response &res) {
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
  server.Get("/api/session.events", Answered([&](const httplib::Request &, httplib::Response &res) {
    res.set_header("Content-Disposition", "attachment; filename=\"session.events\"");
    res.set_content(bench.sessionEvents(), kHostTextType);
  }));
  server.Get("/api/scenario.scn", Answered([&](const httplib::Request &, httplib::Response &res) {
    try {
      res.set_header("Content-Disposition", "attachment; filename=\"saved.scn\"");
      res.set_content(bench.scenarioText(), kHostTextType);
    } catch (const Refusal &r) {
      Reply(res, 500, {{"error", r.reason}});
    }
  }));
}

constexpr time_t kReadTimeoutSeconds = 2;
// Four of them may hold event streams.
constexpr size_t kRequestThreads = 12;

// Only the author's page is served; a request's body is bounded; the port is
// the bench's alone: a second bench on it is an error, not a second
// simulation answering every other request.
void Guard(httplib::Server &server, const Gatekeeper &keeper) {
  server.set_pre_routing_handler([&keeper](const httplib::Request &req, httplib::Response &res) {
    int status = 0;
    std::string reason;
    if (keeper.admits(req, status, reason)) return httplib::Server::HandlerResponse::Unhandled;
    Reply(res, status, {{"error", reason}});
    return httplib::Server::HandlerResponse::Handled;
  });
  server.set_payload_max_length(kMaxBody);
  // A connection that goes quiet while a request is read is dropped, so it
  // does not hold one of the request threads.
  server.set_read_timeout(kReadTimeoutSeconds, 0);
  server.set_keep_alive_timeout(kReadTimeoutSeconds);
  // No other page may show the bench inside its own.
  server.set_default_headers({{"X-Frame-Options", "DENY"}, {"Content-Security-Policy", "frame-ancestors 'none'"}});
  server.new_task_queue = [] { return new httplib::ThreadPool(kRequestThreads); };
  server.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
}

// Whether something already answers at the loopback address of the other
// family on `port` (another bench on [::1] when this one binds 127.0.0.1, or
// the other way round): a browser that resolves "localhost" to it would
// reach that one, not this.
bool OtherLoopbackTaken(const std::string &bind, int port) {
  const bool v4 = bind == "127.0.0.1" || bind == "localhost";
  if (!v4 && bind != "::1") return false;
  const int family = v4 ? AF_INET6 : AF_INET;
  const int probe = socket(family, SOCK_STREAM, 0);
  if (probe < 0) return false;
  sockaddr_storage address = {};
  socklen_t length = 0;
  if (family == AF_INET6) {
    auto *ipv6 = reinterpret_cast<sockaddr_in6 *>(&address);
    ipv6->sin6_family = AF_INET6;
    ipv6->sin6_port = htons(static_cast<uint16_t>(port));
    ipv6->sin6_addr = in6addr_loopback;
    length = sizeof *ipv6;
  } else {
    auto *ipv4 = reinterpret_cast<sockaddr_in *>(&address);
    ipv4->sin_family = AF_INET;
    ipv4->sin_port = htons(static_cast<uint16_t>(port));
    ipv4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    length = sizeof *ipv4;
  }
  const bool answered = connect(probe, reinterpret_cast<const sockaddr *>(&address), length) == 0;
  close(probe);
  return answered;
}

// The port bound: the one asked for, or the one the system chose for 0;
// 0 when the bench cannot listen there.
int Bind(httplib::Server &server, const ServeOptions &options) {
  if (options.port == 0) return std::max(server.bind_to_any_port(options.bind.c_str()), 0);
  if (OtherLoopbackTaken(options.bind, options.port)) return 0;
  return server.bind_to_port(options.bind.c_str(), options.port) ? options.port : 0;
}

// Who else can reach a bench bound to an address that is not a loopback one.
void WarnWhoReaches(const std::string &bind) {
  if (IsLoopback(bind)) return;
  std::string where = bind;
  if (IsWildcard(bind)) {
    where.clear();
    for (const std::string &address : MachineAddresses()) where += (where.empty() ? "" : ", ") + address;
    where = bind + " is every address of this machine (" + (where.empty() ? "none but loopback found" : where) + ")";
  } else {
    where += " is not a loopback address";
  }
  std::cerr << "vesselsim: warning: " << where
            << ": other machines that reach it can reach the bench; the token is all that keeps them from driving it\n";
}

// Ctrl-C and a polite kill stop the server from a thread of their own: the
// signals are blocked everywhere else, so no handler runs inside a request.
// The bench stops first, so the pages' event streams end and the server's
// threads can be joined.
std::thread StopOnSignal(httplib::Server &server, LiveBench &bench, sigset_t signals) {
  return std::thread([&server, &bench, signals] {
    int received = 0;
    sigwait(&signals, &received);
    bench.stop();
    server.stop();
  });
}

}  // namespace

int ServeScenario(const ServeOptions &options) {
  if (!(options.dt > 0.0)) {
    std::cerr << "vesselsim: --dt must be positive\n";
    return 2;
  }
  const std::string web = WebFolder();
  const std::string scenario = AbsolutePath(options.scenario, std::filesystem::current_path().string());
  std::error_code entered;
  std::filesystem::current_path(options.root, entered);
  if (entered) {
    std::cerr << "vesselsim: cannot enter root folder " << options.root << '\n';
    return 2;
  }
  // A page that goes away mid-reply is no reason to stop.
  signal(SIGPIPE, SIG_IGN);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  try {
    LiveBench bench(options, scenario);
    httplib::Server server;
    if (!server.set_mount_point("/", web)) {
      std::cerr << "vesselsim: the page's files are not at " << web << '\n';
      return 2;
    }
    const Gatekeeper keeper(options.bind);
    Guard(server, keeper);
    Route(server, bench);
    const int port = Bind(server, options);
    if (port == 0) {
      std::cerr << "vesselsim: cannot listen on " << options.bind << ":" << options.port << '\n';
      return 2;
    }
    bench.start();
    std::thread stopper = StopOnSignal(server, bench, signals);
    const std::string host = options.bind.find(':') != std::string::npos ? "[" + options.bind + "]" : options.bind;
    std::cout << "vesselsim: serving http://" << host << ":" << port << "/?token=" << keeper.token() << std::endl;
    WarnWhoReaches(options.bind);
    const bool listened = server.listen_after_bind();
    // A server that stopped on its own still has its stopper waiting.
    if (!bench.stopped()) pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return listened ? 0 : 2;
  } catch (const Refusal &r) {
    std::cerr << "vesselsim: " << r.reason << '\n';
    return 2;
  }
}
