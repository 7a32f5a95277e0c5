// Measuring a document for a width without touching its own layout.
#pragma once

#include <utility>

class ThtDocument;

// Lays a copy of the document out at Y 0 for the width (300 pixels of available height, on
// the document's measuring canvas) and answers the width of its widest content (not capped
// to the width) and its height. (0, 0) for a width below 1, without any layout.
std::pair<int, int> MeasureDocumentCopy(const ThtDocument& document, int width);
