#include "html/document/viewer/FileTypes.h"

#include <algorithm>
#include <array>

#include "html/foundation/globals/TextHelpers.h"
#include "platform/rtl/Paths.h"

namespace {

struct FileTypeRec {
  const char16_t* Extension;
  THtmlFileType Kind;
};

constexpr std::array<FileTypeRec, 14> FileTypes{{
    {u".htm", HtmlType},   {u".html", HtmlType}, {u".css", HtmlType},  {u".php", HtmlType},
    {u".asp", HtmlType},   {u".shtml", HtmlType}, {u".xhtml", XhtmlType}, {u".xht", XhtmlType},
    {u".gif", ImgType},    {u".jpg", ImgType},   {u".jpeg", ImgType},  {u".png", ImgType},
    {u".bmp", ImgType},    {u".txt", TextType},
}};

}  // namespace

THtmlFileType GetFileType(const String& FileName) {
  const String extension = LowerCaseText(ExtractFileExt(FileName));
  auto found = std::find_if(FileTypes.begin(), FileTypes.end(),
                            [&](const FileTypeRec& r) { return extension == r.Extension; });
  return found == FileTypes.end() ? THtmlFileType(OtherType) : found->Kind;
}

bool IsRemoteAddress(const String& Name) {
  const String lower = LowerCaseText(Name);
  const size_t scheme = lower.find(u"://");
  return scheme != String::npos && scheme > 0 && lower.find(u"file://") == String::npos;
}
