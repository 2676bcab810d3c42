// A news service for the tests: a real HTTP server on 127.0.0.1, on a port
// of its own, that answers every request as the test told it and records
// what it was asked. The program under test reaches it through the proxy
// settings (ProxySetting), so its fixed host needs no name resolution.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace automation {

struct HttpRequest {
  std::string method;
  // As sent; through a proxy it is the absolute address.
  std::string target;
  std::string head;
  // The value of a header, "" when absent (names compare case-blind).
  std::string Header(const std::string& name) const;
  // The target without scheme and host: path and query.
  std::string PathAndQuery() const;
  // The host the target names, without a port.
  std::string Host() const;
};

class NewsServer {
 public:
  NewsServer();
  ~NewsServer();
  NewsServer(const NewsServer&) = delete;
  NewsServer& operator=(const NewsServer&) = delete;

  bool IsListening() const { return m_listener != kNoSocket; }
  // "127.0.0.1:port", as the proxy settings want it.
  std::string Address() const;
  // What every following request gets: status and body, sent whole.
  void Answer(int status, const std::string& body);
  // What every following request gets until the next Answer: nothing. The
  // request is read and recorded, and the connection is held open without
  // a word until the server goes.
  void Stall();
  // What every following request gets until the next Answer: a reply that
  // goes on for as long as the client reads it, as a hostile server sends.
  enum class Flood {
    kEndlessHead,     // header lines, never the blank line that ends them
    kEndlessChunked,  // one chunk of FFFFFFFF bytes, sent without end
  };
  void Flood(Flood flood);
  std::vector<HttpRequest> Requests() const;
  // How many floods are being sent now: a client that stopped reading has
  // closed its connection, which ends its flood.
  int FloodsRunning() const;
  // Bytes sent by every flood so far.
  unsigned long long FloodBytesSent() const;

 private:
  // Runs on the server thread; it gets the listener as its own copy, since
  // the destructor closes and clears the member while the thread waits.
  // A winsock SOCKET, kept as its integer so that users of this header need
  // not include winsock ahead of windows.h.
  using Socket = UINT_PTR;
  static constexpr Socket kNoSocket = ~static_cast<Socket>(0);
  void Serve(Socket listener);
  enum class Handled { kDone, kHeld, kHandedOver };
  // kHeld when the connection is to be held open, stalled; kHandedOver when
  // a flood thread has it.
  Handled HandleConnection(Socket connection);
  // Sends the flood until the client closes or the server goes.
  void SendFlood(Socket connection, enum Flood flood);

  Socket m_listener = kNoSocket;
  unsigned short m_port = 0;
  mutable std::mutex m_mutex;
  int m_status = 200;
  bool m_stall = false;
  bool m_flooding = false;
  enum Flood m_flood = Flood::kEndlessHead;
  int m_floodsRunning = 0;
  unsigned long long m_floodBytes = 0;
  bool m_stopping = false;
  std::vector<std::thread> m_floodThreads;
  std::vector<Socket> m_stalled;
  std::string m_body;
  std::vector<HttpRequest> m_requests;
  std::thread m_thread;
};

// Points WinInet's system proxy at address for this user (both this process
// and programs started after it), and puts the previous values back.
//
// The previous values are noted in the registry (kSavedProxyKey) before they
// change, and the note goes once they are back: a test program that dies
// runs no destructor, and the next ProxySetting then puts them back first.
// One at a time: a second one while the first lives would note its values.
class ProxySetting {
 public:
  explicit ProxySetting(const std::string& address);
  ~ProxySetting();
  ProxySetting(const ProxySetting&) = delete;
  ProxySetting& operator=(const ProxySetting&) = delete;

  static constexpr char kSavedProxyKey[] = "Software\\Panorel tests\\Saved proxy";

 private:
  // Puts the noted values back and drops the note; nothing without a note.
  static void RestoreSaved(HKEY settings);

  HKEY m_key = nullptr;
};

}  // namespace automation
