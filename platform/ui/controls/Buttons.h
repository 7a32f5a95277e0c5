// Push buttons, labels, panels and group boxes.
#pragma once

#include "platform/ui/WinControl.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  // A button with a modal result closes its modal form with that result when clicked.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  void Click() override;

 private:
  int modalResult_ = 0;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* AOwner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner);
  // The frame around the panel.
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);

 private:
  TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
};

// A frame around controls that belong together, with its caption in the top border (a
// panel shows its caption in its middle, behind its controls). Controls inside keep clear
// of the caption's band at the top.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
};
