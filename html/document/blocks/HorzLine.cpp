#include "html/document/blocks/HorzLine.h"

#include <algorithm>

#include "html/document/model/Document.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/canvas/Canvas.h"

namespace {
enum : uint8_t { ColorAttrSy = 19, NoShadeAttrSy = 49, SizeAttrSy = 68 };

// The leading digits of an attribute's text as a number, clamped.
int32_t LeadingNumber(const String& text) {
  int64_t value = 0;
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
    value = std::min<int64_t>(value * 10 + (text[i] - u'0'), int64_t{AttributeLimit} + 1);
  return ClampAttribute(value);
}

String Digits(int64_t value) {
  const std::string text = std::to_string(value);
  return String(text.begin(), text.end());
}
}  // namespace

THorzLine::THorzLine(ThtDocument* document, TProperties& properties, const TAttributeList* attributes)
    : TSectionBase(document, properties) {
  for (int i = 0; attributes && i < attributes->Count(); ++i) {
    const TAttribute& a = *attributes->AttributeAt(i);
    switch (a.Symbol) {
      case AlignAttrSy: {
        String align = a.ValueText;
        std::transform(align.begin(), align.end(), align.begin(), [](Char c) { return c >= u'A' && c <= u'Z' ? Char(c + 32) : c; });
        if (align == u"left") RuleAlign = 1;
        else if (align == u"right") RuleAlign = 3;
        break;
      }
      case ColorAttrSy: {
        TColor color = clNone;
        if (ParseColorText(a.ValueText, false, color)) properties.Values[Color] = static_cast<int32_t>(color);
        break;
      }
      case NoShadeAttrSy:
        NoShade = true;
        break;
      case SizeAttrSy:
        if (a.IntValue >= 1 && a.IntValue <= 20) RuleHeight = a.IntValue;
        break;
      case WidthAttrSy: {
        const int32_t width = LeadingNumber(a.ValueText);
        if (width > 0) {
          if (a.ValueText.find(u'%') != String::npos) {
            if (width <= 100) properties.Values[Width] = Digits(width) + u"%";
          } else {
            properties.Values[Width] = Digits(width) + u"px";
          }
        }
        break;
      }
      default:
        break;
    }
  }
  properties.Values[Height] = RuleHeight;
  RuleColor = properties.OwnTextColor();
  if (properties.OwnFlags[TextAlign]) {
    const String align = properties[TextAlign].TextOrEmpty();
    if (align == u"left") RuleAlign = 1;
    else if (align == u"center") RuleAlign = 2;
    else if (align == u"right") RuleAlign = 3;
  }
}

THorzLine::THorzLine(ThtDocument* document, const THorzLine& source)
    : TSectionBase(document, source),
      RuleHeight(source.RuleHeight),
      RuleColor(source.RuleColor),
      RuleAlign(source.RuleAlign),
      NoShade(source.NoShade),
      RuleWidth(source.RuleWidth),
      RuleLeft(source.RuleLeft) {}

std::unique_ptr<TSectionBase> THorzLine::CreateCopy(ThtDocument* document) const {
  return std::make_unique<THorzLine>(document, *this);
}

int THorzLine::Layout(TCanvas&, int x, int& cursor, int& maxWidth, TIndentManager& indents, int, int,
                      int availableWidth, int, int, int y) {
  StartCursor = cursor;
  CursorLength = 0;
  SectionTop = DrawTop = ContentTop = y;
  layoutX_ = x;
  RuleLeft = std::max(x, indents.LeftEdgeAt(y));
  RuleWidth = std::min(indents.RightEdgeAt(y) - RuleLeft, x + availableWidth - RuleLeft);
  maxWidth = RuleWidth;
  SectionHeight = DrawHeight = RuleHeight;
  SectionBottom = DrawBottom = y + RuleHeight;
  return RuleHeight;
}

int THorzLine::Draw(TCanvas& canvas, const TRect& clip, TIndentManager&, int x, int, int) {
  const int result = SectionTop + SectionHeight;
  const int top = SectionTop - (Document ? Document->YOffset : 0);
  if (top >= clip.Bottom || top + RuleHeight <= clip.Top || (Document && Document->NoOutput)) return result;
  if (Document && Document->Printing && SectionTop >= Document->PageBottom) return result;
  if (Document) Document->NothingPaintedYet = false;
  const int left = RuleLeft - layoutX_ + x;
  if (RuleColor != clNone) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(RuleColor);
    canvas.FillRect(TRect{left, top, left + RuleWidth, top + RuleHeight});
    return result;
  }
  const bool printing = Document && Document->Printing;
  TColor light = clBlack, dark = clBlack;
  if (!NoShade) {
    light = printing || (Document && ColorToRGB(Document->BackgroundColor) == 0xFFFFFF) ? clSilver : clBtnHighlight;
    dark = clBtnShadow;
  }
  const int right = left + RuleWidth - 1, bottom = top + RuleHeight - 1;
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(light);
  canvas.MoveTo(right, top);
  canvas.LineTo(right, bottom);
  canvas.LineTo(left, bottom);
  canvas.Pen().SetColor(dark);
  canvas.MoveTo(left, bottom);
  canvas.LineTo(left, top);
  canvas.LineTo(right, top);
  return result;
}

void THorzLine::CopySelection() {
  if (Document && Document->SelectionSink) Document->SelectionSink->AddChars(u"\r\n", 2);
}

THRBlock::THRBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TProperties& properties)
    : TBlock(document, attributes, ownerCell, properties) {
  auto rule = std::make_unique<THorzLine>(document, properties, attributes);
  RuleAlign = rule->RuleAlign;
  BoxValues[BoxEntry(Width)] = properties[Width];
  BoxValues[BoxEntry(Height)] = properties[Height];
  Rule = rule.get();
  ContentCell->AddSection(std::move(rule), 0);
}

THRBlock::THRBlock(ThtDocument* document, const THRBlock& source) : TBlock(document, source), RuleAlign(source.RuleAlign) {
  THRBlock::FindContentParts();
}

void THRBlock::FindContentParts() {
  Rule = ContentCell->Count() > 0 ? dynamic_cast<THorzLine*>(ContentCell->Items(0)) : nullptr;
}

std::unique_ptr<TSectionBase> THRBlock::CreateCopy(ThtDocument* document) const {
  return std::make_unique<THRBlock>(document, *this);
}

int THRBlock::FindWidth(TCanvas&, int availableWidth, int, int) {
  const uint8_t align = IsAbsolute() ? 1 : RuleAlign;
  auto value = [&](int p) { return BoxAt(p) == AutoSentinel ? 0 : BoxAt(p); };
  BoxAt(MarginLeft) = value(MarginLeft);
  BoxAt(MarginRight) = value(MarginRight);
  const int room = availableWidth - BoxAt(MarginLeft) - BoxAt(MarginRight) - BoxAt(PaddingLeft) -
                   BoxAt(PaddingRight) - BoxAt(BorderLeftWidth) - BoxAt(BorderRightWidth);
  int width = BoxAt(Width) >= 1 ? BoxAt(Width) : std::max(room, 15);
  width = std::min(width, room);
  if (align != 1 && room > width) BoxAt(MarginLeft) += align == 2 ? (room - width) / 2 : room - width;
  if (Rule && !(Document && Document->IsCopy)) BoxAt(Height) = Rule->RuleHeight;
  BoxAt(Width) = width;
  return width;
}
