// TPdfEnum: comment records that carry outline entries, bookmarks and links for the PDF.
//   kind 0: a byte with the outline level, then the title in UTF-8;
//   kind 1: a bookmark name, placed at the current position;
//   kind 2: a rectangle (left, top, right, bottom: 32-bit little-endian, logical units), then
//           the name of the bookmark the link goes to.
// Outline entries and bookmarks lie at the height of the current position, so the producer
// writes a MoveToEx first.
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfContainers.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfXref.h"
#include "platform/rtl/Unicode.h"

void TPdfEnum::HandleComment(uint8_t kind, std::string_view data) {
  TPdfDocument& doc = canvas_.Doc();
  double top = canvas_.MapY(Cur().Position.Y);
  try {
    switch (kind) {
      case 0: {
        if (data.size() <= 1) return;
        int level = static_cast<uint8_t>(data[0]);
        std::string_view title = data.substr(1);
        while (!title.empty() && static_cast<uint8_t>(title.front()) <= 32) title.remove_prefix(1);
        while (!title.empty() && static_cast<uint8_t>(title.back()) <= 32) title.remove_suffix(1);
        doc.CreateOutline(Utf8ToString(title), level, top);
        break;
      }
      case 1: doc.CreateBookmark(data, top); break;
      case 2: {
        if (data.size() <= 16) return;
        TEmfRecord fields(data, 0);
        TPdfRect rect;
        canvas_.RectToPdfRect(fields.RectL(0), rect.Left, rect.Bottom, rect.Right, rect.Top);
        TPdfDictionary& link = doc.CreateLink(rect, data.substr(16));
        link.AddItem("Border", TPdfArray::FromReals(&doc.Xref(), {0, 0, 0}));
        break;
      }
      default: break;
    }
  } catch (const EPdfInvalidValue&) {
    // A duplicate or empty bookmark name: the page is drawn without it.
  } catch (const EPdfInvalidOperation&) {
    // No page to put the entry on.
  }
}
