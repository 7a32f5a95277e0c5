#include "platform/ui/controls/Buttons.h"

#include "platform/ui/forms/Form.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 65, 13); }

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed(TChange::Text);
}

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 185, 41); }

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 185, 105); }

void TPanel::SetBevelOuter(TPanelBevel value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Changed(TChange::Text);
}
