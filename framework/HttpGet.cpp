#include <winsock2.h>
#include <ws2tcpip.h>

#include "framework/HttpGet.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "framework/ChunkedBody.h"

namespace {

// How often a wait looks at the cancel event and the clock.
constexpr DWORD kWaitSliceMs = 100;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return static_cast<char>(tolower(ch)); });
  return text;
}

class CWinsock {
 public:
  CWinsock() {
    WSADATA data;
    m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~CWinsock() {
    if (m_started) WSACleanup();
  }
  CWinsock(const CWinsock&) = delete;
  CWinsock& operator=(const CWinsock&) = delete;
  bool IsStarted() const { return m_started; }

 private:
  bool m_started = false;
};

class CSocket {
 public:
  CSocket() = default;
  ~CSocket() { Close(); }
  CSocket(const CSocket&) = delete;
  CSocket& operator=(const CSocket&) = delete;
  SOCKET Get() const { return m_socket; }
  SOCKET Release() {
    const SOCKET socket = m_socket;
    m_socket = INVALID_SOCKET;
    return socket;
  }
  void Reset(SOCKET socket) {
    Close();
    m_socket = socket;
  }

 private:
  void Close() {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    m_socket = INVALID_SOCKET;
  }
  SOCKET m_socket = INVALID_SOCKET;
};

class CAddressList {
 public:
  CAddressList(const std::string& host, unsigned short port) {
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &m_first) != 0) m_first = nullptr;
  }
  ~CAddressList() {
    if (m_first) freeaddrinfo(m_first);
  }
  CAddressList(const CAddressList&) = delete;
  CAddressList& operator=(const CAddressList&) = delete;
  const addrinfo* First() const { return m_first; }

 private:
  addrinfo* m_first = nullptr;
};

// The one time limit of a whole fetch, and the event that ends it early.
class CDeadline {
 public:
  CDeadline(DWORD timeoutMs, HANDLE cancel) : m_start(GetTickCount()), m_timeoutMs(timeoutMs), m_cancel(cancel) {}

  // Waits until the socket can be read (or written); false at the deadline,
  // when cancelled, or when the socket failed.
  bool WaitUntilReady(SOCKET socket, bool forWriting) const {
    for (;;) {
      if (m_cancel && WaitForSingleObject(m_cancel, 0) == WAIT_OBJECT_0) return false;
      const DWORD elapsed = GetTickCount() - m_start;
      if (elapsed >= m_timeoutMs) return false;
      const DWORD slice = std::min(m_timeoutMs - elapsed, kWaitSliceMs);
      fd_set ready;
      fd_set failed;
      FD_ZERO(&ready);
      FD_ZERO(&failed);
      FD_SET(socket, &ready);
      FD_SET(socket, &failed);
      timeval wait = {static_cast<long>(slice / 1000), static_cast<long>(slice % 1000 * 1000)};
      const int count = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &wait);
      if (count == SOCKET_ERROR || FD_ISSET(socket, &failed)) return false;
      if (count > 0) return true;
    }
  }

 private:
  DWORD m_start;
  DWORD m_timeoutMs;
  HANDLE m_cancel;
};

// A socket connected to host:port without blocking past the deadline;
// INVALID_SOCKET when none could be.
SOCKET Connect(const std::string& host, unsigned short port, const CDeadline& deadline) {
  CAddressList addresses(host, port);
  for (const addrinfo* address = addresses.First(); address; address = address->ai_next) {
    CSocket socket;
    socket.Reset(::socket(address->ai_family, address->ai_socktype, address->ai_protocol));
    if (socket.Get() == INVALID_SOCKET) continue;
    u_long nonBlocking = 1;
    if (ioctlsocket(socket.Get(), FIONBIO, &nonBlocking) != 0) continue;
    if (connect(socket.Get(), address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
      continue;
    }
    if (!deadline.WaitUntilReady(socket.Get(), true)) return INVALID_SOCKET;
    int error = 0;
    int length = sizeof error;
    if (getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0 || error) {
      continue;
    }
    return socket.Release();
  }
  return INVALID_SOCKET;
}

bool SendAll(SOCKET socket, const std::string& bytes, const CDeadline& deadline) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const int done = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (done > 0) {
      sent += static_cast<size_t>(done);
    } else if (WSAGetLastError() != WSAEWOULDBLOCK || !deadline.WaitUntilReady(socket, true)) {
      return false;
    }
  }
  return true;
}

// Reads what has come, at most size bytes: their count, 0 when the server
// closed the connection, -1 on an error, the deadline or cancel.
int Receive(SOCKET socket, char* buffer, int size, const CDeadline& deadline) {
  for (;;) {
    const int got = recv(socket, buffer, size, 0);
    if (got >= 0) return got;
    if (WSAGetLastError() != WSAEWOULDBLOCK || !deadline.WaitUntilReady(socket, false)) return -1;
  }
}

std::string RequestText(const CHttpGetRequest& request, const CHttpAddress& address) {
  const std::string host = address.port == 80 ? address.host : address.host + ":" + std::to_string(address.port);
  // A proxy is given the whole address, a server only its path.
  const std::string target = request.proxy.empty() ? address.pathAndQuery : "http://" + host + address.pathAndQuery;
  // Always fresh from the server, never from a cache on the way.
  return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nUser-Agent: " + request.agent +
         "\r\nAccept: */*\r\nPragma: no-cache\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
}

// Where the head's blank line ends; npos while it has not come.
size_t EndOfHead(const std::string& bytes) {
  const size_t crlf = bytes.find("\r\n\r\n");
  const size_t lf = bytes.find("\n\n");
  if (crlf != std::string::npos && (lf == std::string::npos || crlf < lf)) return crlf + 4;
  return lf == std::string::npos ? std::string::npos : lf + 2;
}

