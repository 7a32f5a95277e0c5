#include "platform/ui/dialogs/FileDialogs.h"

#include "platform/rtl/FileSystemKind.h"
#include "platform/rtl/Paths.h"
#include "platform/ui/app/Application.h"

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TOpenDialog::Execute() { return Application && Application->Backend().ExecuteFileDialog(*this, false); }

bool TSaveDialog::Execute() { return Application && Application->Backend().ExecuteFileDialog(*this, true); }

std::vector<TFileFilter> ParseFileFilter(const String& filter) {
  std::vector<String> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter.find(u'|', start);
    parts.push_back(filter.substr(start, bar == String::npos ? String::npos : bar - start));
    if (bar == String::npos) break;
    start = bar + 1;
  }
  std::vector<TFileFilter> result;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) result.push_back({parts[i], parts[i + 1]});
  return result;
}

String TOpenDialog::WithDefaultExt(const String& name) const {
  if (DefaultExt.empty() || name.empty()) return name;
  size_t slash = name.find_last_of(u'/');
  size_t dot = name.find_last_of(u'.');
  if (dot != String::npos && (slash == String::npos || dot > slash)) return name;
  return name + (DefaultExt[0] == u'.' ? u"" : u".") + DefaultExt;
}

String TOpenDialog::StartFolder() const {
  const String folder = InitialDir.empty() ? ExtractFilePath(FileName) : InitialDir;
  // Listing a pseudo file system can hang the dialog (it reads entries such as /proc/kmsg
  // to tell their type), and nobody keeps files there.
  return folder.empty() || IsOnPseudoFileSystem(folder) ? ProgramFolder() : folder;
}
