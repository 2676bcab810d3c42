#include "framework/FileAccess.h"

#include "framework/Handles.h"

namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool StartsWith(const CStringW& text, const wchar_t* start) {
  const int length = lstrlenW(start);
  return text.GetLength() >= length && text.Left(length) == CStringW(start);
}

bool IsAbsolute(const CStringW& path) {
  const wchar_t* text = path.GetString();
  const bool drive = path.GetLength() >= 3 && text[1] == L':' && (text[2] == L'\\' || text[2] == L'/');
  return drive || StartsWith(path, L"\\\\");
}

// The "\\?\" form takes the path as it is: "..", "." and forward slashes are
// resolved first, as the classic form would have done.
CStringW FullPath(const CStringW& path) {
  CStringW full;
  const DWORD needed = GetFullPathNameW(path, 0, nullptr, nullptr);
  if (needed == 0) return path;
  const DWORD length = GetFullPathNameW(path, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
  if (length == 0 || length >= needed) return path;
  full.ReleaseBuffer(static_cast<int>(length));
  return full;
}

// The one place a file is opened. The handle is null when it cannot be;
// the platform's error code tells why.
CKernelHandle OpenFile(const CStringW& path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE file = CreateFileW(FileCallPath(path), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return CKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

DWORD AttributesOf(const CStringW& path) { return GetFileAttributesW(FileCallPath(path)); }

// The attribute is asked for apart from the open: Wine lets root open a
// read-only file for writing, and moves a file over a read-only one for
// anyone.
bool IsWritableFile(const CStringW& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  return static_cast<bool>(OpenFile(path, GENERIC_WRITE, kShareAll, OPEN_EXISTING));
}

bool WriteInPlace(const CStringW& path, const std::string& bytes) {
  CKernelHandle file = OpenFile(path, GENERIC_WRITE, 0, OPEN_EXISTING);
  return file && WriteAll(file.Get(), bytes) && SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get());
}

}  // namespace

CStringW GetModulePath() {
  // The buffer grows until the path fits. A path that fits nowhere gives no
  // path at all: a cut one would name some other file.
  CStringW path;
  for (DWORD size = MAX_PATH;; size = size * 2 < kLongestPath ? size * 2 : kLongestPath) {
    const DWORD length = GetModuleFileNameW(nullptr, path.GetBuffer(static_cast<int>(size)), size);
    if (length == 0) return CStringW();
    if (length < size) {
      path.ReleaseBuffer(static_cast<int>(length));
      return path;
    }
    if (size == kLongestPath) return CStringW();
  }
}

CStringW FileCallPath(const CStringW& path) {
  if (path.GetLength() < MAX_PATH || !IsAbsolute(path) || StartsWith(path, kLongPathPrefix)) return path;
  const CStringW full = FullPath(path);
  if (StartsWith(full, L"\\\\")) return kLongUncPrefix + full.Mid(2);
  return kLongPathPrefix + full;
}

CFileReadResult ReadWholeFile(const CStringW& path, DWORD largest, std::string* bytes) {
  if (path.IsEmpty()) return CFileReadResult::kMissing;
  CKernelHandle file = OpenFile(path, GENERIC_READ, kShareAll, OPEN_EXISTING);
  if (!file) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return missing ? CFileReadResult::kMissing : CFileReadResult::kUnreadable;
  }
  const DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > largest) return CFileReadResult::kUnreadable;
  std::string read(size, '\0');
  DWORD got = 0;
  if (size > 0 && (!ReadFile(file.Get(), &read[0], size, &got, nullptr) || got != size)) {
    return CFileReadResult::kUnreadable;
  }
  *bytes = read;
  return CFileReadResult::kRead;
}

bool ReplaceWholeFile(const CStringW& path, const std::string& bytes) {
  if (path.IsEmpty()) return false;
  const bool exists = AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
  if (exists && !IsWritableFile(path)) return false;

  const CStringW fresh = path + L".new";
  {
    CKernelHandle file = OpenFile(fresh, GENERIC_WRITE, 0, CREATE_ALWAYS);
    // A folder that lets no new file in may still let this one be written.
    if (!file) return exists && WriteInPlace(path, bytes);
    // On disk before it replaces the old file: a power loss must not leave
    // an empty file in its place.
    if (!WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get())) {
      file.Reset();
      RemoveFile(fresh);
      return false;
    }
  }
  if (MoveFileExW(FileCallPath(fresh), FileCallPath(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  RemoveFile(fresh);
  return false;
}

void RemoveFile(const CStringW& path) {
  if (!path.IsEmpty()) DeleteFileW(FileCallPath(path));
}

bool IsReadableFile(const CStringW& path) {
  // A folder cannot be opened this way: it counts as no file.
  return !path.IsEmpty() && static_cast<bool>(OpenFile(path, GENERIC_READ, kShareAll, OPEN_EXISTING));
}

bool CreateEmptyFile(const CStringW& path) {
  return !path.IsEmpty() && static_cast<bool>(OpenFile(path, GENERIC_WRITE, 0, CREATE_NEW));
}

bool EnsureFolder(const CStringW& path) {
  if (path.IsEmpty()) return false;
  CreateDirectoryW(FileCallPath(path), nullptr);
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
