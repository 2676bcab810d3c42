// Fetching a short text (the About dialog's news) over HTTP, bounded as a
// whole: one deadline and a hard stop on what is read.
#pragma once

#include <windows.h>

#include "framework/LineReader.h"
#include "framework/String.h"

// A news text is a few kilobytes; a reply that goes on far beyond this is
// cut here, and the rest of it is never read.
constexpr int kMaxFetchedTextLength = 1024 * 1024;
// The whole fetch, from the request to the last byte read.
constexpr DWORD kFetchDeadlineMs = 15000;

// FetchUrlText's answer when the address could not be reached or read.
constexpr int kFetchFailed = -1;

// Reads a reply body into text: every line read, each followed by CR LF, and
// one CR LF more for the read that finds the end, so an empty body gives
// exactly "\r\n". Reading stops early once text holds maxLength characters;
// what was read by then is kept.
void ReadBodyText(CLineReader& body, CString& text, int maxLength = kMaxFetchedTextLength);

// GETs url, announcing itself as agent, always fresh from the server, through
// the proxy the user's internet settings name. Returns 0 when the server
// answered 200, with the body in text (see ReadBodyText); the server's status
// when it answered anything else, with text untouched; kFetchFailed when the
// server could not be reached or the reply not read within the deadline, or
// cancel was set, with text untouched.
int FetchUrlText(const CString& url, CString& text, const CString& agent, HANDLE cancel = nullptr);
