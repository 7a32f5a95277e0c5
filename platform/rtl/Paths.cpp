#include "platform/rtl/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NativeNames.h"
#include "platform/rtl/SysErrors.h"
#include "platform/rtl/Unicode.h"

namespace {

std::string Native(const String& name) { return NativeFileName(name); }

bool Stat(const String& name, struct stat& info) { return ::stat(Native(name).c_str(), &info) == 0; }

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

String ExecutableFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return IncludeTrailingPathDelimiter(FileNameFromNative(CurrentFolder()));
    if (static_cast<size_t>(n) < buffer.size()) return ExtractFilePath(FileNameFromNative({buffer.data(), size_t(n)}));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

String ProgramFolder() {
  const char* home = std::getenv("WENDREL_HOME");
  if (home != nullptr && *home != '\0') return IncludeTrailingPathDelimiter(FileNameFromNative(home));
  return ExecutableFolder();
}

String SystemPath(const String& path) {
  String out;
  out.reserve(path.size());
  for (Char c : path) {
    if (c == u'\\') c = PathDelim;
    if (c == PathDelim && !out.empty() && out.back() == PathDelim) continue;
    out += c;
  }
  return out;
}

String ProgramPath(const String& literal) { return SystemPath(ProgramFolder() + literal); }

bool FileExists(const String& fileName) {
  struct stat info;
  return Stat(fileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const String& directory) {
  struct stat info;
  return Stat(directory, info) && S_ISDIR(info.st_mode);
}

bool CreateDir(const String& directory) { return ::mkdir(Native(directory).c_str(), 0777) == 0; }

namespace {

// Creates the folder and its missing parents: 0 when the folder exists afterwards, else
// the errno of the step that failed.
int MakeDirectories(const String& directory) {
  if (directory.empty()) throw EInOutError(S("Verzeichnis kann nicht erstellt werden"));
  String dir = directory;
  while (dir.size() > 1 && dir.back() == PathDelim) dir.pop_back();
  if (DirectoryExists(dir)) return 0;
  const String parent = ExtractFilePath(dir);
  if (!parent.empty() && parent != dir) {
    if (const int error = MakeDirectories(parent)) return error;
  }
  if (CreateDir(dir)) return 0;
  const int error = errno;
  return DirectoryExists(dir) ? 0 : error;
}

}  // namespace

bool ForceDirectories(const String& directory) { return MakeDirectories(directory) == 0; }

void RequireDirectories(const String& directory) {
  if (const int error = MakeDirectories(directory))
    throw EInOutError(S("Verzeichnis ") + directory + S(" kann nicht erstellt werden. ") + SysErrorMessage(error));
}

bool DeleteFile(const String& fileName) { return ::unlink(Native(fileName).c_str()) == 0; }

bool RenameFile(const String& oldName, const String& newName) {
  return std::rename(Native(oldName).c_str(), Native(newName).c_str()) == 0;
}

String ExtractFilePath(const String& fileName) {
  const size_t at = fileName.rfind(PathDelim);
  return at == String::npos ? String() : fileName.substr(0, at + 1);
}

String ExtractFileName(const String& fileName) {
  const size_t at = fileName.rfind(PathDelim);
  return at == String::npos ? fileName : fileName.substr(at + 1);
}

String ExtractFileExt(const String& fileName) {
  const size_t at = fileName.find_last_of(u"./");
  if (at == String::npos || fileName[at] != u'.') return {};
  return fileName.substr(at);
}

String ChangeFileExt(const String& fileName, const String& extension) {
  const size_t at = fileName.find_last_of(u"./");
  if (at == String::npos || fileName[at] != u'.') return fileName + extension;
  return fileName.substr(0, at) + extension;
}

String ExpandFileName(const String& fileName) {
  if (fileName.empty()) return {};
  const String full =
      fileName.front() == PathDelim ? fileName : FileNameFromNative(CurrentFolder()) + PathDelim + fileName;
  std::vector<String> parts;
  size_t pos = 0;
  while (pos <= full.size()) {
    size_t next = full.find(PathDelim, pos);
    if (next == String::npos) next = full.size();
    const String part = full.substr(pos, next - pos);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    pos = next + 1;
  }
  String out;
  for (const String& part : parts) out += PathDelim + part;
  if (out.empty() || full.back() == PathDelim) out += PathDelim;
  return out;
}

String IncludeTrailingPathDelimiter(const String& path) {
  if (!path.empty() && path.back() == PathDelim) return path;
  return path + PathDelim;
}
