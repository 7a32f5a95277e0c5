// The canvas that draws on the document's current page (the page added last): the
// operators of its content stream, the device-to-points mapping of the metafile renderer,
// font selection, text output and measurement. Every operator does nothing without a page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/fonts/LogFont.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/rtl/Types.h"

class TPdfDictionary;
class TPdfDocument;
class TPdfFont;
class TPdfPage;
class TPdfStream;

class TPdfCanvas {
 public:
  explicit TPdfCanvas(TPdfDocument& document);
  virtual ~TPdfCanvas() = default;

  // Makes the page current: its font resources, content stream, height and the
  // pixel-to-point factor (72 / the screen's pixels per inch).
  virtual void AttachPage(TPdfPage& page);
  // The current page; EPdfInvalidOperation "GetPage" when there is none.
  TPdfPage& GetPage() const;
  bool HasPage() const { return page_ != nullptr; }
  // Forgets the page (the document started over).
  void DetachPage();

  TPdfStream* Contents() const { return contents_; }
  TPdfDictionary* PageFonts() const { return pageFonts_; }
  float CurrentPageHeight() const { return currentPageHeight_; }
  float DeviceScale() const { return deviceScale_; }
  TPdfDocument& Doc() const { return doc_; }

  // Graphics state. The text state the page remembers follows q and Q, so that after a
  // restore nothing is taken for set that the restore undid.
  void SaveState();
  void RestoreState();
  void ConcatToCTM(double a, double b, double c, double d, double e, double f, int decimals = 6);
  // A first value 0 or an empty array gives the solid line.
  void SetDash(const std::vector<int>& dash, int phase);
  void SetLineWidth(double width);

  // Paths, in points.
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void AppendRectangle(double x, double y, double w, double h);
  void ClosePath();
  void EndPath();
  void Stroke();
  void Fill();
  void FillStroke();
  void ClipToPath();
  void Ellipse(double x, double y, double w, double h);
  // cx, cy: full width and height of the corner ellipse.
  void RoundRect(double x1, double y1, double x2, double y2, double cx, double cy);

  // Colours (red in the low byte; negative: a system colour).
  void SetFillColor(int32_t color);
  void SetStrokeColor(int32_t color);

  // Text state and positioning.
  void SetWordSpace(float points);
  // Character spacing, written to four decimals (it adds up over every character of a run).
  void SetCharSpace(float points);
  void SetHorizontalScaling(float percent);
  void SetFontAndSizeOp(std::string_view resourceName, float size);
  void SetFontAndSize(TPdfFont* font, float size);
  void SetTextMatrix(double a, double b, double c, double d, double x, double y);
  void MoveToNextLine();

  // Fonts. familyUtf8 names a family; style is a set of fsBold, fsItalic, fsUnderline,
  // fsStrikeOut; charSet -1 means the document's. With fontIndex -1 the family is looked
  // up (with substitutes) and the font made current; with an index the font of that family
  // is returned without changing the current one. Null when no font can be found.
  TPdfFont* SelectFont(std::string_view familyUtf8, uint8_t style, float size, int charSet = -1, int fontIndex = -1,
                       bool fixedPitch = false);
  TPdfFont* SelectFontByLogFont(const TLogFont& logFont, float size);

  // Text. ShowText takes a text in the document's code page.
  void DrawTextAt(double x, double y, std::string_view text);
  void ShowText(std::string_view text, bool nextLine = false);
  // Width in points of a text in the document's code page.
  float MeasureText(std::string_view text) const;
  // Width in points of a UTF-16 text (without spacing or scaling).
  float UnicodeTextWidth(std::u16string_view text);

  // XObjects.
  void ExecuteXObject(std::string_view name);
  void UseXObject(std::string_view name);
  void DrawXObject(double x, double y, double w, double h, std::string_view name);

  // Device coordinates (pixels, y downwards) through the mapping below.
  double MapX(double x) const { return x * WorldFactorX + WorldOffsetX; }
  double MapY(double y) const { return WorldOffsetY - y * WorldFactorY; }
  void MoveToI(int x, int y) { MoveTo(MapX(x), MapY(y)); }
  void LineToI(int x, int y) { LineTo(MapX(x), MapY(y)); }
  void MoveToS(double x, double y) { MoveTo(MapX(x), MapY(y)); }
  void LineToS(double x, double y) { LineTo(MapX(x), MapY(y)); }
  void CurveToCI(int x1, int y1, int x2, int y2, int x3, int y3);
  void RoundRectI(const TRect& r, const TSize& corner);
  // Lower left corner, width and height in points.
  void RectToBox(const TRect& r, double& x, double& y, double& w, double& h) const;
  // Left, bottom, right, top in points of the normalized rectangle.
  void RectToPdfRect(const TRect& r, double& left, double& bottom, double& right, double& top) const;
  static TRect NormalizeRect(const TRect& r);

  float WorldFactorX, WorldFactorY;
  float WorldOffsetX = 0, WorldOffsetY = 0;
  float OffsetX = 0, OffsetY = 0;
  bool RightToLeftText = false;
  bool UseTextJustification = true;
  float KerningLow = 99.0f, KerningHigh = 101.0f;
  std::string LastSubstitutedName;
  int LastSubstitutedIndex = -1;

 private:
  struct TTextState {
    TPdfFont* Font;
    float FontSize, WordSpace, CharSpace, HorizontalScaling;
  };

  TPdfDocument& doc_;
  TPdfPage* page_ = nullptr;
  TPdfStream* contents_ = nullptr;
  TPdfDictionary* pageFonts_ = nullptr;
  float currentPageHeight_ = 0;
  float deviceScale_;
  std::vector<TTextState> savedStates_;
};
