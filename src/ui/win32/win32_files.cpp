// Win32Platform: the careful file steps of the settings store. Each step does
// one thing and reports what became of it; retries and fallbacks are decided
// by the core (src/settings/settings_file.cpp).
#include <algorithm>

#include "ui/win32/convert.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {
namespace {

// Files larger than this are no settings file or language pack; reading them
// is refused rather than taking the memory.
constexpr unsigned long long kMaxReadBytes = 64ULL * 1024 * 1024;
constexpr DWORD kChunk = 1u << 20;
// NOTE: our own reads share the file with every kind of access, so that they
// never make another program's save (a rename over the file) fail.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file handle closed when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now; false when closing failed (a delayed write error).
  bool Close() {
    const bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

FileResult ResultOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileResult::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileResult::Busy;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return FileResult::Refused;
    default:
      return FileResult::Failed;
  }
}

FileResult LastResult() { return ResultOf(GetLastError()); }

bool WriteAll(HANDLE file, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, kChunk));
    if (!::WriteFile(file, content.data() + done, want, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool SetLength(HANDLE file, unsigned long long length) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(length);
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

}  // namespace

FileRead Win32Platform::ReadSharedFile(const std::string& path) const {
  FileRead read;
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    read.result = LastResult();
    return read;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  // NOTE: only disk files: reading a pipe or a device of that name could wait
  // for ever.
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    read.result = FileResult::Refused;
    return read;
  }
  const unsigned long long size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size > kMaxReadBytes) {
    read.result = FileResult::TooLarge;
    return read;
  }
  // Read to the end, whatever the size was a moment ago (another program may
  // be changing the file while sharing it).
  std::string content(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  for (;;) {
    if (done == content.size()) {
      if (content.size() >= kMaxReadBytes + 1) {
        read.result = FileResult::TooLarge;
        return read;
      }
      content.resize(std::min<std::size_t>(content.size() + 4096, kMaxReadBytes + 1));
    }
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, kChunk));
    if (!::ReadFile(file.get(), content.data() + done, want, &got, nullptr)) {
      read.result = LastResult() == FileResult::Busy ? FileResult::Busy : FileResult::Failed;
      return read;
    }
    if (got == 0) break;
    done += got;
  }
  content.resize(done);
  read.result = FileResult::Done;
  read.bytes = std::move(content);
  read.read_only = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return read;
}

std::string Win32Platform::ResolveLinks(const std::string& path) const {
  // Opening follows every link; the handle then names the final file.
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return path;
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return path;
    if (n < name.size()) {
      name.resize(n);
      break;
    }
    name.resize(n + 1);
  }
  // "\\?\C:\dir\app.ini" or "\\?\UNC\server\share\app.ini".
  constexpr std::wstring_view kLong = L"\\\\?\\";
  constexpr std::wstring_view kUnc = L"\\\\?\\UNC\\";
  if (name.compare(0, kUnc.size(), kUnc) == 0) {
    name = L"\\\\" + name.substr(kUnc.size());
  } else if (name.compare(0, kLong.size(), kLong) == 0) {
    name = name.substr(kLong.size());
  }
  return WideToUtf8(name);
}

FileResult Win32Platform::WriteNewFile(const std::string& path, const std::string& content) {
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastResult();
  const bool ok = WriteAll(file.get(), content) && FlushFileBuffers(file.get());
  const FileResult result = ok ? FileResult::Done : LastResult();
  if (!file.Close() || !ok) return result == FileResult::Done ? FileResult::Failed : result;
  return FileResult::Done;
}

FileResult Win32Platform::MoveOver(const std::string& from, const std::string& to) {
  const std::wstring source = Utf8ToWide(from);
  const std::wstring target = Utf8ToWide(to);
  // The new file keeps the old one's attributes (hidden, archive); read-only
  // files are never replaced (the core checks that first).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    SetFileAttributesW(source.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return FileResult::Done;
  const DWORD error = GetLastError();
  // NOTE: Windows refuses to rename over a file that any process has open
  // (error 5, access denied), as another instance does for a moment while it
  // reads the file for its own save: that is a busy file, not a refusal.
  if (error == ERROR_ACCESS_DENIED) return FileResult::Busy;
  return ResultOf(error);
}

FileResult Win32Platform::RewriteFile(const std::string& path, const std::string& content) {
  // NOTE: shared for reading and for renames, but not for writing: two
  // programs rewriting the file at once could leave a mixture of both texts,
  // so the second waits (it sees a busy file).
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastResult();
  // Room for the whole text first: a full disk then refuses the write before
  // any byte of the old text is changed.
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return LastResult();
  if (content.size() > static_cast<unsigned long long>(size.QuadPart) && !SetLength(file.get(), content.size()))
    return LastResult();
  LARGE_INTEGER start{};
  const bool ok = SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) && WriteAll(file.get(), content) &&
                  SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
  const FileResult result = ok ? FileResult::Done : LastResult();
  if (!file.Close() || !ok) return result == FileResult::Done ? FileResult::Failed : result;
  return FileResult::Done;
}

bool Win32Platform::RemoveFile(const std::string& path) { return DeleteFileW(Utf8ToWide(path).c_str()) != 0; }

std::vector<FileEntry> Win32Platform::FilesStartingWith(const std::string& path_prefix) const {
  std::vector<FileEntry> found;
  const std::wstring prefix = Utf8ToWide(path_prefix);
  const std::size_t slash = prefix.find_last_of(L"\\/");
  const std::wstring dir = slash == std::wstring::npos ? std::wstring() : prefix.substr(0, slash + 1);
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileExW((prefix + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                       nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return found;
  FILETIME now_time{};
  GetSystemTimeAsFileTime(&now_time);
  auto ticks = [](const FILETIME& t) {
    return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = dir + data.cFileName;
    // The pattern also matches short names; only names that really start
    // with the prefix count.
    if (path.compare(0, prefix.size(), prefix) != 0) continue;
    // File times count 100-nanosecond steps.
    found.push_back({WideToUtf8(path), (ticks(now_time) - ticks(data.ftLastWriteTime)) / 10'000'000});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

unsigned long Win32Platform::ProcessId() const { return GetCurrentProcessId(); }

bool Win32Platform::ProcessRunning(unsigned long pid) const {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  // NOTE: a process of another user may refuse the handle; it runs all the
  // same. Any other failure means no process has that identifier.
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

}  // namespace mensor::win32
