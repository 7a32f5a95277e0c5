// The images and panels of one section, in placeholder order; the list owns them.
#pragma once

#include <memory>

#include "html/document/floats/FloatingObj.h"
#include "html/foundation/shared/FreeList.h"

class TImageObj;
class TMapItem;

class TFloatingObjList : public TFreeList<TFloatingObj> {
 public:
  TFloatingObjList() : TFreeList(true) {}
  // Copies of every object for the printing copy of a section.
  static std::unique_ptr<TFloatingObjList> CreateCopy(ThtDocument* document, const TFloatingObjList& source);

  TFloatingObj* FindAt(int position) const;
  // TotalHeight of the object at the position; -1 when none.
  int HeightAt(int position, uint8_t& vertAlign, TFloatingObj*& object) const;
  // BoxWidth of the object at the position; -1 when none.
  int WidthAt(int position, uint8_t& floatSide, TFloatingObj*& object, int& spaceRight, int& spaceLeft) const;
  // CharPos of the first object at or after the position minus the position; NothingFollows
  // when there is none.
  int DistanceToNext(int position) const;
  // Every object after the position moves down by one character.
  void RemoveCharAt(int position);
  // The first image whose picture (inside its border) holds the point, with its map when it
  // uses one of the document's maps. Panels are never hit.
  bool HitImageMap(int x, int y, TImageObj*& image, TMapItem*& map, bool& usesMap, bool& isMap, int& position,
                   int& imageY, int& imageX) const;
  bool HitImage(int x, int y, int& imageY, int& imageX, TImageObj*& image) const;
};
