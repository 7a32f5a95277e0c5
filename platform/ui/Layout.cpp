#include "platform/ui/Layout.h"

#include "platform/ui/WinControl.h"

int LayOutTopToBottom(TWinControl& parent, int margin, int gap) {
  TRect client = parent.ClientRect();
  int y = client.Top + margin;
  bool first = true;
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (!c->Visible() || c->Align() != TAlign::alNone) continue;
    if (!first) y += gap;
    c->SetBounds(client.Left + margin, y, c->Width(), c->Height());
    y += c->Height();
    first = false;
  }
  return y + margin;
}
