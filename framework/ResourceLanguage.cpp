#include "framework/ResourceLanguage.h"

namespace {

// LANG_NEUTRAL: the platform's own search, as FindResource makes it.
LANGID g_language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// String tables are stored in blocks of 16: block n + 1 holds ids 16n to 16n + 15.
constexpr UINT kStringsPerBlock = 16;

}  // namespace

void AfxSetResourceLanguage(LANGID language) {
  g_language = language;
  // Windows from Vista on also loads its own texts (the message box's
  // buttons, the file dialog) in the thread's user-interface language.
  // Older systems lack the call; Wine 8 accepts it and changes nothing.
  using SetThreadUILanguageFunction = LANGID(WINAPI*)(LANGID);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    if (auto set = reinterpret_cast<SetThreadUILanguageFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetThreadUILanguage")))) {
      set(language);
    }
  }
}

HRSRC AfxFindResource(HMODULE module, LPCWSTR type, LPCWSTR name) {
  // FindResourceEx takes the language literally (Wine 8 finds nothing for
  // English (UK) where only English (US) exists): a resource the program
  // keeps in one language only is found by the platform's search.
  if (HRSRC found = FindResourceExW(module, type, name, g_language)) return found;
  return FindResourceW(module, name, type);
}

const void* AfxLoadResource(HMODULE module, LPCWSTR type, LPCWSTR name) {
  HRSRC found = AfxFindResource(module, type, name);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  return loaded ? LockResource(loaded) : nullptr;
}

CStringW AfxLoadStringW(HMODULE module, UINT id) {
  const UINT block = id / kStringsPerBlock + 1;
  HRSRC found = AfxFindResource(module, kStringResourceType, MAKEINTRESOURCEW(block));
  if (!found) return CStringW();
  HGLOBAL loaded = LoadResource(module, found);
  const auto* entry = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
  if (!entry) return CStringW();
  const DWORD size = SizeofResource(module, found) / sizeof(WCHAR);
  const WCHAR* end = entry + size;
  // Each entry is its length in characters followed by that many characters.
  for (UINT index = 0; index < id % kStringsPerBlock; ++index) {
    if (entry >= end) return CStringW();
    entry += 1 + *entry;
  }
  if (entry >= end || entry + 1 + *entry > end) return CStringW();
  return CStringW(entry + 1, *entry);
}
