#include "html/document/floats/PanelObj.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "html/document/floats/ImageObj.h"
#include "html/document/floats/ImageSizing.h"
#include "html/document/model/Document.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
int32_t AbsAtMost40(int32_t value) { return static_cast<int32_t>(std::min<int64_t>(std::llabs(value), 40)); }
// A size in pixels from an attribute's number: at least 1, at most 10,000,000 (a number
// too large for 32 bits is clamped too, not taken as 0).
int32_t PixelSize(double number) {
  if (!std::isfinite(number)) return 1;
  return static_cast<int32_t>(std::clamp(std::trunc(number), 1.0, 10000000.0));
}
}  // namespace

TPanelObj::TPanelObj(ThtDocument* document, bool forObject, const TAttributeList& attributes, int charPos)
    : TFloatingObj(document), Panel(std::make_unique<ThvPanel>(nullptr)) {
  CharPos = charPos;
  Panel->SetBounds(-4000, -4000, 30, 20);
  Panel->SetBevelOuter(TPanelBevel::bvNone);
  Panel->SetColor(clWhite);
  Panel->SetCaption(String());
  if (document && document->PaintPanel) Panel->SetParent(document->PaintPanel);
  int32_t hspace = -1, vspace = 0;
  String panelName;
  for (int i = 0; i < attributes.Count(); ++i) {
    const TAttribute& a = *attributes.AttributeAt(i);
    const bool percent = a.ValueText.find(u'%') != String::npos;
    switch (a.Symbol) {
      case AlignAttrSy: {
        const String align = UpperCaseText(a.ValueText);
        if (align == u"TOP") VertAlignKind = 1;
        else if (align == u"MIDDLE" || align == u"ABSMIDDLE") VertAlignKind = 2;
        else if (align == u"LEFT") FloatSide = 5;
        else if (align == u"RIGHT") FloatSide = 6;
        break;
      }
      case AltAttrSy:
        SetAlt(a.ValueText);
        TitleText = AltText;
        break;
      case HeightAttrSy:
        if (percent) {
          SpecHeight = std::clamp(a.IntValue, 1, 100);
          HeightIsPercent = true;
        } else {
          SpecHeight = PixelSize(a.Number);
          Panel->SetHeight(SpecHeight);
        }
        break;
      case WidthAttrSy:
        if (percent) {
          SpecWidth = std::clamp(a.IntValue, 1, 100);
          WidthIsPercent = true;
        } else {
          SpecWidth = PixelSize(a.Number);
          Panel->SetWidth(SpecWidth);
        }
        break;
      case HSpaceAttrSy: hspace = AbsAtMost40(a.IntValue); break;
      case VSpaceAttrSy: vspace = AbsAtMost40(a.IntValue); break;
      case NameAttrSy:
        panelName = a.ValueText;
        Panel->SetName(a.ValueText);
        break;
      case SrcAttrSy: PanelSource = a.ValueText; break;
      case TypeAttrSy: PanelType = a.ValueText; break;
      default: break;
    }
  }
  if (hspace < 0) hspace = Floats() ? 3 : 0;
  SpaceLeft = SpaceRight = hspace;
  SpaceTop = SpaceBottom = vspace;
  // The host fills the window (and may size it) before its natural size is taken.
  if (!forObject && document && document->PanelCreate)
    document->PanelCreate(panelName, *Panel, PanelSource, PanelType);
  naturalWidth_ = Panel->Width();
  naturalHeight_ = Panel->Height();
  if (document) document->PanelList.Add(this);
}

TPanelObj::TPanelObj(ThtDocument* document, const TPanelObj& source)
    : TFloatingObj(document, source), Panel(std::make_unique<ThvPanel>(nullptr)), SourcePanel(source.Panel.get()),
      IsPrintCopy(true), naturalWidth_(source.naturalWidth_), naturalHeight_(source.naturalHeight_) {
  const ThvPanel& from = *source.Panel;
  Panel->SetBounds(from.Left(), from.Top(), from.Width(), from.Height());
  Panel->ShowInDocument = from.ShowInDocument;
  Panel->SetColor(from.Color());
  if (document && document->PaintPanel) Panel->SetParent(document->PaintPanel);
  SpecWidth = source.SpecWidth;
  SpecHeight = source.SpecHeight;
  WidthIsPercent = source.WidthIsPercent;
  HeightIsPercent = source.HeightIsPercent;
  SizeKnown = source.SizeKnown;
  TitleText = source.TitleText;
  if (source.Document) PanelPrint = source.Document->PanelPrint;
}

