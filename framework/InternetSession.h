// The internet session: WinInet's session and opened-address handles, each
// with one owner, and the failures of WinInet as a C++ exception. Only the
// fetch that uses them catches that exception.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <utility>
#include <vector>

#include "framework/Handles.h"
#include "framework/LineReader.h"
#include "framework/String.h"

// What a WinInet call that failed left in GetLastError.
class CInternetException {
 public:
  explicit CInternetException(DWORD error) : m_dwError(error) {}
  DWORD m_dwError;
};

struct CInternetHandleTraits {
  static HINTERNET Invalid() { return nullptr; }
  static void Close(HINTERNET handle) { ::InternetCloseHandle(handle); }
};
using CInternetHandle = CUniqueHandle<HINTERNET, CInternetHandleTraits>;

// An address opened for reading: the reply's status and its body, line by
// line (ReadString). Reading past a failure throws CInternetException.
class CHttpFile : public CLineReader {
 public:
  // Takes both handles; the request goes before its connection.
  CHttpFile(HINTERNET connection, HINTERNET request);

  // The reply's status code; FALSE when the reply has none to give.
  BOOL QueryInfoStatusCode(DWORD& statusCode) const;

 private:
  DWORD ReadBody(char* buffer, DWORD size);

  CInternetHandle m_connection;
  CInternetHandle m_request;
};

class CInternetSession {
 public:
  // Opens the session; throws CInternetException when WinInet refuses.
  explicit CInternetSession(const char* agent, DWORD_PTR context = 1, DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG,
                            const char* proxyName = nullptr, const char* proxyBypass = nullptr, DWORD flags = 0);

  // Sets a numeric option of the session (INTERNET_OPTION_…); FALSE when
  // WinInet refuses it. The connect, send and receive time-outs also go to
  // every address opened afterwards.
  BOOL SetOption(DWORD option, DWORD value);

  // GETs an http or https address and opens the reply for reading; throws
  // CInternetException when it cannot be reached. The file must go before
  // its session.
  std::unique_ptr<CHttpFile> OpenURL(const char* url, DWORD_PTR context = 1,
                                     DWORD flags = INTERNET_FLAG_TRANSFER_ASCII, const char* headers = nullptr,
                                     DWORD headersLength = 0);

 private:
  CInternetHandle m_session;
  // Set on the session, and handed down by OpenURL to each connection
  // itself: Wine's WinInet gives a connection only the session's connect
  // time-out, and InternetOpenUrl leaves no moment to set the others.
  std::vector<std::pair<DWORD, DWORD>> m_timeouts;
};
