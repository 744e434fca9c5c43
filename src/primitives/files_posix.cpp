#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "primitives/files.h"
#include "primitives/gbk.h"
#include "primitives/utf8.h"

// Linux has no sharing modes that bind other processes. A page that another process is
// writing reads as whatever it holds at that moment; the pages this program writes are never
// seen half written, since each takes its place whole by rename.
namespace pagelink {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, reporting the error a late write may only show here.
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

Text& StoredRunDirectory() {
  static Text run_directory;
  return run_directory;
}

// The bytes of 936 text become UTF-8 before "\" turns into "/": the second byte of a
// double-byte character may be 0x5C.
std::string SystemPath(const Text& path) {
  std::string system_path = Utf16ToUtf8(GbkToUtf16(path));
  for (char& c : system_path) {
    if (c == '\\') c = '/';
  }
  return system_path;
}

bool WriteAll(int fd, const Bytes& data) {
  std::size_t written = 0;
  while (written < data.size()) {
    ssize_t n = ::write(fd, data.data() + written, data.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// A path beside target that nothing else uses; created here, empty, with the given mode.
std::string CreateTemporaryFile(const std::string& target, mode_t mode, int* fd) {
  std::string::size_type slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = folder + "." + name + ".pagelink-" + std::to_string(::getpid()) + "-" +
                            std::to_string(attempt);
    *fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (*fd >= 0) return candidate;
    if (errno != EEXIST) break;
  }
  return {};
}

// Writes a new file beside target and renames it over target.
bool ReplaceWhole(const std::string& target, const struct stat* old_status, const Bytes& data) {
  int raw_fd = -1;
  std::string temporary =
      CreateTemporaryFile(target, old_status ? old_status->st_mode & 07777 : 0666, &raw_fd);
  if (temporary.empty()) return false;
  FileDescriptor file(raw_fd);
  bool done = WriteAll(file.get(), data);
  if (done && old_status) {
    // The page keeps its owner where we may give it, and its mode, which the umask cut on
    // creation; the set-id bits only go with the owner.
    bool same_owner = ::fchown(file.get(), old_status->st_uid, old_status->st_gid) == 0;
    done = ::fchmod(file.get(), old_status->st_mode & (same_owner ? 07777 : 0777)) == 0;
  }
  done = done && ::fsync(file.get()) == 0;
  done = file.Close() && done;
  done = done && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!done) ::unlink(temporary.c_str());
  return done;
}

bool IsReadOnly(const std::string& path, const struct stat& status) {
  // Root may write anything, so a page with no write permission for anyone is refused here.
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

void FixRunDirectory() {
  std::string program(PATH_MAX, '\0');
  ssize_t length = ::readlink("/proc/self/exe", program.data(), program.size());
  program.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  std::string::size_type slash = program.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : program.substr(0, slash);
  FixRunDirectory(Utf16ToGbk(Utf8ToUtf16(folder)));
}

void FixRunDirectory(const Text& directory) {
  StoredRunDirectory() = directory;
  // Page paths begin with the run directory, so they hold even where this fails.
  static_cast<void>(::chdir(directory.empty() ? "/" : SystemPath(directory).c_str()) == 0);
}

Text RunDirectory() { return StoredRunDirectory(); }

Bytes ReadFileBytes(const Text& path) {
  if (path.empty()) return {};
  // Non-blocking, so that a named pipe is turned away below instead of waiting for a writer.
  FileDescriptor file(::open(SystemPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat status;
  if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size <= 0 || status.st_size > INT32_MAX) {
    return {};
  }
  Bytes data(static_cast<std::size_t>(status.st_size));
  std::size_t filled = 0;
  while (filled < data.size()) {
    ssize_t n = ::read(file.get(), data.data() + filled, data.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {};
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  data.resize(filled);
  return data;
}

bool HoldsContent(const Text& path) {
  if (path.empty()) return false;
  struct stat status;
  if (::stat(SystemPath(path).c_str(), &status) != 0) return errno != ENOENT && errno != ENOTDIR;
  return !S_ISREG(status.st_mode) || status.st_size > 0;
}

bool WriteFileBytes(const Text& path, const Bytes& data) {
  if (path.empty()) return false;
  std::string page = SystemPath(path);
  struct stat status;
  if (::lstat(page.c_str(), &status) != 0) {
    return errno == ENOENT && ReplaceWhole(page, nullptr, data);
  }
  if (S_ISLNK(status.st_mode)) {
    // Written through to the file the link names; a link to nothing is left alone.
    char* resolved = ::realpath(page.c_str(), nullptr);
    if (!resolved) return false;
    page = resolved;
    std::free(resolved);
    if (::stat(page.c_str(), &status) != 0) return false;
  }
  if (!S_ISREG(status.st_mode) || IsReadOnly(page, status)) return false;
  return ReplaceWhole(page, &status, data);
}

}  // namespace pagelink
