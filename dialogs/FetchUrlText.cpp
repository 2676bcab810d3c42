#include "dialogs/FetchUrlText.h"

#include <wininet.h>

#include "framework/InternetSession.h"

namespace {

constexpr DWORD kHttpOk = 200;

}  // namespace

void ReadBodyText(CLineReader& body, CString& text, int maxLength) {
  for (;;) {
    CString line;
    const BOOL more = body.ReadString(line, maxLength - text.GetLength());
    text += line;
    text += "\r\n";
    if (!more || text.GetLength() >= maxLength) return;
  }
}

int FetchUrlText(const CString& url, CString& text, const CString& agent) {
  try {
    CInternetSession session(agent, 1, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_DONT_CACHE);
    std::unique_ptr<CHttpFile> reply = session.OpenURL(url, 1, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_ASCII);
    DWORD status = 0;
    // A reply without a readable status is no answer at all.
    if (!reply->QueryInfoStatusCode(status)) return kFetchFailed;
    if (status != kHttpOk) return static_cast<int>(status);
    text.Empty();
    ReadBodyText(*reply, text);
    return 0;
  } catch (const CInternetException&) {
    return kFetchFailed;
  }
}
