// Pictures of HTML test documents: painted on the raster device and written as PNG files
// under the build folder, where a person can look at them.
#pragma once

#include <string>

#include "tests/support/Pictures.h"
#include "tests/support/html/HtmlTestDocument.h"

// Paints the top `height` pixels of the laid-out document (0: all of it) into a picture as
// wide as its layout, writes it to <build>/pictures/html-documents/<name>.png and returns it.
TTestPicture PaintDocumentPicture(THtmlTestDocument& document, const std::string& name, int height = 0);

// Loads the HTML text, lays it out at the width and paints it as PaintDocumentPicture does.
TTestPicture RenderHtml(THtmlTestDocument& document, const std::string& html, int width, const std::string& name);
