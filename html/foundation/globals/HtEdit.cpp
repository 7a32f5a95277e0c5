#include "html/foundation/globals/HtEdit.h"

void ThtEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == 'A' && shift == ssCtrl) {
    SetSelStart(0);
    SetSelLength(static_cast<int>(Text().size()));
    return;
  }
  TMaskEdit::KeyDown(key, shift);
}
