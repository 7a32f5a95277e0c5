// Event types of the controls: handlers are callables set on a control, called with the
// control that raised the event as Sender.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/rtl/Types.h"

class TComponent;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held while an event happened.
enum TShiftFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = unsigned;

// Virtual key codes used by the controls' keyboard events.
enum : uint16_t {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
};

enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, int X, int Y)>;
// The handler may change Key; a Key set to 0 is not processed further.
using TKeyEvent = std::function<void(TComponent* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent* Sender, Char& Key)>;
// WheelDelta is 120 per notch, positive away from the user; a handler that sets Handled
// keeps the control from scrolling itself.
using TMouseWheelEvent =
    std::function<void(TComponent* Sender, TShiftState Shift, int WheelDelta, int X, int Y, bool& Handled)>;
// The handler may change ScrollPos; the bar takes the changed value.
using TScrollEvent = std::function<void(TComponent* Sender, TScrollCode ScrollCode, int& ScrollPos)>;
// What closing a form does: caHide (the default) hides it, caNone keeps it open.
enum class TCloseAction { caNone, caHide };
using TCloseEvent = std::function<void(TComponent* Sender, TCloseAction& Action)>;

// Raises an event through a copy of its handler, so that a handler may set another handler
// for the same event while it runs.
template <class Event, class... Args>
void Raise(const Event& event, Args&&... args) {
  if (!event) return;
  Event handler = event;
  handler(std::forward<Args>(args)...);
}
