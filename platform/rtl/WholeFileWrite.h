// Writing a file as a whole, so that a write that fails leaves what was there before and
// a name that is not a plain file (a link, a device, a pipe) keeps being what it is.
#pragma once

#include <functional>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

// The step of WriteWholeFile that failed.
enum class TFileWriteStep {
  Open,             // looking at the name, opening the file there (ErrorCode says why)
  Unsupported,      // the name is a block device or a socket (ErrorCode 0)
  CreateTemporary,  // creating the temporary file in the folder (Path is the folder)
  Write,            // writing the content (a full disk: ENOSPC)
  Replace,          // renaming the temporary file over the name
};

// A failed WriteWholeFile: the step, the errno value and the file or folder it concerns.
class EFileWriteError : public EInOutError {
 public:
  EFileWriteError(TFileWriteStep step, int errorCode, String path);
  TFileWriteStep Step() const { return step_; }
  int ErrorCode() const { return errorCode_; }
  const String& Path() const { return path_; }

 private:
  TFileWriteStep step_;
  int errorCode_;
  String path_;
};

// Writes the file through `write`, which gets a stream positioned at its start:
// - a regular file, or a name where nothing is: the content goes into a new temporary file
//   in the same folder, which is then renamed over the name. An existing file is replaced
//   only when it could be opened for writing (the refusal is the one writing into it would
//   meet); the new file gets the old one's permissions, and its owner and group where the
//   user may give them.
// - a symbolic link: the same for the file it leads to (through every link of a chain, also
//   when that file does not exist yet); the link stays a link.
// - a character device or a pipe: written into directly (a pipe that no program reads
//   from is refused with ENXIO).
// - anything else: refused.
// Failures raise EFileWriteError (the temporary file is removed); an exception of `write`
// passes through after the temporary file is removed.
void WriteWholeFile(const String& fileName, const std::function<void(TStream&)>& write);
