// A plain HTTP GET over a socket, bounded as a whole: one deadline for
// everything from the first byte sent to the last one read, a limit on the
// reply's head and a hard stop on its body. The socket is closed the moment
// a bound is reached, so a server that sends without end, or never ends its
// headers, costs neither memory nor time beyond the bounds.
#pragma once

#include <windows.h>

#include <string>

struct CHttpAddress {
  std::string host;
  unsigned short port = 80;
  // Path and query, "/" at least.
  std::string pathAndQuery;
};

// The parts of an "http://host[:port][/path][?query]" address; false for
// any other scheme or a missing host.
bool SplitHttpAddress(const std::string& url, CHttpAddress* address);

struct CHttpGetRequest {
  std::string url;
  std::string agent;
  // "host:port" of the proxy to go through; empty to go straight to the host.
  std::string proxy;
  DWORD timeoutMs = 15000;
  size_t longestHead = 64 * 1024;
  size_t longestBody = 1024 * 1024;
};

struct CHttpReply {
  int status = 0;
  // At most longestBody bytes: what came before the body was cut.
  std::string body;
};

// False when no whole reply head came within the bounds (no connection, a
// broken or endless head, the deadline, cancel set), and when the deadline
// or cancel ends the body. A body cut at its limit is a reply.
bool HttpGet(const CHttpGetRequest& request, CHttpReply* reply, HANDLE cancel = nullptr);

// The reply's head, up to and without its blank line: its status; 0 when the
// status line is not HTTP's.
int StatusOfHead(const std::string& head);
// The value of a header of the head, "" when absent (names compare case-blind).
std::string HeaderOfHead(const std::string& head, const std::string& name);
