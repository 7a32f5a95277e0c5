#include "html/document/model/SectionBase.h"

#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"

TSectionBase::TSectionBase(ThtDocument* document) : Document(document) {}

TSectionBase::TSectionBase(ThtDocument* document, const TProperties& properties)
    : Document(document), Display(static_cast<uint8_t>(properties.ReadDisplayKind())) {}

TSectionBase::TSectionBase(ThtDocument* document, const TSectionBase& source)
    : Document(document), Display(source.Display), ZIndex(source.ZIndex), SectionHeight(source.SectionHeight) {}

TSectionBase::~TSectionBase() {
  if (Document) Document->ForgetSection(this);
}

std::unique_ptr<TSectionBase> TSectionBase::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TSectionBase>(document, *this);
}

bool TSectionBase::CursorToXY(TCanvas&, int, int&, int&) { return false; }

int TSectionBase::Draw(TCanvas&, const TRect&, TIndentManager&, int, int, int) { return SectionTop + SectionHeight; }

int TSectionBase::Layout(TCanvas&, int, int& cursor, int& maxWidth, TIndentManager&, int, int, int, int, int,
                         int y) {
  StartCursor = cursor;
  if (Display == DisplayNone) SectionHeight = 0;
  DrawHeight = SectionHeight;
  maxWidth = 0;
  SectionTop = DrawTop = ContentTop = y;
  SectionBottom = y + SectionHeight;
  DrawBottom = y + DrawHeight;
  return SectionHeight;
}

int TSectionBase::FindCursor(TCanvas&, int, int, bool&, int&, int&, int&) { return -1; }
int TSectionBase::SourceToCursor(int, bool) { return -1; }
int TSectionBase::CursorToSource(int) { return -1; }
int TSectionBase::FindString(int, const String&, bool) { return -1; }
int TSectionBase::FindStringBack(int, const String&, bool) { return -1; }

bool TSectionBase::CharAt(int, Char& ch, TIDObject*& object) {
  ch = 0;
  object = nullptr;
  return false;
}

int TSectionBase::UrlAt(TCanvas&, int, int, String& title, TFormControlObj*& control,
                        std::unique_ptr<TUrlTarget>& target) {
  title.clear();
  control = nullptr;
  target.reset();
  return 0;
}

bool TSectionBase::ObjectAt(int, int, TIDObject*& object) {
  object = nullptr;
  return false;
}

void TSectionBase::AddToPositionList() {
  if (Document) Document->PositionList.Add(this);
}

void TSectionBase::CopySelection() {}

void TSectionBase::MinMaxWidth(TCanvas&, int& minWidth, int& maxWidth) { minWidth = maxWidth = 0; }

void TSectionBase::CloseText(int) {}

bool TSectionBaseList::CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->CursorToXY(canvas, cursor, x, y)) return true;
  return false;
}

int TSectionBaseList::SourceToCursor(int sourcePosition, bool backward) {
  const int n = Count();
  for (int k = 0; k < n; ++k) {
    const int result = Items(backward ? n - 1 - k : k)->SourceToCursor(sourcePosition, backward);
    if (result >= 0) return result;
  }
  return -1;
}
