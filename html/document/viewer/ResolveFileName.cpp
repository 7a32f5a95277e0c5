// Link and image names of a document as file names: URLs of other protocols stay as they
// are; "file:" URLs, absolute and relative names (against the server root, the BASE
// element or the shown file's folder) become absolute POSIX paths. A "#fragment" stays.
#include "html/document/viewer/FileTypes.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/urls/UrlHelpers.h"
#include "platform/rtl/Paths.h"

namespace {

bool StartsWithText(const String& s, const char16_t* prefix) {
  return LowerCaseText(s.substr(0, std::char_traits<char16_t>::length(prefix))) == prefix;
}

// A name written as a Windows path or a file URL, as a POSIX path.
String ToPosixPath(const String& name) {
  const String trimmed = TrimText(name);
  if (StartsWithText(trimmed, u"file:")) return UrlToFileSystemPath(trimmed);
  return UrlToFileSystemPath(UrlToDosPath(trimmed));
}

}  // namespace

void TMarkupViewer::ResolveFileName(const String& Name, String& FullName) {
  if (IsRemoteAddress(Name)) {
    FullName = Name;
  } else {
    String path;
    if (StartsWithText(TrimText(Name), u"file:")) {
      path = ToPosixPath(Name);
    } else {
      // A root-relative name starts at the server root when there is one.
      path = ToPosixPath(Name);
      if (!serverRoot_.empty() && path.size() > 1 && path[0] == u'/' && path[1] != u'/')
        path = ToPosixPath(serverRoot_) + path;
    }
    if (!path.empty() && path[0] == u'/') {
      path = ExpandFileName(path);
    } else if (LowerCaseText(Base) == u"dospath") {
      // The name stays relative.
    } else if (!Base.empty() && Base.find(u"://") != String::npos && !StartsWithText(Base, u"file:")) {
      // A BASE on a web server: the name is a URL there.
      path = CombineUrl(Base, Name);
    } else if (!Base.empty()) {
      path = ExpandFileName(IncludeTrailingPathDelimiter(ToPosixPath(Base)) + path);
    } else {
      path = ExpandFileName(ExtractFilePath(CurrentFile) + path);
    }
    FullName = path;
  }
  if (Events.OnFilenameExpanded) Events.OnFilenameExpanded(this, FullName);
}
