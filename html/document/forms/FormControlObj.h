// The base of every form control of a document: the field's attributes and style, its
// place in the text, its window (made hidden off-screen on the document's paint panel and
// placed where its line is painted), the events of that window, and the operations each
// kind of control gives its own behaviour (size, reset, submission, print image).
#pragma once

#include <cstdint>
#include <memory>

#include "html/document/model/TabControl.h"
#include "html/foundation/shared/IdObjects.h"
#include "platform/gdi/Colors.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Events.h"

class TAttributeList;
class TBitmap;
class TCanvas;
class TComponent;
class TProperties;
class TWinControl;
class ThtDocument;
class ThtmlForm;

// Attribute symbols of form fields.
namespace FormAttr {
enum : uint8_t {
  Action = 1, Checked = 16, Cols = 20, Disabled = 24, EncType = 25, MaxLength = 42, Method = 44, Multiple = 45,
  OnBlur = 52, OnChange = 53, OnClick = 54, OnFocus = 55, ReadOnly = 59, Rows = 62, Selected = 66, Size = 68,
  Value = 82, Wrap = 86
};
}  // namespace FormAttr

// Where a hidden window waits until its line is painted.
constexpr int OffScreenX = -4000;

// Counts and sizes from attributes (SIZE, MAXLENGTH, ROWS, COLS): the attribute's number
// clamped to 1..MaxFieldCount before it is used in any product.
constexpr int MaxFieldCount = 10000;
int ClampedFieldCount(double number);

class TFormControlObj : public TIDObject, public TTabOrderTarget {
 public:
  // Joins the current form of the document (an implicit one outside any FORM), the
  // document's control list, its tab order (TABINDEX of 1 or more) and its ids.
  TFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos);
  // Leaves the document's lists; the window goes with the control.
  ~TFormControlObj() override;
  TFormControlObj(const TFormControlObj&) = delete;
  TFormControlObj& operator=(const TFormControlObj&) = delete;

  int AnchorY() const override { return YValue; }
  // The control's window; nil for a hidden field.
  virtual TWinControl* Window() const = 0;
  virtual int GetHeight() const;
  virtual int GetLeft() const;
  virtual int GetTabOrder() const;
  virtual bool GetTabStop() const;
  virtual int GetTop() const;
  virtual int GetWidth() const;
  virtual bool IsHidden() const { return false; }
  // Reports a change since SaveContents to the viewer's change event.
  virtual void DoOnChange() {}
  // Keeps the state at focus, for DoOnChange.
  virtual void SaveContents() {}
  virtual void SetHeight(int value);
  virtual void SetLeft(int value);
  virtual void SetTabOrder(int value);
  virtual void SetTabStop(bool value);
  virtual void SetTop(int value);
  virtual void SetWidth(int value);
  // The index-th name=value line of the submission; False when there is none.
  virtual bool GetSubmission(int index, String& line);
  // The print image at (x, y) in canvas coordinates.
  virtual void Draw(TCanvas& canvas, int x, int y);
  virtual void Hide();
  // Margins, borders, size, vertical alignment and background from the element's style.
  virtual void ProcessProperties(TProperties& properties);
  // Back to the initial state.
  virtual void ResetToValue() {}
  // Restoring saved form data: SetDataInit once, then SetData with each saved line's value.
  virtual void SetData(int index, const String& value);
  virtual void SetDataInit() {}
  // Window size from the font of the canvas (before each layout).
  virtual void SetHeightWidth(TCanvas& canvas);
  virtual void Show();

  void TakeTabOrder(int number) override { SetTabOrder(number); }
  void SetValue(const String& text) { Value = text; }
  void SetBackgroundColor(TColor color);
  int TotalWidth() const { return GetWidth() + HSpaceLeft + HSpaceRight; }

  // Events of the window.
  void FormControlEnter();
  void FormControlExit();
  void FormControlClick();
  void FormControlMouseMove(TShiftState shift, int x, int y);

  int32_t YValue = 0;
  bool Active = false;
  std::unique_ptr<TBitmap> PaintBitmap;
  TStringList AttributeList;
  String Name, ID, Title, Value;
  int32_t CodePage = 0;
  int32_t SourcePos = 0;
  int32_t CharPos = -1;  // the placeholder's index in the section that shows the control
  ThtDocument* Document;
  ThtmlForm* Form = nullptr;
  uint8_t VerticalAlign = 4;
  int32_t HSpaceLeft = 0, HSpaceRight = 0, VSpaceTop = 1, VSpaceBottom = 1;
  int32_t BorderTop = 0, BorderBottom = 0;
  int32_t Height = 0, Width = 0;
  bool PercentWidth = false;
  bool Disabled = false;
  bool ReadOnly = false;
  TColor BkColor = clNone;
  bool Shown = false;
  String OnBlurText, OnChangeText, OnClickText, OnFocusText;

 protected:
  // The window sits hidden off-screen on the document's paint panel (when there is one).
  void AttachWindow(TWinControl& window);
  // The enter, exit, click and mouse-move events of the window go to this control.
  void BindWindowEvents(TWinControl& window, bool click, bool mouseMove);
  // The element's font and colour on the window; True when the style has a visible border.
  static bool HasVisibleBorder(TProperties& properties);
  static void TakeFont(TWinControl& window, TProperties& properties);
  // The window's colour from BkColor, when one was set.
  void ApplyBkColor();
  // The viewer's change event with the control's change text.
  void ReportChange();
  bool IsPrinting() const;
};
