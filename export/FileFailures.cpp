#include "export/FileFailures.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/rtl/NativeNames.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"

namespace {

String FolderOf(const String& path) {
  const String folder = ExtractFilePath(path);
  return folder.empty() ? String(u"./") : folder;
}

// Reasons that do not depend on what was being done.
String CommonReason(int errorCode) {
  switch (errorCode) {
    case ENOSPC:
    case EDQUOT:
      return u"the disk is full.";
    case ENAMETOOLONG:
      return u"the name is longer than the file system allows.";
    case EISDIR:
      return u"a folder has that name.";
    case ELOOP:
      return u"its symbolic links lead round in a circle.";
    case EROFS:
      return u"the file system is read-only.";
    case ENXIO:
      return u"it is a pipe that no program reads from.";
    default:
      return {};
  }
}

}  // namespace

String WriteFailureReason(const EFileWriteError& error) {
  if (error.Step() == TFileWriteStep::Unsupported) return u"it is neither a file nor a pipe or a character device.";
  const int code = error.ErrorCode();
  if (String reason = CommonReason(code); !reason.empty()) return reason;
  // Creating the temporary file fails in the folder (Path); the other steps at the file.
  const bool inFolder = error.Step() == TFileWriteStep::CreateTemporary;
  const String folder = inFolder ? error.Path() : FolderOf(error.Path());
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      if (!DirectoryExists(folder)) return u"the folder " + folder + u" does not exist.";
      return u"the folder " + folder + u" cannot be written to.";
    case EACCES:
    case EPERM:
      if (inFolder) return u"the folder " + folder + u" cannot be written to.";
      return u"the file is write-protected (it may not be opened for writing).";
    default:
      return Utf8ToString(std::strerror(code)) + u".";
  }
}

String ReadFailureReason(const String& fileName, const String& fallback) {
  const int fd = ::open(NativeFileName(fileName).c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return fallback;
  }
  const int code = errno;
  if (String reason = CommonReason(code); !reason.empty()) return reason;
  switch (code) {
    case EACCES:
    case EPERM:
      return u"it may not be read (no permission).";
    default:
      return Utf8ToString(std::strerror(code)) + u".";
  }
}
