// Placing controls for which no geometry is given.
#pragma once

class TWinControl;

// Puts the visible children without alignment one below the other, in the order they were
// added, from the top left of the parent's client area; each keeps its size. Returns the
// bottom of the last one plus the margin (the height the parent needs).
int LayOutTopToBottom(TWinControl& parent, int margin = 8, int gap = 6);
