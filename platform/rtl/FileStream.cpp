#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysErrors.h"
#include "platform/rtl/NativeNames.h"
#include "platform/rtl/Unicode.h"

namespace {

int OpenFlags(unsigned mode) {
  if ((mode & fmCreate) == fmCreate) return O_RDWR | O_CREAT | O_TRUNC;
  switch (mode & 0x3) {
    case fmOpenWrite:
      return O_WRONLY;
    case fmOpenReadWrite:
      return O_RDWR;
    default:
      return O_RDONLY;
  }
}

// The advisory lock that stands for the share mode; false when another stream holds one
// that conflicts (errno is then EWOULDBLOCK).
bool LockForShareMode(int fd, unsigned mode) {
  const unsigned share = mode & 0xF0;
  const int kind = share == fmShareExclusive ? LOCK_EX : LOCK_SH;
  int r;
  do {
    r = flock(fd, kind | LOCK_NB);
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

}  // namespace

TFileStream::TFileStream(const String& fileName, unsigned mode) : fileName_(fileName) {
  const bool create = (mode & fmCreate) == fmCreate;
  const std::string path = NativeFileName(fileName);
  // Lock before truncating, so that a refused fmCreate leaves the file as it was.
  int fd;
  do {
    fd = ::open(path.c_str(), OpenFlags(mode) & ~O_TRUNC, 0666);
  } while (fd < 0 && errno == EINTR);
  int error = fd < 0 ? errno : 0;
  struct stat info;
  if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    error = EISDIR;  // a folder opens on Linux, but it is no file to read
    ::close(fd);
    fd = -1;
  }
  if (fd >= 0 && !LockForShareMode(fd, mode)) {
    error = errno;
    ::close(fd);
    fd = -1;
  }
  if (fd >= 0 && create && ::ftruncate(fd, 0) != 0) {
    error = errno;
    ::close(fd);
    fd = -1;
  }
  if (fd < 0) {
    const String reason = SysErrorMessage(error);
    if (create)
      throw EFCreateError(S("Datei ") + fileName + S(" kann nicht erstellt werden. ") + reason);
    throw EFOpenError(S("Datei ") + fileName + S(" kann nicht geöffnet werden. ") + reason);
  }
  fd_ = fd;
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n =
        ::write(fd_, static_cast<const char*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, int origin) {
  const int whence = origin == soFromCurrent ? SEEK_CUR : (origin == soFromEnd ? SEEK_END : SEEK_SET);
  return ::lseek(fd_, offset, whence);
}

void TFileStream::SetSize(std::int64_t size) {
  const std::int64_t position = Position();
  if (::ftruncate(fd_, size) != 0)
    throw EStreamError(S("Größe der Datei ") + fileName_ + S(" kann nicht geändert werden. ") +
                       SysErrorMessage(errno));
  if (position > size) Seek(size, soFromBeginning);
}
