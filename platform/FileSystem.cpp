#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/Paths.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

// Owns one file descriptor of this file's operations; closed when it goes.
class ScopedFd {
 public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ~ScopedFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  ScopedFd(ScopedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;

  bool Valid() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  // Gives the descriptor up without closing it.
  int Release() { return std::exchange(fd_, -1); }
  // Closes now and reports whether the system accepted the close (a late
  // write error can surface here).
  bool Close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

// "*" matches any run of characters, "?" exactly one, everything else itself.
// Iterative with one backtrack point, so no pattern can make it recurse deep
// or take exponential time.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// As the file search the data was written for: a pattern ending in ".*" also
// matches names without an extension, so "*.*" lists every entry and
// "readme.*" finds "readme".
bool NameMatches(std::string_view pattern, std::string_view name) {
  if (WildcardMatch(pattern, name)) return true;
  if (pattern.size() < 2 || !pattern.ends_with(".*")) return false;
  return WildcardMatch(pattern.substr(0, pattern.size() - 2), name);
}

// The folder part of a mapped path: "." for a bare name, "/" at the root.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool FsyncRetrying(int fd) {
  int result;
  do {
    result = ::fsync(fd);
  } while (result != 0 && errno == EINTR);
  // EINVAL: the file system has no way to sync; there is nothing more to do.
  return result == 0 || errno == EINVAL;
}

bool SyncPath(const std::string& path, int extraFlags) {
  ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | extraFlags));
  return fd.Valid() && FsyncRetrying(fd.Get());
}

// Opens a file for reading only when it is a regular file. O_NONBLOCK keeps
// a named pipe from stalling the open; devices such as /dev/zero are refused,
// as reading them would never end.
ScopedFd OpenRegularForReading(const std::string& path) {
  ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return ScopedFd(-1);
  return fd;
}

// Refuses what is in the way of a writer when it is not a regular file.
bool RefuseNonRegular(const struct stat& info, bool* notRegular) {
  if (S_ISREG(info.st_mode)) return false;
  if (notRegular != nullptr) *notRegular = true;
  errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
  return true;
}

// Locks the whole file for writing for as long as its open file stays open
// (a lock of the open file, not of the process, so two opens in one process
// conflict too). False, with `*heldElsewhere` set, when another open holds
// it; a system that cannot lock lets the file be written unlocked.
bool LockWhileOpen(int fd, bool* heldElsewhere) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  int result;
  do {
    result = ::fcntl(fd, F_OFD_SETLK, &lock);
  } while (result != 0 && errno == EINTR);
  *heldElsewhere = result != 0 && (errno == EAGAIN || errno == EACCES);
  return !*heldElsewhere;
}

// Opens a file for writing only when it is (or becomes) a regular file. What
// is already there is looked at before the open, so a pipe or a device is
// never opened; O_NONBLOCK keeps one that appears in between from stalling
// the open, and the check after it catches it. Truncation waits until the
// file is known to be regular, and, with `heldElsewhere`, locked.
ScopedFd OpenRegularForWritingFd(const std::string& path, bool* notRegular, bool* heldElsewhere = nullptr) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && RefuseNonRegular(info, notRegular)) return ScopedFd(-1);
  ScopedFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
  if (!fd.Valid()) return fd;
  if (::fstat(fd.Get(), &info) != 0) return ScopedFd(-1);
  if (RefuseNonRegular(info, notRegular)) return ScopedFd(-1);
  if (heldElsewhere != nullptr && !LockWhileOpen(fd.Get(), heldElsewhere)) return ScopedFd(-1);
  if (::ftruncate(fd.Get(), 0) != 0) return ScopedFd(-1);
  return fd;
}

// A stdio file over a descriptor opened without waiting; reads and writes
// from now on may wait. Null for an invalid descriptor.
FilePtr AsBlockingFile(ScopedFd fd, const char* mode) {
  if (!fd.Valid()) return nullptr;
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd.Get(), mode);
  if (file == nullptr) return nullptr;
  fd.Release();
  return FilePtr(file);
}

// Gives the file `temp` the name `target` unless something already has that
// name, even one that appeared a moment ago: a hard link fails then, and so
// does a rename told not to replace (for file systems without hard links).
bool PublishNoReplace(const std::string& temp, const std::string& target) {
  if (::link(temp.c_str(), target.c_str()) == 0) return true;
  if (errno == EEXIST) return false;
  return ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Reads up to kChunkSize bytes into `buffer`; the count, 0 at the end, -1 on error.
ssize_t ReadChunk(int fd, char* buffer) {
  ssize_t got;
  do {
    got = ::read(fd, buffer, kChunkSize);
  } while (got < 0 && errno == EINTR);
  return got;
}

bool CopyBytes(int from, int to) {
  std::string buffer(kChunkSize, '\0');
  for (;;) {
    const ssize_t got = ReadChunk(from, buffer.data());
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(got))) return false;
  }
}

std::optional<std::string> ReadAll(int fd) {
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  std::string buffer(kChunkSize, '\0');
  for (;;) {
    const ssize_t got = ReadChunk(fd, buffer.data());
    if (got < 0) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
}

}  // namespace

