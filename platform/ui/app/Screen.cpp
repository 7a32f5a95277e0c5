#include "platform/ui/app/Screen.h"

#include "platform/ui/app/Application.h"

TScreen Screen;

void TScreen::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  if (Application) Application->Backend().SetScreenCursor(value);
}
