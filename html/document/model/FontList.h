// The font runs of a section in position order, and the document's list of every run that
// belongs to a link.
#pragma once

#include <memory>

#include "html/document/model/FontObj.h"
#include "html/foundation/shared/FreeList.h"

class TFontList : public TFreeList<TFontObj> {
 public:
  explicit TFontList(bool ownsRuns = true) : TFreeList(ownsRuns) {}
  // Adds copies of the source's runs for the printing copy of a section.
  void AddCopies(TSectionBase* section, const TFontList& source);

  // The font of the run that covers the position, with its italic overhang; nil when the
  // list is empty.
  TMyFont* FontAt(int position, int& overhang) const;
  // The run that covers the position and its index; nil (index -1) when the list is empty.
  TFontObj* RunAt(int position, int& index) const;
  // Characters from the position to the next run start, or to the text length.
  int RunLengthAt(int position, int textLength) const;
  // After the character at the position has been deleted from the section text: later runs
  // move down by one, and a run left starting where its successor starts is removed.
  void RemoveCharAt(int position, ThtDocument& document);

 private:
  // The index of the first run that starts at or after the position (Count() when none).
  int FirstRunFrom(int position) const;
};

// The document's link runs in the order they were made; does not own them. Runs come and go
// through AddLink and RemoveLink, which mark them, so that the many runs that are no links
// leave without a search of the list.
class TLinkList : public TFontList {
 public:
  TLinkList() : TFontList(false) {}
  // Adds the run unless it is already there.
  void AddLink(TFontObj* run);
  // Takes the run out where it stands.
  void RemoveLink(TFontObj* run);
  // Empties the list; its runs are no longer marked.
  void Clear();
};
