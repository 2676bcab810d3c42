#include "dialogs/FetchUrlText.h"

#include <algorithm>
#include <string>

#include "framework/HttpGet.h"
#include "framework/SystemProxy.h"

void ReadBodyText(CLineReader& body, CString& text, int maxLength) {
  for (;;) {
    CString line;
    const BOOL more = body.ReadString(line, maxLength - text.GetLength());
    text += line;
    text += "\r\n";
    if (!more || text.GetLength() >= maxLength) return;
  }
}

// A plain socket rather than the system's internet functions: closing their
// handles from another thread does not stop a reply whose head never ends,
// which then grows in memory without bound. Here every wait ends at the
// deadline and every read counts against the bounds.
int FetchUrlText(const CString& url, CString& text, const CString& agent, HANDLE cancel) {
  CHttpGetRequest request;
  request.url = url.GetString();
  request.agent = agent.GetString();
  request.timeoutMs = kFetchDeadlineMs;
  request.longestBody = kMaxFetchedTextLength;
  CHttpAddress address;
  if (SplitHttpAddress(request.url, &address)) request.proxy = SystemHttpProxyFor(address.host);

  CHttpReply reply;
  if (!HttpGet(request, &reply, cancel)) return kFetchFailed;
  if (reply.status != 200) return reply.status;
  size_t taken = 0;
  CLineReader body([&](char* buffer, DWORD size) {
    const DWORD count = static_cast<DWORD>(std::min<size_t>(size, reply.body.size() - taken));
    reply.body.copy(buffer, count, taken);
    taken += count;
    return count;
  });
  text.Empty();
  ReadBodyText(body, text);
  return 0;
}
