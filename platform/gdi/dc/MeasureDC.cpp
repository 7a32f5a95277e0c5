#include "platform/gdi/dc/MeasureDC.h"

#include "platform/gdi/dc/TextLayout.h"

bool TMeasureDC::Consume() {
  if (!HasFinishedPath()) return false;
  TakePath();
  return true;
}

bool TMeasureDC::TextOut(int x, int y, std::u16string_view text) { return ExtTextOut(x, y, 0, nullptr, text, nullptr); }

bool TMeasureDC::ExtTextOut(int x, int y, uint32_t options, const TRect*, std::u16string_view text, const int* dx) {
  PlaceText(x, y, options, text, dx);
  return true;
}

int TMeasureDC::DrawText(std::u16string_view text, TRect& rect, uint32_t format) {
  TTextLayout layout = LayoutDrawText(*this, text, rect, format);
  if (format & DT_CALCRECT) rect = layout.Bounds;
  return layout.Height;
}

bool TMeasureDC::LineTo(int x, int y) {
  if (PathOpen()) PathLineTo(ToDevice(x, y));
  state_.Position = {x, y};
  return true;
}
