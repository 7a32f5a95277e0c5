// A run of inline content between two block boundaries: its characters with break codes and
// source positions, the font runs that style them, the images and panels that sit in the
// text, and the lines of its last layout. The parser feeds it characters and tokens, then
// finishes the text, which folds white space.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "html/document/floats/FloatingObjList.h"
#include "html/document/forms/FormControlList.h"
#include "html/document/inline/LineRec.h"
#include "html/document/inline/SourceRuns.h"
#include "html/document/model/FontList.h"
#include "html/document/model/SectionBase.h"

class TAttributeList;
class TCellBasic;
class TDeviceContext;
class TImageObj;
class TPanelObj;
class TokenObj;
struct TLineLayout;

class TSection : public TSectionBase {
 public:
  // The first font run comes from the property set's font, with the element's title; with a
  // link target that has a URL it is a link run. Line height, text indent (only with
  // firstLineIndent), clear side, alignment and word wrap come from the properties; the
  // element's id is registered with the document.
  TSection(ThtDocument* document, bool firstLineIndent, const TUrlTarget* linkTarget, TProperties& properties,
           TAttributeList* attributes);
  // For the printing copy: text, codes, alignment, indents and copies of runs and objects.
  TSection(ThtDocument* document, const TSection& source);

  std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const override;
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override;
  void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) override;
  void CloseText(int endSourcePosition) override;
  bool IsEmptyText() const override;
  int WidestLine() const override { return TextWidth; }

  // Painting, hit tests, cursor and source positions, find and copy over the laid-out lines.
  int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) override;
  int UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
            std::unique_ptr<TUrlTarget>& target) override;
  bool ObjectAt(int x, int y, TIDObject*& object) override;
  int FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop, int& cursorX) override;
  bool CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) override;
  int SourceToCursor(int sourcePosition, bool backward) override;
  int CursorToSource(int cursor) override;
  bool CharAt(int cursor, Char& ch, TIDObject*& object) override;
  // The search text comes lower-cased from the caller when case is not to be matched.
  int FindString(int fromCursor, const String& text, bool matchCase) override;
  int FindStringBack(int fromCursor, const String& text, bool matchCase) override;
  void CopySelection() override;

  // The advance of every character of the line as it is painted: text in its run's font with
  // the line's justification (a surrogate pair's advance on its first unit, 0 on the second),
  // inline images with their spacing, floating images 0.
  std::vector<int> LineAdvances(TCanvas& canvas, const LineRec& line) const;

  // Collecting text (the parser).
  virtual void AddChar(Char ch, int sourcePosition);
  virtual void AddTokenObj(TokenObj& token);
  // Folds white space and fixes the character positions.
  virtual void FinishText(int endSourcePosition);
  // The properties' font from the current length on (the last run takes it when nothing was
  // added since it began).
  void ChangeFont(TProperties& properties);
  // As ChangeFont, and the run is made a link run with the target, or a plain one.
  void ChangeLinkFont(bool isLink, TProperties& properties, const TUrlTarget& target);
  // An image at the current length; the section owns it. Answers the image.
  TImageObj* AddImage(const TAttributeList& attributes, TCellBasic* cell, int sourcePosition);
  // A panel (PANEL element) at the current length; the section owns it.
  TPanelObj* AddPanel(const TAttributeList& attributes, int sourcePosition);
  // The panel of an OBJECT element, made before its content is read; added later.
  std::unique_ptr<TPanelObj> CreatePanel(const TAttributeList& attributes) const;
  TPanelObj* AddPanelObject(std::unique_ptr<TPanelObj> panel, int sourcePosition);
  // The form control of a TEXTAREA, SELECT or INPUT tag (symbol) at the current length,
  // made for the tag and the TYPE attribute; it joins the document's current form. A file
  // field adds its edit and its browse button, an image field an image, a hidden field no
  // character. Answers the control that takes the element's style.
  TFormControlObj* AddFormControl(uint8_t tagSymbol, TProperties& properties, int sourcePosition, TCellBasic* cell,
                                  TAttributeList& attributes);
  // A break is allowed after the last character (WBR).
  void MarkBreakAfter();

  // Measuring. The width of count characters from start: text pieces in their run's font
  // with its overhang, inline images with their spacing, floating images nothing; with
  // ignoreTrailing, trailing forced breaks and spaces do not count.
  int TextWidthOf(TCanvas& canvas, int start, int count, bool ignoreTrailing) const;
  // How many of at most maxCount characters from start fit in width (an inline image counts
  // as one character and ends the count when it does not fit). The last answer is cached.
  int CountThatFits(TCanvas& canvas, int width, int maxCount, int start);

  // Strings and lists first, then numbers and flags: a table of many cells has a section
  // for each.
  int32_t SectionNumber = 0;
  String Text;
  std::string BreakCodes;              // one per character, and a final "y" when finished
  std::vector<int32_t> SourceIndexes;  // while collecting: size is the capacity
  TFontList Fonts{true};
  // The images and panels in the text, and the controls shown in it (the forms own them; a
  // printing copy shares them). Most sections have neither: the lists are made by the
  // first one added.
  const TFloatingObjList& FloatingObjects() const;
  const TFormControlObjList& FormControls() const;
  TFloatingObjList& OwnFloatingObjects();
  TFormControlObjList& OwnFormControls();
  std::vector<IndexObj> SourceRuns;  // when finished
  std::vector<std::unique_ptr<LineRec>> Lines;
  int32_t ProgressPass = 0;
  int32_t LineHeight = -1;  // pixels from "line-height"; negative when not set
  int32_t ContentWidth = 0;
  int32_t CachedMinWidth = 0, CachedMaxWidth = 0;
  int32_t FirstLineIndent = 0;
  int32_t FirstLineIndentPercent = 0;  // 0 or a percentage, at most 90
  int32_t TextWidth = 0;
  uint8_t Justify = 1;    // 1 left, 2 center, 3 right, 4 justify
  uint8_t ClearSide = 0;  // 0 none, 1 left, 2 right, 3 both
  bool HasAnchor = false;
  bool BreakWord = false;
  bool Preformatted = false;  // set by the preformatted section: no folding, no wrapping

 protected:
  // Appends characters with their source positions; growth keeps room for all of them.
  void AppendChars(const Char* chars, const int32_t* positions, int count);
  // Ends the text: final code, cursor length, source runs, section number.
  void FixText();

 private:
  char CollectedCode() const;
  void AppendSmallCaps(const String& text, const int32_t* positions);
  TFontObj* StartRun(TProperties& properties, const TUrlTarget* target);
  void MakeLinkRun(TFontObj& run, TProperties& properties, bool tabStop);
  void ApplyFolding(const std::vector<int>& newIndex);
  void AppendFinalSpace(int sourcePosition);

  // When printing a section of many lines: the line tops of this layout, so that a page
  // starts at its first line and stops after its last instead of walking every line.
  // False when the lines cannot be searched by position (tops that go back up).
  bool IndexLines();

  std::unique_ptr<TFloatingObjList> floatingObjects_;
  std::unique_ptr<TFormControlObjList> formControls_;
  int32_t indexedPass_ = -1;  // the layout the lines' tops come from
  int32_t tallestLine_ = 0;   // the largest DrawHeight of a line
  bool linesIndexed_ = false;

  // Line layout.
  int FitLine(TLineLayout& L, int start, int maxCount, int& lineImageHeight);
  int ChooseBreak(TLineLayout& L, int start, int count, bool& retry);
  void FinishLine(TLineLayout& L, int start, int count, int lineImageHeight, bool lastLine);
  void EmitEmptyLine(TLineLayout& L, int start, int height);
  void MeasureObjects(TLineLayout& L, int availableHeight, int containingHeight, int availableWidth);
  int ClearDrop(const TIndentManager& indents, int y) const;
  void ReportProgress();

  // Fitting a text piece [from, to) of one font into width; answers the characters that fit
  // and their width.
  int FitPiece(TDeviceContext& dc, int from, int to, int width, int averageWidth, int& used) const;
  int HyphenWidth(TCanvas& canvas, const TFontObj& run) const;
  int PieceEnd(int from, int end) const;
  // The control whose placeholder is at i; nil for any other character.
  TFormControlObj* ControlAt(int i) const;
  // Places and shows (on screen) or prints (on a printing copy) the control of a line.
  void DrawControl(TCanvas& canvas, TFormControlObj& control, const LineRec& line, int x, int lineTop);

  // Painting one line at baseline (document Y); answers nothing.
  // Characters that start further right than a margin past clipRight are not written.
  void DrawLine(TCanvas& canvas, LineRec& line, int x, int lineTop, int clipRight);
  void MeasureBorders(TCanvas& canvas, LineRec& line, const std::vector<int>& advances, int lineTop);
  void DrawBorders(TCanvas& canvas, const LineRec& line) const;
  void DrawCaret(TCanvas& canvas, int x, int baselineY) const;
  // The line holding the cursor (relative to the section) with its top; nil when none.
  const LineRec* LineOfIndex(int index, int& lineTop) const;

  bool finished_ = false;
  struct {
    int Start = -1, Width = 0, MaxCount = 0, Answer = 0;
  } fitCache_;
};
