#include "Gatekeeper.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

std::string RandomToken() {
  std::random_device device;
  std::string token;
  char hex[9];
  for (int i = 0; i < 4; ++i) {
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(device()));
    token += hex;
  }
  return token;
}

// The host part of a Host header: "127.0.0.1:8080" and "[::1]:8080" alike.
std::string HostPart(const std::string &header) {
  if (!header.empty() && header[0] == '[') return header.substr(1, header.find(']') - 1);
  return header.substr(0, header.find(':'));
}

// Compared in a time that does not depend on where they differ.
bool SameSecret(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  unsigned char differ = 0;
  for (size_t i = 0; i < a.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

}  // namespace

Gatekeeper::Gatekeeper(const std::string &bind)
    : bound(bind),
      secret(RandomToken()),
      ownAddresses(IsWildcard(bind) ? MachineAddresses() : std::vector<std::string>()) {}

bool IsWildcard(const std::string &address) { return address == "0.0.0.0" || address == "::"; }

std::vector<std::string> MachineAddresses() {
  std::vector<std::string> addresses;
  ifaddrs *interfaces = nullptr;
  if (getifaddrs(&interfaces) != 0) return addresses;
  for (const ifaddrs *i = interfaces; i != nullptr; i = i->ifa_next) {
    if (i->ifa_addr == nullptr || (i->ifa_addr->sa_family != AF_INET && i->ifa_addr->sa_family != AF_INET6)) continue;
    char text[INET6_ADDRSTRLEN] = "";
    const void *address =
        i->ifa_addr->sa_family == AF_INET
            ? static_cast<const void *>(&reinterpret_cast<const sockaddr_in *>(i->ifa_addr)->sin_addr)
            : static_cast<const void *>(&reinterpret_cast<const sockaddr_in6 *>(i->ifa_addr)->sin6_addr);
    if (inet_ntop(i->ifa_addr->sa_family, address, text, sizeof text) != nullptr && !IsLoopback(text))
      addresses.push_back(text);
  }
  freeifaddrs(interfaces);
  return addresses;
}

bool IsLoopback(const std::string &address) {
  return address == "localhost" || address == "::1" || address.rfind("127.", 0) == 0;
}

bool Gatekeeper::knownHost(const std::string &host) const {
  return host == "localhost" || host == "127.0.0.1" || host == "::1" || host == bound ||
         std::find(ownAddresses.begin(), ownAddresses.end(), host) != ownAddresses.end();
}

bool Gatekeeper::carriesToken(const httplib::Request &req) const {
  if (req.has_param("token")) return SameSecret(req.get_param_value("token"), secret);
  const std::string authorization = req.get_header_value("Authorization");
  const std::string scheme = "token ";
  return authorization.rfind(scheme, 0) == 0 && SameSecret(authorization.substr(scheme.size()), secret);
}

// JSON, said exactly: "application/json", with a parameter or none.
bool SaysJson(const std::string &contentType) {
  std::string type = contentType.substr(0, contentType.find(';'));
  type.erase(type.find_last_not_of(" \t") + 1);
  type.erase(0, type.find_first_not_of(" \t"));
  return strcasecmp(type.c_str(), "application/json") == 0;
}

// A body the bench reads is said in full and ahead: its length given, at most
// `limit`, neither in chunks nor compressed, so what is read is what was
// counted. A refusal comes before any of the body is read.
bool BoundedBody(const httplib::Request &req, size_t limit, int &status, std::string &reason) {
  const std::string encoding = req.get_header_value("Content-Encoding");
  if (req.has_header("Transfer-Encoding")) {
    status = 411;
    reason = "a request's body must be sent whole, with its Content-Length";
  } else if (!encoding.empty() && encoding != "identity") {
    status = 415;
    reason = "a request's body must not be compressed";
  } else if (!req.has_header("Content-Length")) {
    status = 411;
    reason = "a request's body must come with its Content-Length";
  } else {
    const std::string length = req.get_header_value("Content-Length");
    const bool counted =
        !length.empty() && length.size() <= 9 && length.find_first_not_of("0123456789") == std::string::npos;
    if (counted && std::stoul(length) <= limit) return true;
    status = 413;
    reason = "a request's body may be " + std::to_string(limit) + " bytes at most";
  }
  return false;
}

bool Gatekeeper::admits(const httplib::Request &req, int &status, std::string &reason) const {
  status = 400;
  if (req.path.find('\0') != std::string::npos) {
    reason = "a path may not hold a NUL";
    return false;
  }
  status = 403;
  if (!knownHost(HostPart(req.get_header_value("Host")))) {
    reason = "the bench answers only to its own address";
    return false;
  }
  if (req.path.rfind("/api/", 0) != 0) return true;
  if (!carriesToken(req)) {
    reason = "the bench's token is missing or wrong: open the address vesselsim serve printed";
    return false;
  }
  if (req.method != "POST") return true;
  if (!SaysJson(req.get_header_value("Content-Type"))) {
    status = 415;
    reason = "a request's body must be sent as application/json";
    return false;
  }
  return BoundedBody(req, kMaxBody, status, reason);
}
