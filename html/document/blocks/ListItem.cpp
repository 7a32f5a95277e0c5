#include "html/document/blocks/ListItem.h"

#include "html/document/blocks/ListMarkers.h"
#include "html/document/inline/RunFont.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/fonts/MyFont.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"

namespace {
bool IsUnset(const TPropValue& value) {
  return value.IsEmpty() || (value.IsInt() && value.AsInt() == UnsetSentinel);
}
}  // namespace

TBlockLI::TBlockLI(ThtDocument* document, TAttributeList* attributes, int level, int32_t listNumber, Char typeChar,
                   bool plainList, const String& listTag, TCellBasic* ownerCell, TProperties& properties)
    : TBlock(document, attributes, ownerCell, properties), ListNumber(listNumber) {
  const int given = properties.ReadListStyleKind();
  TPropValue& marginLeft = BoxValues[BoxEntry(MarginLeft)];
  const bool bulleted = listTag == u"ul" || listTag == u"dir" || listTag == u"menu";
  if (listTag == u"ol") {
    ListKind = OrderedList;
    ListStyle = typeChar == u'A' ? ListUpperAlpha
                : typeChar == u'I' ? ListUpperRoman
                : typeChar == u'a' ? ListLowerAlpha
                : typeChar == u'i' ? ListLowerRoman
                                   : ListDecimal;
  } else if (bulleted) {
    ListKind = UnorderedList;
    if (plainList || Display == DisplayInline) ListStyle = ListNone;
    else ListStyle = level % 3 == 1 ? ListDisc : level % 3 == 2 ? ListCircle : ListSquare;
  } else if (listTag == u"dl") {
    ListKind = DefinitionList;
  } else {
    ListKind = NoList;
    ListStyle = ListDisc;
    if (IsUnset(marginLeft) || (marginLeft.IsInt() && marginLeft.AsInt() == 0)) marginLeft = int32_t{16};
  }
  if (given > 0) ListStyle = static_cast<uint8_t>(given);
  if (IsUnset(marginLeft)) {
    if (listTag == u"ol" || bulleted) marginLeft = int32_t{ListStyle == ListNone ? 0 : 40};
    else if (listTag == u"dl") marginLeft = int32_t{0};
  }
  MarkerFont = std::make_unique<TMyFont>();
  MarkerFont->Assign(*properties.MakeFont());
  const String image = properties.ListStyleImageUrl();
  if (!image.empty() && image != u"none") MarkerImage = std::make_unique<TImageObj>(document, image);
}

TBlockLI::TBlockLI(ThtDocument* document, const TBlockLI& source)
    : TBlock(document, source),
      ListKind(source.ListKind),
      ListNumber(source.ListNumber),
      ListStyle(source.ListStyle),
      MarkerFont(std::make_unique<TMyFont>()) {
  MarkerFont->Assign(*source.MarkerFont);
  if (source.MarkerImage) MarkerImage = std::make_unique<TImageObj>(document, *source.MarkerImage);
}

TBlockLI::~TBlockLI() {
  MarkerImage.reset();
  if (Document && Document->FirstBaselineRequest == &FirstBaseline) Document->FirstBaselineRequest = nullptr;
}

std::unique_ptr<TSectionBase> TBlockLI::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TBlockLI>(document, *this);
}

std::optional<bool> TBlockLI::DropDefaultBottomMargin() {
  // The gap that counts is the one below the item's last block.
  if (IsAbsolute()) return std::nullopt;
  return ContentCell->DropLastDefaultBottomMargin();
}

int TBlockLI::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                     int availableHeight, int containingHeight, int availableWidth, int originY, int originX, int y) {
  FirstBaseline = 0;
  if (MarkerImage && Document && Document->ShowImages) {
    MarkerImage->MeasureBox(canvas, 0, 0, nullptr);
    if (MarkerImage->ShowsStockImage()) MarkerImage.reset();
  }
  if (!Document)
    return TBlock::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight, availableWidth,
                          originY, originX, y);
  int32_t* previous = Document->FirstBaselineRequest;
  Document->FirstBaselineRequest = &FirstBaseline;
  struct TRestore {
    ThtDocument& document;
    int32_t* previous;
    ~TRestore() { document.FirstBaselineRequest = previous; }
  } restore{*Document, previous};
  return TBlock::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight, availableWidth,
                        originY, originX, y);
}

int TBlockLI::Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) {
  const int result = TBlock::Draw(canvas, clip, indents, x, xRef, yRef);
  if (Display == DisplayNone || Visibility == 1 || FirstBaseline <= 0) return result;
  if (Document && Document->NoOutput) return result;
  const int baseline = FirstBaseline - (Document ? Document->YOffset : 0);
  if (baseline < clip.Top - 50 || baseline > clip.Bottom + 50) return result;
  int contentX = x + ContentLeft;
  if (Position == PositionRelative) contentX += LeftOffset;
  else if (IsAbsolute()) contentX = xRef + LeftOffset + ContentLeft;
  DrawMarker(canvas, contentX, baseline + (Position == PositionRelative ? TopOffset : 0));
  return result;
}

void TBlockLI::DrawMarker(TCanvas& canvas, int contentX, int baseline) {
  if (ListKind == DefinitionList) return;
  if (MarkerImage && Document && Document->ShowImages) {
    MarkerImage->DrawPicture(canvas, contentX - 16, baseline - MarkerImage->ScaledHeight);
    return;
  }
  const TColor color = MarkerFont->Color();
  switch (ListStyle) {
    case ListCircle:
    case ListDisc:
    case ListSquare: {
      const TColor penColor = canvas.Pen().Color();
      const TColor brushColor = canvas.Brush().Color();
      const TBrushStyle brushStyle = canvas.Brush().Style();
      canvas.Pen().SetColor(color);
      canvas.Brush().SetColor(color);
      if (ListStyle == ListCircle) {
        canvas.Brush().SetStyle(bsClear);
        canvas.Ellipse(contentX - 16, baseline - 8, contentX - 9, baseline - 1);
      } else if (ListStyle == ListDisc) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Ellipse(contentX - 15, baseline - 6, contentX - 10, baseline - 1);
      } else {
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(TRect{contentX - 15, baseline - 6, contentX - 10, baseline - 1});
      }
      canvas.Pen().SetColor(penColor);
      canvas.Brush().SetColor(brushColor);
      canvas.Brush().SetStyle(brushStyle);
      break;
    }
    case ListDecimal:
    case ListLowerAlpha:
    case ListLowerRoman:
    case ListUpperAlpha:
    case ListUpperRoman: {
      const String text = ListMarkerText(ListStyle, ListNumber) + u".";
      TDeviceContext& dc = SelectRunFont(canvas, *MarkerFont);
      const int width = dc.GetTextExtentPoint32(text).cx;
      const uint32_t align = dc.SetTextAlign(TA_BASELINE);
      const int mode = dc.SetBkMode(TRANSPARENT);
      dc.SetTextColor(color);
      dc.TextOut(contentX - 10 - width, baseline, text);
      dc.SetBkMode(mode);
      dc.SetTextAlign(align);
      break;
    }
    default:
      break;
  }
}
