#include "platform/ui/app/BusyScope.h"

#include "platform/ui/app/Application.h"
#include "platform/ui/app/Screen.h"

TBusyScope::TBusyScope() : previous_(Screen.Cursor()) { Screen.SetCursor(TCursor::crHourGlass); }

TBusyScope::~TBusyScope() {
  if (Application) Application->Backend().DiscardInput();
  Screen.SetCursor(previous_);
}
