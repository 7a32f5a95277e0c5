// Where a text of the shown document is on the viewer's paint panel (for tests that point
// at it with the mouse). Kept apart from the document's headers, so that window tests can
// include it next to Qt's.
#pragma once

#include <string>

#include "platform/gdi/geometry/Geometry.h"

class TMarkupViewer;

// The panel point inside the character at offset of the first occurrence of text: one
// pixel right of its left edge, a few below the top of its line (a failed expectation when
// the text is not in the document).
TPoint PanelPointOf(TMarkupViewer& viewer, const std::u16string& text, int offset = 0);
