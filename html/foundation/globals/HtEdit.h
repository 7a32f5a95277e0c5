// The single-line edit control of HTML form fields.
#pragma once

#include "platform/ui/controls/Edits.h"

class ThtEdit : public TMaskEdit {
 public:
  using TMaskEdit::TMaskEdit;

  // Ctrl+A (and no other shift key) selects the whole text; other keys as for any edit.
  void KeyDown(uint16_t& key, TShiftState shift) override;
};
