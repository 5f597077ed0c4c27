// Who may drive the live bench: only the page its author opened. Any page the
// author visits could otherwise send requests to a loopback port, and a name
// that resolves to the loopback address could read what the bench answers.
#pragma once

#include <string>
#include <vector>

#include <httplib.h>

// The most a request's body may hold.
constexpr size_t kMaxBody = 1 << 20;

class Gatekeeper {
 public:
  // A fresh random token for the bench bound at `bind`.
  explicit Gatekeeper(const std::string &bind);

  // The token a request to the bench's interface carries, as "?token=" or
  // the header "Authorization: token ...".
  const std::string &token() const { return secret; }

  // Whether `req` may be served; otherwise the status and the reason to
  // refuse it with. Every request must name the bench by a loopback name or
  // the bound address (any of the machine's own when it is bound to all); requests to the interface must carry the token; a
  // POST must say its body is JSON and its length, at most kMaxBody, and
  // send it neither chunked nor compressed. A path with a NUL is refused.
  bool admits(const httplib::Request &req, int &status, std::string &reason) const;

 private:
  bool knownHost(const std::string &host) const;
  bool carriesToken(const httplib::Request &req) const;

  std::string bound;
  std::string secret;
  // The machine's own addresses, when the bench listens on all of them.
  std::vector<std::string> ownAddresses;
};

// Whether the bench listens only where no other machine reaches it.
bool IsLoopback(const std::string &address);
// Whether `address` means every address of the machine ("0.0.0.0", "::").
bool IsWildcard(const std::string &address);
// The machine's own addresses, loopback ones left out.
std::vector<std::string> MachineAddresses();
