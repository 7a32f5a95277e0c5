#include "html/foundation/fonts/SharedMyFonts.h"

TSharedMyFonts::TKey TSharedMyFonts::KeyOf(const TMyFont& font) {
  return {font.Name(),         font.Height(),        font.Color(),          font.Style(),         font.Charset(),
          font.Pitch(),        font.Orientation(),   font.BackColor,        font.TextHeight,      font.DescentPixels,
          font.ExternalLeading, font.AverageWidth,   font.MaximumWidth,     font.RealisedCharset, font.SpacingPixels,
          font.EmPixels,       font.ExPixels};
}

TMyFont& TSharedMyFonts::Share(const TMyFont& font) {
  std::unique_ptr<TMyFont>& shared = fonts_[KeyOf(font)];
  if (!shared) {
    shared = std::make_unique<TMyFont>();
    shared->Assign(font);
  }
  return *shared;
}
