// A message posted to a control: an id and two parameters, handled later by the control's
// HandleMessage.
#pragma once

#include <cstdint>

struct TMessage {
  uint32_t Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// Ids from here on are free for the program's own messages.
constexpr uint32_t WM_USER = 0x0400;