std::vector<FoundEntry> FindFiles(std::string_view pattern) {
  const std::string mapped = MapPath(pattern);
  const std::size_t slash = mapped.rfind('/');
  const std::string_view namePattern =
      slash == std::string::npos ? std::string_view(mapped) : std::string_view(mapped).substr(slash + 1);
  if (namePattern.empty()) return {};

  std::vector<FoundEntry> found;
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(mapped), ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name == "." || name == ".." || !NameMatches(namePattern, name)) continue;
    std::error_code typeError;
    const bool isFolder = it->is_directory(typeError);
    const bool isRegular = it->is_regular_file(typeError);
    found.push_back(FoundEntry{std::move(name), isFolder, isRegular});
  }
  // std::string compares as unsigned bytes, so "B" < "a" < "\xE9".
  std::ranges::sort(found, {}, &FoundEntry::name);
  return found;
}

bool MakeFolder(std::string_view path) {
  const std::string mapped = MapPath(path);
  if (mapped.empty()) return false;
  std::error_code ec;
  fs::create_directory(mapped, ec);
  return fs::is_directory(mapped, ec);
}

bool PathIs(std::string_view path, bool wantFolder) {
  std::error_code ec;
  const fs::file_status status = fs::status(MapPath(path), ec);
  if (ec || !fs::exists(status)) return false;
  return fs::is_directory(status) == wantFolder;
}

bool MoveReplace(std::string_view source, std::string_view target) {
  const std::string from = MapPath(source);
  const std::string to = MapPath(target);
  // A source that cannot be made durable must not replace a good target.
  if (!SyncPath(from, 0)) return false;
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // The rename itself lives in the folder entries; sync them so it survives
  // a crash. A folder that cannot be synced does not undo the move.
  SyncPath(FolderOf(to), O_DIRECTORY);
  if (FolderOf(from) != FolderOf(to)) SyncPath(FolderOf(from), O_DIRECTORY);
  return true;
}

// A hard link leaves the source to remove; the rename of the fallback
// has already taken it.
bool MoveKeepExisting(std::string_view source, std::string_view target) {
  const std::string from = MapPath(source);
  const std::string to = MapPath(target);
  if (!PublishNoReplace(from, to)) return false;
  ::unlink(from.c_str());
  SyncPath(FolderOf(to), O_DIRECTORY);
  return true;
}

bool CopyFileKeepExisting(std::string_view source, std::string_view target) {
  const std::string to = MapPath(target);
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0) return false;  // kept: no need to read the source
  ScopedFd in = OpenRegularForReading(MapPath(source));
  if (!in.Valid()) return false;
  // The bytes go to a temporary file of the target's folder, made durable,
  // and only then take the target's name: a copy cut short (an error, a
  // crash, a kill) never sits under it, where every later copy would keep it.
  const std::string temp = to + ".tmp";
  ::unlink(temp.c_str());  // one left by a copy that was killed
  ScopedFd out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!out.Valid()) return false;
  const bool copied = CopyBytes(in.Get(), out.Get()) && FsyncRetrying(out.Get());
  const bool published = out.Close() && copied && PublishNoReplace(temp, to);
  ::unlink(temp.c_str());
  if (published) SyncPath(FolderOf(to), O_DIRECTORY);
  return published;
}

bool RemoveFile(std::string_view path) { return ::unlink(MapPath(path).c_str()) == 0; }

bool CreateNewFile(std::string_view path) {
  return ScopedFd(::open(MapPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)).Valid();
}

void FileCloser::operator()(std::FILE* file) const {
  if (file != nullptr) std::fclose(file);
}

FilePtr OpenRegularFile(std::string_view path) {
  return AsBlockingFile(OpenRegularForReading(MapPath(path)), "rb");
}

FilePtr OpenRegularForWriting(std::string_view path, bool* notRegular) {
  if (notRegular != nullptr) *notRegular = false;
  return AsBlockingFile(OpenRegularForWritingFd(MapPath(path), notRegular), "wb");
}

FilePtr OpenRegularForWritingAlone(std::string_view path, bool* notRegular, bool* heldElsewhere) {
  bool held = false;
  FilePtr file = AsBlockingFile(OpenRegularForWritingFd(MapPath(path), notRegular, &held), "wb");
  if (heldElsewhere != nullptr) *heldElsewhere = held;
  return file;
}

std::optional<std::string> ReadBinaryFile(std::string_view path) {
  ScopedFd fd = OpenRegularForReading(MapPath(path));
  if (!fd.Valid()) return std::nullopt;
  return ReadAll(fd.Get());
}

namespace {

// A carriage return directly before a line feed is dropped, as Windows
// text mode did.
std::string DropCarriageReturns(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  return text;
}

}  // namespace

std::optional<std::string> ReadTextFile(std::string_view path) {
  std::optional<std::string> bytes = ReadBinaryFile(path);
  if (!bytes) return std::nullopt;
  return DropCarriageReturns(*bytes);
}

}  // namespace platform
