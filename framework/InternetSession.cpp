#include "framework/InternetSession.h"

namespace {

[[noreturn]] void ThrowLastInternetError() { throw CInternetException(::GetLastError()); }

}  // namespace

CHttpFile::CHttpFile(HINTERNET request)
    : CLineReader([this](char* buffer, DWORD size) { return ReadBody(buffer, size); }), m_request(request) {}

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

std::unique_ptr<CHttpFile> CInternetSession::OpenURL(const char* url, DWORD_PTR context, DWORD flags,
                                                     const char* headers, DWORD headersLength) {
  HINTERNET request = ::InternetOpenUrlA(m_session.Get(), url, headers, headersLength, flags, context);
  if (!request) ThrowLastInternetError();
  return std::make_unique<CHttpFile>(request);
}
