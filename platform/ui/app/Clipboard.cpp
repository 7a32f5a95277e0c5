#include "platform/ui/app/Clipboard.h"

#include "platform/ui/app/Application.h"

String TClipboard::AsText() const { return Application ? Application->Backend().ClipboardText() : own_; }

void TClipboard::SetAsText(const String& text) {
  if (Application) Application->Backend().SetClipboardText(text);
  else own_ = text;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}
