// Whether Qt can show windows at all, asked before it starts (Qt ends the program with an
// abort when the display it needs cannot be reached).
#pragma once

// True when the Qt platform asked for (the -platform argument or QT_QPA_PLATFORM) needs no
// display server ("offscreen", for example), or when the display server it needs is named:
// DISPLAY for X, WAYLAND_DISPLAY for Wayland.
bool QtDisplayNamed(int argc, char** argv);
