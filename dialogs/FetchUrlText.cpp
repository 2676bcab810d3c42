#include "dialogs/FetchUrlText.h"

#include <wininet.h>

#include "framework/InternetSession.h"

namespace {

// The fetch runs on the user-interface thread: a server that accepts the
// connection and then says nothing must not hold the whole program for the
// platform's default of minutes. Each wait is bounded, not the whole fetch,
// so a server that answers slowly but steadily still gets through.
constexpr DWORD kNetworkWaitMs = 10000;

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
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
      session.SetOption(option, kNetworkWaitMs);
    }
    std::unique_ptr<CHttpFile> reply = session.OpenURL(url, 1, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_ASCII);
    DWORD status = 0;
    // A reply without a readable status is no answer at all.
    if (!reply->QueryInfoStatusCode(status)) return kFetchFailed;
    if (status != HTTP_STATUS_OK) return static_cast<int>(status);
    text.Empty();
    ReadBodyText(*reply, text);
    return 0;
  } catch (const CInternetException&) {
    return kFetchFailed;
  }
}
