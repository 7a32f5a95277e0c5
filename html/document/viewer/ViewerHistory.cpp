// The history of pages shown: three parallel lists (file names, reading positions with the
// kind and saved form values, titles), index 0 the newest, HistoryIndex the page shown.
#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"

void TMarkupViewer::BumpHistory(const String& OldFile, const String& OldTitle, int64_t OldPos,
                                std::unique_ptr<TFreeList<TStringList>> FormValues, THtmlFileType OldType) {
  if (historyMaxCount_ < 1 || CurrentFile.empty() ||
      (OldFile == CurrentFile && OldType == CurrentDocType && OldPos == GetPosition()))
    return;
  if (History.Count() > 0 && !OldFile.empty()) {
    // The entry of the departing page, and no newer pages after it.
    History.Put(historyIndex_, OldFile);
    TitleHistory.Put(historyIndex_, OldTitle);
    PositionObj& departing = *PositionHistory.Items(historyIndex_);
    departing.ScrollPosition = OldPos;
    departing.DocumentKind = OldType;
    departing.SavedFormValues = OldFile != CurrentFile ? std::move(FormValues) : nullptr;
    for (int i = historyIndex_ - 1; i >= 0; --i) {
      History.Delete(i);
      TitleHistory.Delete(i);
      PositionHistory.Delete(i);
    }
  }
  historyIndex_ = 0;
  auto entry = std::make_unique<PositionObj>();
  entry->ScrollPosition = GetPosition();
  entry->DocumentKind = CurrentDocType;
  History.Insert(0, CurrentFile);
  PositionHistory.Insert(0, entry.release());
  TitleHistory.Insert(0, DocumentTitle);
  if (History.Count() > historyMaxCount_) {
    History.Delete(historyMaxCount_);
    TitleHistory.Delete(historyMaxCount_);
    PositionHistory.Delete(historyMaxCount_);
  }
  Raise(LinkEvents.OnHistoryChange, this);
}

void TMarkupViewer::ClearHistory() {
  const bool hadEntries = History.Count() > 0;
  History.Clear();
  TitleHistory.Clear();
  PositionHistory.Clear();
  historyIndex_ = 0;
  CurrentFile.clear();
  if (hadEntries) Raise(LinkEvents.OnHistoryChange, this);
}

void TMarkupViewer::SetHistoryMaxCount(int Value) {
  if (Value < 0 || Value == historyMaxCount_) return;
  if (Value < historyMaxCount_) ClearHistory();
  historyMaxCount_ = Value;
}

void TMarkupViewer::SetHistoryIndex(int Value) {
  if (Processing() || Value == historyIndex_ || Value < 0 || Value >= History.Count()) return;
  const PositionObj& target = *PositionHistory.Items(Value);
  const String fileName = History.Get(Value);
  const int64_t departingPosition = GetPosition();
  const THtmlFileType departingKind = CurrentDocType;
  std::unique_ptr<TFreeList<TStringList>> formValues = DocRoot->FormData();
  if (fileName != CurrentFile || target.DocumentKind != CurrentDocType) ReadDocumentFile(fileName, target.DocumentKind);
  PositionObj& departing = *PositionHistory.Items(historyIndex_);
  departing.ScrollPosition = departingPosition;
  departing.DocumentKind = departingKind;
  departing.SavedFormValues = std::move(formValues);
  historyIndex_ = Value;
  SetPosition(target.ScrollPosition);
  Raise(LinkEvents.OnHistoryChange, this);
}
