// TEXTAREA fields: a multi-line memo with rows, columns and wrapping (off, soft or hard).
#pragma once

#include <memory>
#include <vector>

#include "html/document/forms/FormControlObj.h"
#include "platform/ui/controls/Memo.h"

class TTextAreaFormControlObj : public TFormControlObj {
 public:
  TTextAreaFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes, int sourcePos);
  ~TTextAreaFormControlObj() override;
  TWinControl* Window() const override { return Memo.get(); }
  // The element's content (the parser joins its lines with CR LF).
  void AddText(const String& text) { InitialText += text; }
  void DoOnChange() override;
  void SaveContents() override;
  // Name=text; with hard wrapping the lines as shown, joined with CR LF.
  bool GetSubmission(int index, String& line) override;
  void Draw(TCanvas& canvas, int x, int y) override;
  void ProcessProperties(TProperties& properties) override;
  void ResetToValue() override;
  void SetData(int index, const String& value) override;
  void SetHeightWidth(TCanvas& canvas) override;
  // The memo's lines as the window shows them: each line broken at blanks (inside a word
  // when the word alone is too wide) to the memo's text width, when it wraps.
  std::vector<String> DisplayedLines(TCanvas& canvas) const;

  std::unique_ptr<TMemo> Memo;
  uint8_t Wrap = 1;  // 0 off, 1 soft, 2 hard
  int32_t Rows = 5, Cols = 30;
  String SavedText;
  String InitialText;
  bool HasBorder = true;

 private:
  // Frame, scroll bars: what the window has beyond its text area.
  int ExtraWidth() const;
  int ExtraHeight() const;
};
