#include "html/document/model/FontList.h"

#include "html/document/model/Document.h"

void TFontList::AddCopies(TSectionBase* section, const TFontList& source) {
  for (int i = 0; i < source.Count(); ++i) Add(new TFontObj(section, *source.Items(i)));
}

// The runs start in position order (a new run starts at the end of the text, and the text
// edits move later runs alike), so the first run starting at or after the position is found
// by halving.
int TFontList::FirstRunFrom(int position) const {
  int low = 0, high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (Items(middle)->StartPos < position)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

TFontObj* TFontList::RunAt(int position, int& index) const {
  index = -1;
  if (Count() == 0) return nullptr;
  const int i = FirstRunFrom(position);
  if (i == Count()) index = Count() - 1;
  else if (Items(i)->StartPos == position || i == 0) index = i;
  else index = i - 1;
  return Items(index);
}

TMyFont* TFontList::FontAt(int position, int& overhang) const {
  int index;
  TFontObj* run = RunAt(position, index);
  overhang = run ? run->ItalicOverhang : 0;
  return run ? run->RunFont : nullptr;
}

int TFontList::RunLengthAt(int position, int textLength) const {
  int i = FirstRunFrom(position);
  if (i < Count() && Items(i)->StartPos == position) ++i;
  return i >= Count() ? textLength - position : Items(i)->StartPos - position;
}

void TFontList::RemoveCharAt(int position, ThtDocument& document) {
  int i = 0;
  while (i < Count()) {
    TFontObj* run = Items(i);
    if (run->StartPos > position) --run->StartPos;
    if (i > 0 && run->StartPos == Items(i - 1)->StartPos) {
      TFontObj* before = Items(i - 1);
      document.LinkList.RemoveLink(before);
      // A tab stop of the same link passes on; any other leaves the tab order with its run.
      if (before->FocusControl && before->SameLink(*run) && !before->GetUrl().empty())
        before->HandFocusControlTo(*run);
      Delete(i - 1);
      continue;  // the same index now holds the next run
    }
    ++i;
  }
}

void TLinkList::AddLink(TFontObj* run) {
  if (run->InLinkList) return;
  Add(run);
  run->InLinkList = true;
  run->linkIndexHint_ = Count() - 1;
}

void TLinkList::RemoveLink(TFontObj* run) {
  if (!run->InLinkList) return;
  while (Extract(run)) {
  }
  run->InLinkList = false;
}

void TLinkList::Clear() {
  for (int i = 0; i < Count(); ++i) Items(i)->InLinkList = false;
  TFontList::Clear();
}
