// The About dialog's news, fetched on a thread of its own so that the user
// interface (the hotkey, the notification icon, the end of the session) is
// never held by a slow or hostile server. The thread owns everything it
// fetches with; it tells the dialog by a posted message, and only while the
// fetch has not been abandoned.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Handles.h"
#include "framework/String.h"

class CNewsFetch {
 public:
  // Starts fetching url as agent; message is posted to window when the
  // fetch has ended. Without a thread the fetch ends at once, failed.
  CNewsFetch(HWND window, UINT message, const CString& url, const CString& agent);
  // Abandons the fetch: no message comes after this, and the thread stops
  // reading at once.
  ~CNewsFetch();
  CNewsFetch(const CNewsFetch&) = delete;
  CNewsFetch& operator=(const CNewsFetch&) = delete;

  // FetchUrlText's result and text, once the message has come.
  int Result(CString* text) const;

  struct CShared;

 private:
  std::shared_ptr<CShared> m_shared;
  CKernelHandle m_thread;
};