// What the reply's head says about where its body ends.
struct CBodyFraming {
  bool chunked = false;
  bool hasLength = false;
  unsigned long long length = 0;
};

CBodyFraming FramingOf(const std::string& head, int status) {
  CBodyFraming framing;
  if (status == 204 || status == 304) {
    framing.hasLength = true;
    return framing;
  }
  framing.chunked = Lower(HeaderOfHead(head, "Transfer-Encoding")).find("chunked") != std::string::npos;
  const std::string length = HeaderOfHead(head, "Content-Length");
  if (!framing.chunked && !length.empty()) {
    framing.hasLength = true;
    framing.length = std::strtoull(length.c_str(), nullptr, 10);
  }
  return framing;
}

// Reads the reply, head and body, within the request's bounds.
bool ReadReply(SOCKET socket, const CHttpGetRequest& request, const CDeadline& deadline, CHttpReply* reply) {
  char buffer[16 * 1024];
  std::string bytes;
  size_t headEnd = std::string::npos;
  // Interim replies (100 Continue) come before the real one.
  for (;;) {
    while ((headEnd = EndOfHead(bytes)) == std::string::npos) {
      if (bytes.size() > request.longestHead) return false;
      const int got = Receive(socket, buffer, sizeof buffer, deadline);
      if (got <= 0) return false;
      bytes.append(buffer, static_cast<size_t>(got));
    }
    if (headEnd > request.longestHead) return false;
    reply->status = StatusOfHead(bytes.substr(0, headEnd));
    if (reply->status == 0) return false;
    if (reply->status >= 200) break;
    bytes.erase(0, headEnd);
  }
  const CBodyFraming framing = FramingOf(bytes.substr(0, headEnd), reply->status);
  std::string arrived = bytes.substr(headEnd);
  CChunkedBody chunks;
  std::string& body = reply->body;
  for (;;) {
    if (framing.chunked) {
      if (!chunks.Feed(arrived.data(), arrived.size(), &body)) return false;
    } else {
      body += arrived;
    }
    if (framing.hasLength && body.size() >= framing.length) {
      body.resize(static_cast<size_t>(framing.length));
      return true;
    }
    if (body.size() >= request.longestBody) {
      // The rest is never read: the socket closes on return.
      body.resize(request.longestBody);
      return true;
    }
    if (framing.chunked && chunks.IsComplete()) return true;
    const int got = Receive(socket, buffer, sizeof buffer, deadline);
    if (got < 0) return false;
    // A server that closes early has said all it will.
    if (got == 0) return true;
    arrived.assign(buffer, static_cast<size_t>(got));
  }
}

bool SplitHostAndPort(const std::string& text, std::string* host, unsigned short* port) {
  const size_t colon = text.rfind(':');
  *host = text.substr(0, colon);
  *port = 80;
  if (colon != std::string::npos) {
    const long number = std::strtol(text.c_str() + colon + 1, nullptr, 10);
    if (number <= 0 || number > 65535) return false;
    *port = static_cast<unsigned short>(number);
  }
  return !host->empty();
}

}  // namespace

bool SplitHttpAddress(const std::string& url, CHttpAddress* address) {
  const std::string scheme = "http://";
  if (url.size() <= scheme.size() || Lower(url.substr(0, scheme.size())) != scheme) return false;
  const size_t hostStart = scheme.size();
  const size_t pathStart = std::min(url.find_first_of("/?", hostStart), url.size());
  if (!SplitHostAndPort(url.substr(hostStart, pathStart - hostStart), &address->host, &address->port)) return false;
  address->pathAndQuery = url.substr(pathStart);
  if (address->pathAndQuery.empty() || address->pathAndQuery[0] != '/') {
    address->pathAndQuery = "/" + address->pathAndQuery;
  }
  return true;
}

int StatusOfHead(const std::string& head) {
  if (head.compare(0, 5, "HTTP/") != 0) return 0;
  const size_t space = head.find(' ');
  if (space == std::string::npos || space > head.find('\n')) return 0;
  const long status = std::strtol(head.c_str() + space + 1, nullptr, 10);
  return status >= 100 && status <= 999 ? static_cast<int>(status) : 0;
}

std::string HeaderOfHead(const std::string& head, const std::string& name) {
  const std::string lowerHead = Lower(head);
  const std::string wanted = "\n" + Lower(name) + ":";
  const size_t at = lowerHead.find(wanted);
  if (at == std::string::npos) return "";
  const size_t start = head.find_first_not_of(" \t", at + wanted.size());
  if (start == std::string::npos) return "";
  const size_t end = head.find_first_of("\r\n", start);
  return head.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool HttpGet(const CHttpGetRequest& request, CHttpReply* reply, HANDLE cancel) {
  const CDeadline deadline(request.timeoutMs, cancel);
  CHttpAddress address;
  if (!SplitHttpAddress(request.url, &address)) return false;
  std::string host = address.host;
  unsigned short port = address.port;
  if (!request.proxy.empty() && !SplitHostAndPort(request.proxy, &host, &port)) return false;

  CWinsock winsock;
  if (!winsock.IsStarted()) return false;
  CSocket socket;
  socket.Reset(Connect(host, port, deadline));
  if (socket.Get() == INVALID_SOCKET) return false;
  if (!SendAll(socket.Get(), RequestText(request, address), deadline)) return false;
  return ReadReply(socket.Get(), request, deadline, reply);
}
