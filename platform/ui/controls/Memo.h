// TMemo: a multi-line edit box over its line list. With a horizontal scroll bar (ssBoth or
// ssHorizontal) or WordWrap off, a line of the text stays one line on screen.
#pragma once

#include "platform/ui/WinControl.h"
#include "platform/ui/controls/MemoLines.h"

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);

  TMemoLines& Lines() { return lines_; }
  const TMemoLines& Lines() const { return lines_; }
  String Text() const override { return lines_.Text(); }
  void SetText(const String& value) override { lines_.SetText(value); }

  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  // Whether long lines wrap on screen.
  bool Wraps() const;
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // The selection in UTF-16 units of Text (line breaks count two).
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelStart(int value);
  void SetSelLength(int value);

  TNotifyEvent OnChange;

  void UserSetText(const String& value);
  void UserSetSelection(int start, int length);

 private:
  void LinesChanged();

  TMemoLines lines_;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool readOnly_ = false;
  int selStart_ = 0, selLength_ = 0;
};
