#include "html/document/floats/FloatingObjList.h"

#include "html/document/floats/ImageObj.h"
#include "html/document/floats/PanelObj.h"
#include "html/document/model/Document.h"
#include "html/document/model/PlaceholderLookup.h"

std::unique_ptr<TFloatingObjList> TFloatingObjList::CreateCopy(ThtDocument* document,
                                                               const TFloatingObjList& source) {
  auto list = std::make_unique<TFloatingObjList>();
  for (int i = 0; i < source.Count(); ++i) {
    const TFloatingObj* object = source.Items(i);
    if (const auto* image = dynamic_cast<const TImageObj*>(object)) list->Add(new TImageObj(document, *image));
    else if (const auto* panel = dynamic_cast<const TPanelObj*>(object)) list->Add(new TPanelObj(document, *panel));
  }
  return list;
}

TFloatingObj* TFloatingObjList::FindAt(int position) const { return ObjectAt(*this, position); }

int TFloatingObjList::HeightAt(int position, uint8_t& vertAlign, TFloatingObj*& object) const {
  object = FindAt(position);
  if (!object) return -1;
  vertAlign = object->VertAlignKind;
  return object->TotalHeight();
}

int TFloatingObjList::WidthAt(int position, uint8_t& floatSide, TFloatingObj*& object, int& spaceRight,
                              int& spaceLeft) const {
  object = FindAt(position);
  if (!object) return -1;
  floatSide = object->FloatSide;
  spaceRight = object->SpaceRight;
  spaceLeft = object->SpaceLeft;
  return object->BoxWidth;
}

int TFloatingObjList::DistanceToNext(int position) const {
  return DistanceToObject(*this, position, NothingFollows);
}

void TFloatingObjList::RemoveCharAt(int position) { MoveObjectsAfter(*this, position); }

bool TFloatingObjList::HitImageMap(int x, int y, TImageObj*& image, TMapItem*& map, bool& usesMap, bool& isMap,
                                   int& position, int& imageY, int& imageX) const {
  map = nullptr;
  usesMap = false;
  if (!HitImage(x, y, imageY, imageX, image)) return false;
  isMap = image->IsMap;
  position = image->CharPos;
  if (image->UsesMap && image->Document) {
    const auto& maps = image->Document->MapList;
    for (int i = 0; i < maps.Count(); ++i)
      if (maps.Items(i)->NameKey == image->MapName) {
        map = maps.Items(i);
        usesMap = true;
        break;
      }
  }
  return true;
}

bool TFloatingObjList::HitImage(int x, int y, int& imageY, int& imageX, TImageObj*& image) const {
  image = nullptr;
  for (int i = 0; i < Count(); ++i) {
    auto* candidate = dynamic_cast<TImageObj*>(Items(i));
    if (candidate && candidate->HitsPicture(x, y, imageX, imageY)) {
      image = candidate;
      return true;
    }
  }
  return false;
}
