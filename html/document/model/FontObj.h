// A font run: the font that applies from a character of a section's text up to the next
// run, its metrics, and, for a run inside a link, the link with its state fonts and the
// invisible tab stop that gives the link a place in the keyboard's tab order.
#pragma once

#include <cstdint>
#include <memory>

#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/rtl/Types.h"

class TLinkList;
class TSectionBase;
class ThtDocument;
class ThtTabControl;

class TFontObj : public TFontObjBase {
 public:
  // Takes the font; the link target starts empty.
  TFontObj(TSectionBase* section, int startPos, std::unique_ptr<TMyFont> font);
  // For the printing copy: position, script kind, the font (the link font when the source
  // has state fonts) and a copy of the target; no state fonts, no tab stop.
  TFontObj(TSectionBase* section, const TFontObj& source);
  // Leaves the document's link list and tab-order list.
  ~TFontObj() override;
  TFontObj(const TFontObj&) = delete;
  TFontObj& operator=(const TFontObj&) = delete;

  ThtDocument* Document() const { return document_; }
  void EnsureStateInfos();
  void ReplaceFont(std::unique_ptr<TMyFont> font);
  // Name, height from the point size, style, colours and charset from the info; measured anew.
  void ApplyFontInfo(const ThtFontInfo& info);
  void UpdateMetrics();
  // 0 link, 1 visited, 2 hovered, 3 visited and hovered.
  int StateIndex() const { return (IsVisited ? 1 : 0) + (IsHovered ? 2 : 0); }
  void SetVisited(bool value);
  void SetHovered(bool value);
  // Hovers or unhovers every run of this link (neighbours in the link list with the same
  // serial number).
  void SetLinkHover(TLinkList& links, bool value);
  // The target's URL; empty when there is none.
  String GetUrl() const;
  // Runs outside links share one empty link target: a run gets a target of its own when a
  // link is copied into it, or when it is asked for one to change.
  void CopyLinkTarget(const TUrlTarget& source);
  TUrlTarget& OwnLinkTarget();
  int ExtentAndDescent(int& descent) const {
    descent = BelowBaseline;
    return LineExtent;
  }
  // The tab stop of the link (unless this or an earlier run of the same link has one);
  // filed in the document's tab-order list when tabIndex is above 0.
  void CreateFocusControl(int tabIndex);
  // Hands the tab stop to another run of the same link; its events then go to that run.
  void HandFocusControlTo(TFontObj& run);

  // The run's place in the document's link list; -1 when it is not there.
  int LinkIndex() const;
  // Both runs belong to the same link (same serial number).
  bool SameLink(const TFontObj& other) const;

  // Tab stop events.
  void FocusEntered();
  void FocusExited();
  void KeyDown(uint16_t& key, uint32_t shift);

  // The title of the element around the run; empty when it has none (most runs: they keep
  // no text for it).
  const String& RunTitle() const;
  void SetRunTitle(const String& title);

  // Pointers first, then numbers and flags: a table of many cells has a run for each.
  TSectionBase* OwnerSection;  // not owned
  // The run's font: the document's shared font equal to it (ThtDocument::SharedFonts), or
  // its own when the run has no document. A run that changes its font copies it first.
  TMyFont* RunFont = nullptr;
  std::unique_ptr<TFontInfoArray> StateInfos;  // link, visited, hover, visited-hover; nil outside links
  std::unique_ptr<ThtTabControl> FocusControl;
  int32_t StartPos;
  int32_t LinkTop = 0;
  int32_t LineExtent = 0;                       // tmHeight + tmExternalLeading
  int32_t CellHeight = 0;                       // tmHeight
  int32_t WidestChar = 0;                       // tmMaxCharWidth
  int32_t ItalicOverhang = 0;
  int32_t BelowBaseline = 0;                    // tmDescent
  uint8_t ScriptKind = 0;                       // 8 subscript, 9 superscript
  bool IsVisited = false, IsHovered = false;
  bool HasFocus = false;
  // False while the run is surely not in the document's link list (kept by TLinkList).
  bool InLinkList = false;

 private:
  void ApplyStateFont();
  TMyFont& OwnFont();
  void BindFocusControl();
  mutable int linkIndexHint_ = -1;
  ThtDocument* document_;
  std::unique_ptr<TMyFont> ownFont_;
  std::unique_ptr<TUrlTarget> target_;
  std::unique_ptr<String> title_;
  friend class TLinkList;
};

// Records the Y of a link's first line on the run of the link that owns the tab stop.
void SetLinkTop(TFontObj& run, int y);

// Case-insensitive comparison of two texts; 0 when equal.
int CompareWideText(const String& a, const String& b);
