#include "ServeCommand.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <thread>

#include <httplib.h>

#include "BenchApi.h"
#include "BoundedServer.h"
#include "FilePaths.h"
#include "Gatekeeper.h"

namespace {

// The page and its scripts, beside the bench's program.
std::string WebFolder() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / "vesselsim-web").string();
}

// Four of them may hold event streams; connections that send a request slowly
// hold one each, for a few seconds at most, and leave the rest answering.
constexpr size_t kRequestThreads = 64;

// A request's body is bounded; the port is the bench's alone: a second bench
// on it is an error, not a second simulation answering every other request.
void Guard(httplib::Server &server) {
  server.set_payload_max_length(kMaxBody);
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
    BoundedServer server;
    if (!server.set_mount_point("/", web)) {
      std::cerr << "vesselsim: the page's files are not at " << web << '\n';
      return 2;
    }
    const Gatekeeper keeper(options.bind);
    Guard(server);
    const BenchApi api(bench, keeper);
    api.serve(server);
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
