#include <windows.h>

#include <string>

#include "primitives/files.h"
#include "primitives/gbk.h"

// Paths reach the system as UTF-16 through the wide-character functions, so a folder whose
// name holds characters outside code page 936 works as well as any other.
namespace pagelink {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now, reporting the error a late write may only show here.
  bool Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

Text& StoredRunDirectory() {
  static Text run_directory;
  return run_directory;
}

std::wstring WidePath(const Text& path) {
  std::u16string utf16 = GbkToUtf16(path);
  return std::wstring(utf16.begin(), utf16.end());
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The file a path names, following symbolic links, so that replacing it keeps the link.
std::wstring FinalPath(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return path;
  std::wstring final_path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetFinalPathNameByHandleW(file.get(), final_path.data(),
                                             static_cast<DWORD>(final_path.size()), 0);
    if (length == 0) return path;
    if (length < final_path.size()) {
      final_path.resize(length);
      return final_path;
    }
    final_path.resize(length);
  }
}

bool WriteAll(HANDLE file, const Bytes& data) {
  std::size_t written = 0;
  while (written < data.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - written, 1 << 30));
    DWORD done = 0;
    if (!WriteFile(file, data.data() + written, chunk, &done, nullptr) || done == 0) return false;
    written += done;
  }
  return true;
}

// Another program (a virus scanner, an editor, the indexer) may hold the page for a moment.
bool IsTransient(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// A rename onto the page, which replaces it in one step. (ReplaceFileW would keep more of the
// old file, but where it fails it can leave files of its own behind.)
bool PutInPlace(const std::wstring& temporary, const std::wstring& target) {
  constexpr int kAttempts = 10;
  constexpr DWORD kPauseMilliseconds = 50;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    if (attempt == kAttempts || !IsTransient(GetLastError())) return false;
    Sleep(kPauseMilliseconds);
  }
}

std::wstring FolderOf(const std::wstring& path) {
  std::wstring::size_type separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator + 1);
}

}  // namespace

void FixRunDirectory() {
  std::wstring program = ProgramPath();
  std::wstring::size_type separator = program.rfind(L'\\');
  std::wstring folder =
      separator == std::wstring::npos ? std::wstring() : program.substr(0, separator);
  FixRunDirectory(Utf16ToGbk(std::u16string(folder.begin(), folder.end())));
}

void FixRunDirectory(const Text& directory) {
  StoredRunDirectory() = directory;
  // With its backslash, "C:" means the drive's root, not the drive's current folder.
  SetCurrentDirectoryW((WidePath(directory) + L"\\").c_str());
}

Text RunDirectory() { return StoredRunDirectory(); }

Bytes ReadFileBytes(const Text& path) {
  if (path.empty()) return {};
  // Others may read the page meanwhile, but a page that someone is writing is not read.
  FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file.valid() || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > INT32_MAX) {
    return {};
  }
  Bytes data(static_cast<std::size_t>(size.QuadPart));
  std::size_t filled = 0;
  while (filled < data.size()) {
    DWORD done = 0;
    if (!ReadFile(file.get(), data.data() + filled, static_cast<DWORD>(data.size() - filled), &done,
                  nullptr)) {
      return {};
    }
    if (done == 0) break;
    filled += done;
  }
  data.resize(filled);
  return data;
}

bool HoldsContent(const Text& path) {
  if (path.empty()) return false;
  WIN32_FILE_ATTRIBUTE_DATA status;
  if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &status)) {
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
  }
  return (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || status.nFileSizeLow != 0 ||
         status.nFileSizeHigh != 0;
}

bool WriteFileBytes(const Text& path, const Bytes& data) {
  if (path.empty()) return false;
  std::wstring target = FinalPath(WidePath(path));
  DWORD attributes = GetFileAttributesW(target.c_str());
  bool target_exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (!target_exists && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  if (target_exists &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
    return false;
  }
  wchar_t temporary[MAX_PATH + 1];
  if (GetTempFileNameW(FolderOf(target).c_str(), L"plk", 0, temporary) == 0) return false;
  FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  bool done = file.valid() && WriteAll(file.get(), data) && FlushFileBuffers(file.get());
  done = (!file.valid() || file.Close()) && done;
  // The page keeps its attributes (hidden, archive ...); a new page gets the usual ones.
  done = done && (!target_exists || SetFileAttributesW(temporary, attributes));
  done = done && PutInPlace(temporary, target);
  if (!done) DeleteFileW(temporary);
  return done;
}

}  // namespace pagelink
