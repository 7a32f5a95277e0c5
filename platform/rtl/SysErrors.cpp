#include "platform/rtl/SysErrors.h"

#include <cerrno>
#include <cstring>

#include "platform/rtl/Unicode.h"

String SysErrorMessage(int errorCode) {
  switch (errorCode) {
    case ENOENT:
      return S("Das System kann die angegebene Datei nicht finden.");
    case ENOTDIR:
      return S("Das System kann den angegebenen Pfad nicht finden.");
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return S("Zugriff verweigert.");
    case EWOULDBLOCK:
      return S("Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess "
               "verwendet wird.");
    case EEXIST:
      return S("Die Datei ist bereits vorhanden.");
    case ENOSPC:
      return S("Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden.");
    case ENAMETOOLONG:
      return S("Der Dateiname oder die Erweiterung ist zu lang.");
    default:
      return Utf8ToString(std::strerror(errorCode));
  }
}
