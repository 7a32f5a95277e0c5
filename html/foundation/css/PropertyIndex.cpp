#include "html/foundation/css/PropertyIndex.h"

const std::array<const char16_t*, PropertyCount> PropertyNames = {
    u"font-family", u"font-size", u"font-style", u"font-weight", u"text-align", u"text-decoration",
    u"letter-spacing", u"color", u"background-color", u"margin-top", u"margin-right",
    u"margin-bottom", u"margin-left", u"min-height", u"min-width", u"max-height", u"max-width",
    u"box-sizing", u"padding-top", u"padding-right", u"padding-bottom", u"padding-left",
    u"border-top-width", u"border-right-width", u"border-bottom-width", u"border-left-width",
    u"border-top-color", u"border-right-color", u"border-bottom-color", u"border-left-color",
    u"border-top-style", u"border-right-style", u"border-bottom-style", u"border-left-style",
    u"width", u"height", u"top", u"bottom", u"right", u"left", u"visibility", u"line-height",
    u"background-image", u"background-position", u"background-repeat",
    u"background-attachment", u"vertical-align", u"position", u"z-index", u"list-style-type",
    u"list-style-image", u"float", u"clear", u"text-indent", u"page-break-before",
    u"page-break-after", u"page-break-inside", u"text-transform", u"word-wrap", u"font-variant",
    u"border-collapse", u"overflow", u"display", u"empty-cells", u"white-space"};

std::optional<TStylePropIndex> PropertyIndexOf(const String& name) {
  for (int i = 0; i < PropertyCount; ++i)
    if (name == PropertyNames[i]) return static_cast<TStylePropIndex>(i);
  return std::nullopt;
}

bool BoxSizingIndex(const String& text, int& index) {
  if (text == u"content-box") index = 0;
  else if (text == u"border-box") index = 1;
  else return false;
  return true;
}

bool BorderStyleIndex(const String& text, int& index) {
  static const char16_t* const names[] = {u"none",   u"solid", u"inset",  u"outset", u"groove",
                                          u"ridge",  u"dashed", u"dotted", u"double"};
  for (int i = 0; i < 9; ++i)
    if (text == names[i]) {
      index = i;
      return true;
    }
  return false;
}
