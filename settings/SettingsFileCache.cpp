#include "settings/SettingsFileCache.h"

namespace {

// What tells a file that changed from one that did not, short of reading it.
struct CFileStamp {
  ULONGLONG size = 0;
  FILETIME lastWrite = {};

  bool operator==(const CFileStamp& other) const {
    return size == other.size && CompareFileTime(&lastWrite, &other.lastWrite) == 0;
  }
};

bool StampOf(const CStringW& path, CFileStamp* stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.IsEmpty() || !GetFileAttributesExW(FileCallPath(path), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  stamp->size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  stamp->lastWrite = data.ftLastWriteTime;
  return true;
}

struct CCachedFile {
  bool valid = false;
  CStringW path;
  CFileStamp stamp;
  CSettingsFileContent content;
};

CCachedFile& Cache() {
  static CCachedFile cache;
  return cache;
}

}  // namespace

const CSettingsFileContent& ReadSettingsFile(const CStringW& path) {
  CCachedFile& cache = Cache();
  CFileStamp stamp;
  const bool stamped = StampOf(path, &stamp);
  if (stamped && cache.valid && cache.path == path && cache.stamp == stamp) return cache.content;

  CSettingsFileContent& content = cache.content;
  content.bytes.clear();
  content.result = ReadWholeFile(path, kLargestSettingsFile, &content.bytes);
  ++content.generation;
  // Kept only when the file was there and did not change while it was read.
  CFileStamp after;
  cache.valid = stamped && content.result != CFileReadResult::kMissing && StampOf(path, &after) && after == stamp;
  cache.path = path;
  cache.stamp = stamp;
  return content;
}

void ForgetSettingsFile() { Cache().valid = false; }

bool IsTooLargeForSettings(const CStringW& path) {
  CFileStamp stamp;
  return StampOf(path, &stamp) && stamp.size > kLargestSettingsFile;
}
