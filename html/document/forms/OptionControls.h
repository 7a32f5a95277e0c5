// SELECT fields: the options with their values, selection and attributes, and the list
// box (MULTIPLE or SIZE above 1) and drop-down list that show them.
#pragma once

#include <memory>
#include <vector>

#include "html/document/forms/FormControlObj.h"
#include "platform/ui/controls/ListControls.h"

class TFont;

// The width of the system's vertical scroll bar (and height of a horizontal one).
constexpr int SystemScrollBarWidth = 17;

struct TOptionObj {
  String Value;
  bool Selected = false;
  TStringList Attributes;  // the OPTION's attributes as name=value lines
};

// The option texts as shown, each with its option.
class ThtOptionStringList {
 public:
  int Count() const { return static_cast<int>(texts_.size()); }
  const String& Strings(int index) const { return texts_.at(static_cast<size_t>(index)); }
  void Add(const String& text, std::unique_ptr<TOptionObj> option);
  // Empty out of range.
  String Value(int index) const;
  // False out of range.
  bool Selected(int index) const;

 private:
  std::vector<String> texts_;
  std::vector<std::unique_ptr<TOptionObj>> options_;
};

class TOptionsFormControlObj : public TFormControlObj {
 public:
  TOptionsFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos);
  // Text empty: shown as one blank. Value: the VALUE line of the attributes, or the text
  // when there is none or it is empty. The widest text measured in the list's font.
  void AddOption(const String& text, bool selected, int codePage, const std::vector<String>& attributes);
  void ProcessProperties(TProperties& properties) override;

  ThtOptionStringList Options;
  const TFont* ListFont = nullptr;  // the window's
  int32_t ListSize = -1;            // SIZE (1..MaxFieldCount), -1 when absent
  int32_t MaxOptionWidth = 3;
  bool HasBorder = true;
};

class TListBoxFormControlObj : public TOptionsFormControlObj {
 public:
  TListBoxFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes, int sourcePos);
  ~TListBoxFormControlObj() override;
  TWinControl* Window() const override { return ListBox.get(); }
  void DoOnChange() override;
  void SaveContents() override;
  // One line per item: name=value for a selected item, empty for the others.
  bool GetSubmission(int index, String& line) override;
  void Draw(TCanvas& canvas, int x, int y) override;
  void ResetToValue() override;
  void SetData(int index, const String& value) override;
  void SetHeightWidth(TCanvas& canvas) override;

  std::unique_ptr<TListBox> ListBox;
  int32_t SavedCount = 0;
  std::vector<bool> SavedSelection;  // every item's flag at focus

 private:
  bool IsChosen(int index) const;
};

class TComboFormControlObj : public TOptionsFormControlObj {
 public:
  TComboFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes, int sourcePos);
  ~TComboFormControlObj() override;
  TWinControl* Window() const override { return ComboBox.get(); }
  void DoOnChange() override;
  void SaveContents() override;
  bool GetSubmission(int index, String& line) override;
  void Draw(TCanvas& canvas, int x, int y) override;
  void ResetToValue() override;
  void SetData(int index, const String& value) override;
  void SetHeightWidth(TCanvas& canvas) override;

  std::unique_ptr<TComboBox> ComboBox;
  int32_t SavedIndex = -1;
};
