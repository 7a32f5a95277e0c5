#include "platform/rtl/WholeFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/rtl/NativeNames.h"
#include "platform/rtl/SysErrors.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit

String StepText(TFileWriteStep step) {
  switch (step) {
    case TFileWriteStep::Open: return S("öffnen");
    case TFileWriteStep::Unsupported: return S("beschreiben (keine Datei)");
    case TFileWriteStep::CreateTemporary: return S("anlegen");
    case TFileWriteStep::Write: return S("schreiben");
    case TFileWriteStep::Replace: return S("ersetzen");
  }
  return {};
}

[[noreturn]] void Fail(TFileWriteStep step, int errorCode, const std::string& path) {
  throw EFileWriteError(step, errorCode, FileNameFromNative(path));
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

// The name a chain of symbolic links leads to (the name itself when it is no link); the
// end of the chain need not exist.
std::string FollowLinks(std::string path) {
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (hops == kMaxLinkHops) Fail(TFileWriteStep::Open, ELOOP, path);
    std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) Fail(TFileWriteStep::Open, errno, path);
    const std::string target(buffer.data(), static_cast<size_t>(n));
    path = target.starts_with('/') || path.find('/') == std::string::npos ? target : FolderOf(path) + target;
  }
}

// A stream on an open descriptor that counts its own position (a pipe or a device has
// none) and raises EFileWriteError when a write fails.
class TDescriptorStream : public TStream {
 public:
  TDescriptorStream(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  std::int64_t Read(void*, std::int64_t) override { return 0; }
  std::int64_t Write(const void* buffer, std::int64_t count) override {
    std::int64_t done = 0;
    while (done < count) {
      const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, static_cast<size_t>(count - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) Fail(TFileWriteStep::Write, errno, path_);
      if (n == 0) Fail(TFileWriteStep::Write, ENOSPC, path_);
      done += n;
    }
    position_ += done;
    return done;
  }
  std::int64_t Seek(std::int64_t offset, int origin) override {
    if (offset == 0 && origin == soFromCurrent) return position_;
    const int whence = origin == soFromCurrent ? SEEK_CUR : (origin == soFromEnd ? SEEK_END : SEEK_SET);
    const off_t at = ::lseek(fd_, offset, whence);
    if (at >= 0) position_ = at;
    return at;
  }
  void SetSize(std::int64_t) override { Fail(TFileWriteStep::Write, EINVAL, path_); }

 private:
  int fd_;
  std::string path_;
  std::int64_t position_ = 0;
};

// Closes the descriptor when it goes; Close reports the error of closing.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }
  int Close() {
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

void WriteDirectly(const std::string& path, const std::function<void(TStream&)>& write) {
  // Without O_NONBLOCK, opening a pipe that no program reads from would wait for one.
  TDescriptor fd(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) Fail(TFileWriteStep::Open, errno, path);
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) Fail(TFileWriteStep::Open, errno, path);
  TDescriptorStream stream(fd.Get(), path);
  write(stream);
  if (const int error = fd.Close()) Fail(TFileWriteStep::Write, error, path);
}

// A new file in the folder with a short name, so that it fits wherever the target fits.
std::string CreateTemporary(const std::string& folder, int& fd) {
  static std::atomic<unsigned> serial{0};
  for (;;) {
    const std::string name =
        folder + ".~wendrel" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".tmp";
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0) return name;
    if (errno != EEXIST && errno != EINTR) Fail(TFileWriteStep::CreateTemporary, errno, folder);
  }
}

// Gives the new file the old one's permissions, owner and group. A user who may write a
// file of another owner may replace it, but cannot give the new file away: it is then his
// (in the old group where he belongs to it).
void TakeOver(int fd, const struct stat& old, const std::string& target) {
  struct stat now {};
  if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
    const bool given =
        ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    static_cast<void>(given);
  }
  // A private file must not become readable by others.
  if (::fchmod(fd, old.st_mode & 0777) != 0) Fail(TFileWriteStep::Write, errno, target);
}

// The temporary file, removed when it goes unless it has become the target.
struct TTemporaryFile {
  std::string name;
  bool renamed = false;
  ~TTemporaryFile() {
    if (!renamed) ::unlink(name.c_str());
  }
};

void Replace(const std::string& target, const struct stat* old, const std::function<void(TStream&)>& write) {
  int raw = -1;
  TTemporaryFile temp{CreateTemporary(FolderOf(target), raw)};
  TDescriptor fd(raw);
  if (old != nullptr) TakeOver(fd.Get(), *old, target);
  TDescriptorStream stream(fd.Get(), target);
  write(stream);
  if (::fsync(fd.Get()) != 0) Fail(TFileWriteStep::Write, errno, target);
  if (const int error = fd.Close()) Fail(TFileWriteStep::Write, error, target);
  if (::rename(temp.name.c_str(), target.c_str()) != 0) Fail(TFileWriteStep::Replace, errno, target);
  temp.renamed = true;
}

}  // namespace

EFileWriteError::EFileWriteError(TFileWriteStep step, int errorCode, String path)
    : EInOutError(S("Datei ") + path + S(" lässt sich nicht ") + StepText(step) + u". " +
                  (errorCode != 0 ? SysErrorMessage(errorCode) : String())),
      step_(step),
      errorCode_(errorCode),
      path_(std::move(path)) {}

void WriteWholeFile(const String& fileName, const std::function<void(TStream&)>& write) {
  const std::string name = NativeFileName(fileName);
  struct stat info {};
  if (::stat(name.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) Fail(TFileWriteStep::Open, EISDIR, name);
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) return WriteDirectly(name, write);
    if (!S_ISREG(info.st_mode)) Fail(TFileWriteStep::Unsupported, 0, name);
    const std::string target = FollowLinks(name);
    // Whether the user may write the file, as the file system decides (permissions, ACLs,
    // a read-only mount); nothing is changed.
    TDescriptor probe(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (probe.Get() < 0) Fail(TFileWriteStep::Open, errno, target);
    return Replace(target, &info, write);
  }
  if (errno != ENOENT) Fail(TFileWriteStep::Open, errno, name);
  // Nothing there, or a link that leads nowhere yet: the file is made where it leads.
  Replace(FollowLinks(name), nullptr, write);
}
