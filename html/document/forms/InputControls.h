// The INPUT fields that are not buttons: hidden fields, single-line edits (text, password,
// file and unknown types) and image buttons.
#pragma once

#include <memory>

#include "html/document/forms/FormControlObj.h"
#include "html/foundation/globals/HtEdit.h"
#include "platform/ui/controls/Buttons.h"

class TImageObj;

class THiddenFormControlObj : public TFormControlObj {
 public:
  THiddenFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos);
  TWinControl* Window() const override { return nullptr; }
  bool IsHidden() const override { return true; }
  void SetHeight(int) override {}
  void SetLeft(int) override {}
  void SetTabOrder(int) override {}
  void SetTabStop(bool) override {}
  void SetTop(int) override {}
  void SetWidth(int) override {}
  void Hide() override {}
  void Show() override {}
  // Name=Value, also with an empty name.
  bool GetSubmission(int index, String& line) override;
  void SetData(int index, const String& value) override;
};

class TEditFormControlObj : public TFormControlObj {
 public:
  // type: the lower-cased TYPE ("password" hides the text).
  TEditFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes, int sourcePos,
                      const String& type);
  ~TEditFormControlObj() override;
  TWinControl* Window() const override { return Edit.get(); }
  void DoOnChange() override;
  void SaveContents() override;
  bool GetSubmission(int index, String& line) override;
  void Draw(TCanvas& canvas, int x, int y) override;
  void ProcessProperties(TProperties& properties) override;
  void ResetToValue() override;
  void SetData(int index, const String& value) override;
  void SetHeightWidth(TCanvas& canvas) override;

  std::unique_ptr<ThtEdit> Edit;
  int32_t CharWidth = 0;
  int32_t EditSize = 15;  // characters
  String SavedText;
  bool HasBorder = true;
};

class TImageFormControlObj : public TFormControlObj {
 public:
  TImageFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos);
  ~TImageFormControlObj() override;
  TWinControl* Window() const override { return Button.get(); }
  // The click point, once after a click: "x=" and "y=", prefixed by the name and ".".
  bool GetSubmission(int index, String& line) override;
  // The image takes the style.
  void ProcessProperties(TProperties& properties) override;
  // The mouse was released over the image: the click point is submitted.
  void ImageClick();

  std::unique_ptr<TButton> Button;  // 1 by 1, off-screen: only takes the focus
  TImageObj* ImageObj = nullptr;
  int32_t XPos = -1, YPos = 0;
  int32_t ClickX = 0, ClickY = 0;
};
