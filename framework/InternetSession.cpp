#include "framework/InternetSession.h"

namespace {

[[noreturn]] void ThrowLastInternetError() { throw CInternetException(::GetLastError()); }

bool IsTimeout(DWORD option) {
  return option == INTERNET_OPTION_CONNECT_TIMEOUT || option == INTERNET_OPTION_SEND_TIMEOUT ||
         option == INTERNET_OPTION_RECEIVE_TIMEOUT;
}

}  // namespace

CHttpFile::CHttpFile(HINTERNET connection, HINTERNET request)
    : CLineReader([this](char* buffer, DWORD size) { return ReadBody(buffer, size); }),
      m_connection(connection),
      m_request(request) {}

DWORD CHttpFile::ReadBody(char* buffer, DWORD size) {
  DWORD read = 0;
  if (!::InternetReadFile(m_request.Get(), buffer, size, &read)) ThrowLastInternetError();
  return read;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& statusCode) const {
  DWORD size = sizeof statusCode;
  return ::HttpQueryInfoA(m_request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &statusCode, &size,
                          nullptr);
}

// The session's context only matters to a status callback, which this
// program never installs.
CInternetSession::CInternetSession(const char* agent, DWORD_PTR, DWORD accessType, const char* proxyName,
                                   const char* proxyBypass, DWORD flags)
    : m_session(::InternetOpenA(agent, accessType, proxyName, proxyBypass, flags)) {
  if (!m_session) ThrowLastInternetError();
}

BOOL CInternetSession::SetOption(DWORD option, DWORD value) {
  if (IsTimeout(option)) m_timeouts.emplace_back(option, value);
  return ::InternetSetOptionA(m_session.Get(), option, &value, sizeof value);
}

std::unique_ptr<CHttpFile> CInternetSession::OpenURL(const char* url, DWORD_PTR context, DWORD flags,
                                                     const char* headers, DWORD headersLength) {
  // Lengths without pointers ask for pointers into url.
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  if (!::InternetCrackUrlA(url, 0, 0, &parts)) ThrowLastInternetError();
  const CString host(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
  const CString pathAndQuery = CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) +
                               CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;

  CInternetHandle connection(
      ::InternetConnectA(m_session.Get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, context));
  if (!connection) ThrowLastInternetError();
  for (auto [option, value] : m_timeouts) ::InternetSetOptionA(connection.Get(), option, &value, sizeof value);

  CInternetHandle request(
      ::HttpOpenRequestA(connection.Get(), "GET", pathAndQuery, nullptr, nullptr, nullptr, flags, context));
  if (!request || !::HttpSendRequestA(request.Get(), headers, headersLength, nullptr, 0)) ThrowLastInternetError();
  return std::make_unique<CHttpFile>(connection.Release(), request.Release());
}
