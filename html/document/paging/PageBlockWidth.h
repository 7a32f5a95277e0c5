// How pages meet what cannot wrap (a long preformatted line, a wide table): blocks widen to
// hold it, as on screen (and for pages that are shrunk to fit their paper), or keep the page
// width, so that paragraphs wrap on the page and only that content runs past its edge.
#pragma once

enum class TPageBlockWidth { WidenToContent, KeepPageWidth };