TPanelObj::~TPanelObj() {
  if (Document)
    while (Document->PanelList.Extract(this)) {
    }
  if (!IsPrintCopy && Document && Document->PanelDestroy) Document->PanelDestroy(*Panel);
}

void TPanelObj::MeasureBox(TCanvas&, int availableHeight, int availableWidth, TFontObj*) {
  const bool widthGiven = SpecWidth >= 0, heightGiven = SpecHeight >= 0;
  if (WidthIsPercent) {
    BoxWidth = ScaleClamped(std::max(availableWidth, 0), SpecWidth, 100);
    if (!heightGiven) BoxHeight = ScaleClamped(naturalHeight_, BoxWidth, naturalWidth_);
    else if (HeightIsPercent) BoxHeight = ScaleClamped(std::max(availableHeight, 0), SpecHeight, 100);
    else BoxHeight = SpecHeight;
  } else if (HeightIsPercent) {
    BoxHeight = ScaleClamped(std::max(availableHeight, 0), SpecHeight, 100);
    BoxWidth = widthGiven ? SpecWidth : ScaleClamped(naturalWidth_, BoxHeight, naturalHeight_);
  } else if (!SizeKnown) {
    if (widthGiven && heightGiven) {
      BoxWidth = SpecWidth;
      BoxHeight = SpecHeight;
    } else if (widthGiven) {
      BoxWidth = SpecWidth;
      BoxHeight = ScaleClamped(naturalHeight_, BoxWidth, naturalWidth_);
    } else if (heightGiven) {
      BoxHeight = SpecHeight;
      BoxWidth = ScaleClamped(naturalWidth_, BoxHeight, naturalHeight_);
    } else {
      BoxWidth = naturalWidth_;
      BoxHeight = naturalHeight_;
    }
    SizeKnown = true;
  }
  if (!IsPrintCopy && BoxWidth > 0 && BoxHeight > 0)
    Panel->SetBounds(Panel->Left(), Panel->Top(), BoxWidth, BoxHeight);
}

void TPanelObj::Draw(TCanvas& canvas, int x, int y) {
  if (!Panel->ShowInDocument) return;
  if (PanelPrint && SourcePanel && BoxWidth > 0 && BoxHeight > 0) {
    TBitmap bitmap(BoxWidth, BoxHeight, pf24bit);
    // The host draws the source panel as large as the box; its bounds come back afterwards,
    // also when the host fails.
    struct TBoundsRestorer {
      ThvPanel& panel;
      int left, top, width, height;
      ~TBoundsRestorer() { panel.SetBounds(left, top, width, height); }
    } restore{*SourcePanel, SourcePanel->Left(), SourcePanel->Top(), SourcePanel->Width(), SourcePanel->Height()};
    SourcePanel->SetBounds(SourcePanel->Left(), SourcePanel->Top(), BoxWidth, BoxHeight);
    PanelPrint(*SourcePanel, bitmap);
    canvas.StretchDraw(TRect{x, y, x + BoxWidth, y + BoxHeight}, bitmap);
    return;
  }
  TFont font;
  font.Assign(canvas.Font());
  TBrush brush;
  brush.Assign(canvas.Brush());
  TPen pen;
  pen.Assign(canvas.Pen());
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetColor(Panel->Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Rectangle(x, y, x + BoxWidth, y + BoxHeight);
  SelectAltFont(canvas);
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetStyle(bsClear);
  const uint32_t align = canvas.Handle().SetTextAlign(TA_TOP | TA_LEFT);  // lines paint on their baseline
  canvas.TextRect(TRect{x + 5, y + 5, x + BoxWidth - 5, y + BoxHeight - 5}, x + 5, y + 5, AltText);
  canvas.Handle().SetTextAlign(align);
  canvas.Font().Assign(font);
  canvas.Brush().Assign(brush);
  canvas.Pen().Assign(pen);
}
