// The mouse as the program sees it: how many lines one notch of the wheel scrolls (the
// window system's setting; tests may change it).
#pragma once

struct TMouse {
  int WheelScrollLines = 3;
};

extern TMouse Mouse;
