// Single-line edit boxes. OnChange follows every change of the text, by the user or by code.
#pragma once

#include "platform/ui/WinControl.h"

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);

  void SetText(const String& value) override;
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelStart(int value);
  void SetSelLength(int value);
  // The most characters the user can type; 0 for no limit. Text set by code is not cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);

  TNotifyEvent OnChange;

  // The user changed the text in the widget (cut to MaxLength).
  void UserSetText(const String& value);
  // The user moved the cursor or the selection in the widget.
  void UserSetSelection(int start, int length);

 private:
  bool readOnly_ = false;
  int selStart_ = 0, selLength_ = 0;
  int maxLength_ = 0;
};

// An edit box that can hide what is typed behind a password character.
class TMaskEdit : public TEdit {
 public:
  explicit TMaskEdit(TComponent* AOwner);
  // 0 shows the text; any other character is shown in place of each character.
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char value);

 private:
  Char passwordChar_ = 0;
};
