#include "dialogs/NewsFetch.h"

#include <mutex>

#include "dialogs/FetchUrlText.h"

namespace {

// A fetch told to stop ends its current wait within a tenth of a second;
// only a name lookup in progress may keep it longer, and then the thread is
// left to end on its own, holding nothing of the dialog's.
constexpr DWORD kStopWaitMs = 500;

// The platform's lock: the library's would bring its error classes, and a
// third of the program's size with them, into the program.
class CLock {
 public:
  CLock() { InitializeCriticalSection(&m_section); }
  ~CLock() { DeleteCriticalSection(&m_section); }
  CLock(const CLock&) = delete;
  CLock& operator=(const CLock&) = delete;
  void lock() { EnterCriticalSection(&m_section); }
  void unlock() { LeaveCriticalSection(&m_section); }

 private:
  CRITICAL_SECTION m_section;
};

using CHeld = std::lock_guard<CLock>;

}  // namespace

// What the dialog and the thread share; each holds it as long as it needs it.
struct CNewsFetch::CShared {
  CString url;
  CString agent;
  CKernelHandle cancel{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  CLock mutex;
  // Cleared when the fetch is abandoned: then nothing is posted.
  HWND window = nullptr;
  UINT message = 0;
  int result = kFetchFailed;
  CString text;
};

namespace {

DWORD WINAPI FetchThread(void* parameter) {
  std::unique_ptr<std::shared_ptr<CNewsFetch::CShared>> owner(
      static_cast<std::shared_ptr<CNewsFetch::CShared>*>(parameter));
  CNewsFetch::CShared& shared = **owner;
  CString text;
  const int result = FetchUrlText(shared.url, text, shared.agent, shared.cancel.Get());
  CHeld lock(shared.mutex);
  shared.result = result;
  shared.text = text;
  if (shared.window) PostMessageW(shared.window, shared.message, 0, 0);
  return 0;
}

}  // namespace

CNewsFetch::CNewsFetch(HWND window, UINT message, const CString& url, const CString& agent)
    : m_shared(std::make_shared<CShared>()) {
  m_shared->url = url;
  m_shared->agent = agent;
  m_shared->window = window;
  m_shared->message = message;
  auto* threadsShare = new std::shared_ptr<CShared>(m_shared);
  m_thread.Reset(CreateThread(nullptr, 0, FetchThread, threadsShare, 0, nullptr));
  if (!m_thread) {
    delete threadsShare;
    PostMessageW(window, message, 0, 0);
  }
}

CNewsFetch::~CNewsFetch() {
  {
    CHeld lock(m_shared->mutex);
    m_shared->window = nullptr;
  }
  SetEvent(m_shared->cancel.Get());
  if (m_thread) WaitForSingleObject(m_thread.Get(), kStopWaitMs);
}

int CNewsFetch::Result(CString* text) const {
  CHeld lock(m_shared->mutex);
  *text = m_shared->text;
  return m_shared->result;
}
