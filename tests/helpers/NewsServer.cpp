#include <winsock2.h>

#include "tests/helpers/NewsServer.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace automation {

namespace {

constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return std::tolower(ch); });
  return text;
}

// The text of a status line's reason; WinInet does not look at it.
const char* ReasonOf(int status) { return status == 200 ? "OK" : status == 404 ? "Not Found" : "Answer"; }

// Reads up to the blank line that ends a request head; "" when the client
// gave up first.
std::string ReadHead(SOCKET connection) {
  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) return "";
    head.append(buffer, static_cast<size_t>(got));
  }
  return head.substr(0, head.find("\r\n\r\n") + 2);
}

HttpRequest ParseRequest(const std::string& head) {
  HttpRequest request;
  request.head = head;
  std::istringstream line(head.substr(0, head.find("\r\n")));
  line >> request.method >> request.target;
  return request;
}

void SendAll(SOCKET connection, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const int chunk = static_cast<int>(std::min<size_t>(data.size() - sent, 64 * 1024));
    const int done = send(connection, data.data() + sent, chunk, 0);
    // A client that stops reading early closes the connection: that is fine.
    if (done <= 0) return;
    sent += static_cast<size_t>(done);
  }
}

}  // namespace

std::string HttpRequest::Header(const std::string& name) const {
  const std::string wanted = "\r\n" + Lower(name) + ":";
  const std::string lowerHead = Lower(head);
  const size_t at = lowerHead.find(wanted);
  if (at == std::string::npos) return "";
  const size_t start = head.find_first_not_of(' ', at + wanted.size());
  return head.substr(start, head.find("\r\n", start) - start);
}

std::string HttpRequest::PathAndQuery() const {
  const size_t scheme = target.find("://");
  if (scheme == std::string::npos) return target;
  const size_t path = target.find('/', scheme + 3);
  return path == std::string::npos ? "/" : target.substr(path);
}

std::string HttpRequest::Host() const {
  const size_t scheme = target.find("://");
  if (scheme == std::string::npos) return Header("Host").substr(0, Header("Host").find(':'));
  const size_t start = scheme + 3;
  const size_t end = target.find_first_of(":/", start);
  return target.substr(start, end - start);
}

NewsServer::NewsServer() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // any free port
  int length = sizeof address;
  if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(m_listener, 8) != 0 ||
      getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(m_listener);
    m_listener = INVALID_SOCKET;
    return;
  }
  m_port = ntohs(address.sin_port);
  m_thread = std::thread([this, listener = m_listener] { Serve(listener); });
}

NewsServer::~NewsServer() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  if (m_listener != INVALID_SOCKET) {
    // Closing the socket ends the accept the server thread waits in.
    closesocket(m_listener);
  }
  if (m_thread.joinable()) m_thread.join();
  for (std::thread& flood : m_floodThreads) flood.join();
  m_listener = INVALID_SOCKET;
  for (Socket connection : m_stalled) closesocket(connection);
  WSACleanup();
}

std::string NewsServer::Address() const { return "127.0.0.1:" + std::to_string(m_port); }

void NewsServer::Answer(int status, const std::string& body) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_status = status;
  m_body = body;
  m_stall = false;
  m_flooding = false;
}

void NewsServer::Flood(enum Flood flood) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_flooding = true;
  m_flood = flood;
}

int NewsServer::FloodsRunning() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_floodsRunning;
}

unsigned long long NewsServer::FloodBytesSent() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_floodBytes;
}

void NewsServer::SendFlood(Socket connection, enum Flood flood) {
  const std::string start = flood == Flood::kEndlessHead
                                ? "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                                : "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\n";
  const std::string block = flood == Flood::kEndlessHead ? "X-Filler: " + std::string(1000, 'h') + "\r\n"
                                                         : std::string(64 * 1024, 'f');
  std::string data = start;
  for (;;) {
    const int sent = send(connection, data.data(), static_cast<int>(data.size()), 0);
    std::lock_guard<std::mutex> lock(m_mutex);
    // A client that closed, or one that stopped reading for the send
    // time-out, has ended the flood.
    if (sent <= 0 || m_stopping) break;
    m_floodBytes += static_cast<unsigned long long>(sent);
    data = block;
  }
  closesocket(connection);
  std::lock_guard<std::mutex> lock(m_mutex);
  --m_floodsRunning;
}

void NewsServer::Stall() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_stall = true;
}

std::vector<HttpRequest> NewsServer::Requests() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests;
}

void NewsServer::Serve(Socket listener) {
  for (;;) {
    SOCKET connection = accept(listener, nullptr, nullptr);
    if (connection == INVALID_SOCKET) return;
    const Handled handled = HandleConnection(connection);
    if (handled == Handled::kDone) {
      closesocket(connection);
    } else if (handled == Handled::kHeld) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_stalled.push_back(connection);
    }
  }
}

NewsServer::Handled NewsServer::HandleConnection(Socket connection) {
  // A client that stalls must not hold the server (and the test) forever.
  const DWORD timeoutMs = 10000;
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
  setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
  const std::string head = ReadHead(connection);
  if (head.empty()) return Handled::kDone;
  std::string reply;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(ParseRequest(head));
    if (m_stall) return Handled::kHeld;
    if (m_flooding) {
      // On a thread of its own, so that the next request is served.
      ++m_floodsRunning;
      m_floodThreads.emplace_back([this, connection, flood = m_flood] { SendFlood(connection, flood); });
      return Handled::kHandedOver;
    }
    // Cacheable on purpose: only the client's forced reload brings it back
    // to the server.
    reply = "HTTP/1.1 " + std::to_string(m_status) + " " + ReasonOf(m_status) +
            "\r\nContent-Type: text/plain\r\nCache-Control: max-age=3600\r\nContent-Length: " +
            std::to_string(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body;
  }
  SendAll(connection, reply);
  shutdown(connection, SD_SEND);
  return Handled::kDone;
}

namespace {

constexpr const char* kProxyValues[] = {"ProxyEnable", "ProxyServer"};

// Makes name in to what it is in from: the same value, or none.
void CopyValue(HKEY from, HKEY to, const char* name) {
  DWORD type = 0;
  DWORD size = 0;
  std::vector<BYTE> data;
  if (RegQueryValueExA(from, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    data.resize(size);
    if (RegQueryValueExA(from, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      RegSetValueExA(to, name, 0, type, data.data(), size);
      return;
    }
  }
  RegDeleteValueA(to, name);
}

}  // namespace

ProxySetting::ProxySetting(const std::string& address) {
  RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr);
  // A note left by a test that died holds the values from before it.
  RestoreSaved(m_key);
  HKEY saved = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kSavedProxyKey, 0, nullptr, 0, KEY_WRITE, nullptr, &saved, nullptr);
  for (const char* name : kProxyValues) CopyValue(m_key, saved, name);
  RegCloseKey(saved);
  const DWORD enable = 1;
  RegSetValueExA(m_key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof enable);
  RegSetValueExA(m_key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                 static_cast<DWORD>(address.size() + 1));
}

ProxySetting::~ProxySetting() {
  RestoreSaved(m_key);
  RegCloseKey(m_key);
}

void ProxySetting::RestoreSaved(HKEY settings) {
  HKEY saved = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSavedProxyKey, 0, KEY_READ, &saved) != ERROR_SUCCESS) return;
  for (const char* name : kProxyValues) CopyValue(saved, settings, name);
  RegCloseKey(saved);
  RegDeleteKeyA(HKEY_CURRENT_USER, kSavedProxyKey);
}

}  // namespace automation
