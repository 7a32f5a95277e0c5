// The list of visited links (newest first) and the visited state of the document's links.
#include <set>

#include "html/document/model/Document.h"
#include "html/document/model/FontObj.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/globals/TextHelpers.h"

String TMarkupViewer::ResolvedLinkUrl(const TFontObj& Run) {
  const String url = Run.GetUrl();
  if (url.empty()) return url;
  if (url[0] == u'#') return CurrentFile + url;
  String full;
  ResolveFileName(url, full);
  return full;
}

void TMarkupViewer::AddVisitedLink(const String& URL) {
  if (visitedMaxCount_ == 0) return;
  int index = -1;
  for (int i = 0; i < Visited.Count(); ++i)
    if (Visited.Get(i) == URL) {
      index = i;
      break;
    }
  if (index == 0) return;
  if (index > 0) {
    Visited.Delete(index);
  } else {
    TLinkList& links = DocRoot->LinkList;
    bool marked = false;
    for (int i = 0; i < links.Count(); ++i) {
      TFontObj* run = links.Items(i);
      if (run->GetUrl().empty() || ResolvedLinkUrl(*run) != URL) continue;
      run->SetVisited(true);
      marked = true;
    }
    if (marked) PaintPanel_->Invalidate();
  }
  Visited.Insert(0, URL);
  while (Visited.Count() > visitedMaxCount_) Visited.Delete(Visited.Count() - 1);
}

void TMarkupViewer::MarkVisitedLinks() {
  if (Visited.Count() == 0) return;
  std::set<String> visited;
  for (int i = 0; i < Visited.Count(); ++i) visited.insert(LowerCaseText(Visited.Get(i)));
  TLinkList& links = DocRoot->LinkList;
  for (int i = 0; i < links.Count(); ++i) {
    TFontObj* run = links.Items(i);
    if (!run->GetUrl().empty() && visited.count(LowerCaseText(ResolvedLinkUrl(*run)))) run->SetVisited(true);
  }
}

void TMarkupViewer::SetVisitedMaxCount(int Value) {
  if (Value < 0) Value = 0;
  visitedMaxCount_ = Value;
  if (Value > 0) {
    while (Visited.Count() > Value) Visited.Delete(Visited.Count() - 1);
    return;
  }
  Visited.Clear();
  TLinkList& links = DocRoot->LinkList;
  for (int i = 0; i < links.Count(); ++i) links.Items(i)->SetVisited(false);
  PaintPanel_->Invalidate();
}
