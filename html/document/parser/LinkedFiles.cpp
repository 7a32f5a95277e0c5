#include "html/document/parser/LinkedFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/rtl/NativeNames.h"

std::unique_ptr<TStream> OpenRegularFile(const String& fileName, int64_t maxSize) {
  namespace fs = std::filesystem;
  if (fileName.empty()) return nullptr;
  const fs::path path(NativeFileName(fileName));
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return nullptr;
  const auto size = fs::file_size(path, error);
  if (error || size > static_cast<uintmax_t>(maxSize)) return nullptr;
  return std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
}
