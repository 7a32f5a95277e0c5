// The viewer the export window shows its HTML file in, as the window uses it: the control
// on the window, loading a file, and the pages of its document for the PDF.
#pragma once

#include <functional>
#include <memory>

#include "export/HtmlPages.h"
#include "platform/rtl/Types.h"

class TControl;
class TWinControl;

class THtmlView : public THtmlPages {
 public:
  // The control that shows the document (owned by the window it was made on).
  virtual TControl& Control() = 0;
  // Loads and shows the file; raises an Exception with the reason when it cannot.
  virtual void LoadDocumentFile(const String& fileName) = 0;
  // Loads the file only to page it, as LoadDocumentFile but not laid out for the screen:
  // for a conversion that shows no window.
  virtual void LoadDocumentFileForPaging(const String& fileName) = 0;
};

// Makes the viewer on a window: its default font "Times New Roman", its preformatted font
// "Courier New", the window's colour as background, no history, no selection.
using THtmlViewFactory = std::function<std::unique_ptr<THtmlView>(TWinControl& parent)>;
extern THtmlViewFactory HtmlViewFactory;
