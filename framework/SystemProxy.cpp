#include "framework/SystemProxy.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "framework/InternetHandle.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return static_cast<char>(tolower(ch)); });
  return text;
}

std::vector<std::string> Entries(const std::string& list) {
  std::vector<std::string> entries;
  const char separators[] = "; \t\r\n,";
  for (size_t start = list.find_first_not_of(separators); start != std::string::npos;) {
    const size_t end = std::min(list.find_first_of(separators, start), list.size());
    entries.push_back(list.substr(start, end - start));
    start = list.find_first_not_of(separators, end);
  }
  return entries;
}

std::string WithoutScheme(std::string entry) {
  const size_t scheme = entry.find("://");
  if (scheme != std::string::npos) entry.erase(0, scheme + 3);
  while (!entry.empty() && entry.back() == '/') entry.pop_back();
  return entry;
}

// Case-blind; "*" stands for any run of characters.
bool MatchesPattern(const std::string& text, const std::string& pattern) {
  size_t t = 0, p = 0, starAt = std::string::npos, resumeAt = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = t;
    } else if (p < pattern.size() && tolower(static_cast<unsigned char>(pattern[p])) ==
                                         tolower(static_cast<unsigned char>(text[t]))) {
      ++p;
      ++t;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      t = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool IsBypassed(const std::string& bypass, const std::string& host) {
  for (const std::string& entry : Entries(bypass)) {
    if (Lower(entry) == "<local>" ? host.find('.') == std::string::npos : MatchesPattern(host, WithoutScheme(entry))) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string ChooseHttpProxy(const std::string& proxies, const std::string& bypass, const std::string& host) {
  if (IsBypassed(bypass, host)) return "";
  std::string forAll;
  for (const std::string& entry : Entries(proxies)) {
    const size_t equals = entry.find('=');
    if (equals == std::string::npos) {
      if (forAll.empty()) forAll = WithoutScheme(entry);
    } else if (Lower(entry.substr(0, equals)) == "http") {
      return WithoutScheme(entry.substr(equals + 1));
    }
  }
  return forAll;
}

std::string SystemHttpProxyFor(const std::string& host) {
  CInternetHandle session(::InternetOpenA("", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return "";
  DWORD size = 0;
  ::InternetQueryOptionA(session.Get(), INTERNET_OPTION_PROXY, nullptr, &size);
  if (size < sizeof(INTERNET_PROXY_INFO)) return "";
  std::vector<char> buffer(size);
  if (!::InternetQueryOptionA(session.Get(), INTERNET_OPTION_PROXY, buffer.data(), &size)) return "";
  const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
  if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY || !info->lpszProxy) return "";
  const char* bypass = reinterpret_cast<const char*>(info->lpszProxyBypass);
  return ChooseHttpProxy(reinterpret_cast<const char*>(info->lpszProxy), bypass ? bypass : "", host);
}
