// Push buttons (submit, reset, button and the browse button of a file field), check boxes
// and radio buttons.
#pragma once

#include <memory>

#include "html/document/forms/FormControlObj.h"
#include "html/document/forms/FormWindows.h"
#include "platform/ui/controls/Buttons.h"

class TCellBasic;
class TEditFormControlObj;

enum TButtonKind : uint8_t { bkSubmit = 0, bkReset = 1, bkButton = 2, bkBrowse = 3 };

class TButtonFormControlObj : public TFormControlObj {
 public:
  // type: the lower-cased TYPE; "file" makes the browse button of a file field.
  TButtonFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes, int sourcePos,
                        const String& type);
  ~TButtonFormControlObj() override;
  TWinControl* Window() const override { return Button.get(); }
  void Draw(TCanvas& canvas, int x, int y) override;
  void SetHeightWidth(TCanvas& canvas) override;
  // The click event, then by kind: submit, reset, nothing, or the viewer's file browse.
  void ButtonClick();

  std::unique_ptr<TButton> Button;
  uint8_t ButtonKind = bkButton;
  TEditFormControlObj* EditControl = nullptr;  // the browse button's edit, not owned
};

class TCheckBoxFormControlObj : public TFormControlObj {
 public:
  TCheckBoxFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes, int sourcePos);
  ~TCheckBoxFormControlObj() override;
  TWinControl* Window() const override { return CheckBox.get(); }
  void DoOnChange() override;
  void SaveContents() override;
  bool GetSubmission(int index, String& line) override;
  void Draw(TCanvas& canvas, int x, int y) override;
  void ResetToValue() override;
  void SetData(int index, const String& value) override;
  void SetDataInit() override;

  std::unique_ptr<TFormCheckBox> CheckBox;
  bool SavedChecked = false;
  bool IsChecked = false;  // the initial state
};

class TRadioButtonFormControlObj : public TFormControlObj {
 public:
  // Unchecks the earlier members of its group when it is checked; a button that is not
  // checked is a tab stop only when it is the first of its group.
  TRadioButtonFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes,
                             int sourcePos, TCellBasic* cell);
  ~TRadioButtonFormControlObj() override;
  TWinControl* Window() const override { return RadioButton.get(); }
  void DoOnChange() override;
  void SaveContents() override;
  bool GetSubmission(int index, String& line) override;
  void Draw(TCanvas& canvas, int x, int y) override;
  void ResetToValue() override;
  void SetData(int index, const String& value) override;
  bool Checked() const { return RadioButton->Checked(); }
  void SetChecked(bool value) { RadioButton->SetChecked(value); }

  std::unique_ptr<TFormRadioButton> RadioButton;
  bool SavedChecked = false;
  bool IsChecked = false;
  TCellBasic* Cell;  // the cell that holds it (its background shows around the button)
};
