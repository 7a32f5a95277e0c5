#include "html/foundation/layout/IndentManager.h"

#include <algorithm>
#include <climits>

void TIndentManager::BeginLayout(int originX, int width) {
  OriginX = originX;
  AreaWidth = width;
  LeftList.clear();
  RightList.clear();
  LastLeftTop = LastRightTop = 0;
  CurrentOwner = nullptr;
}

void TIndentManager::MoveOrigin(int originX) {
  OriginX = originX;
  CurrentOwner = nullptr;
}

// The last entry (in list order) owned by the current owner; with no current owner, the
// last float.
const IndentRec* TIndentManager::LastOwnEntry(const TList& list) const {
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if ((*it)->Owner == CurrentOwner) return it->get();
  return nullptr;
}

int TIndentManager::LeftAt(int y) const {
  bool found = false;
  int edge = INT_MIN;
  for (const auto& r : LeftList)
    if (Counts(*r, y)) {
      edge = std::max(edge, r->EdgeX);
      found = true;
    }
  if (found) return edge;
  const IndentRec* own = LastOwnEntry(LeftList);
  return own ? own->EdgeX : 0;
}

int TIndentManager::RightAt(int y) const {
  bool found = false;
  int edge = INT_MAX;
  for (const auto& r : RightList)
    if (Counts(*r, y)) {
      edge = std::min(edge, r->EdgeX);
      found = true;
    }
  if (found) return edge;
  const IndentRec* own = LastOwnEntry(LeftList);
  return own ? own->EdgeX + AreaWidth : AreaWidth;
}

IndentRec* TIndentManager::ReserveLeft(int yTop, int yBottom, int width) {
  auto r = std::make_unique<IndentRec>(IndentRec{LeftAt(yTop) + width, yTop, yBottom, nullptr});
  LastLeftTop = yTop;
  LeftList.push_back(std::move(r));
  return LeftList.back().get();
}

IndentRec* TIndentManager::ReserveRight(int yTop, int yBottom, int width) {
  auto r = std::make_unique<IndentRec>(IndentRec{RightAt(yTop) - width, yTop, yBottom, nullptr});
  LastRightTop = yTop;
  RightList.push_back(std::move(r));
  return RightList.back().get();
}

int TIndentManager::PushLeftBlock(int x, int y) {
  LeftList.push_back(std::make_unique<IndentRec>(IndentRec{x, y, BlockBottom, CurrentOwner}));
  return static_cast<int>(LeftList.size()) - 1;
}

int TIndentManager::PushRightBlock(int x, int y) {
  RightList.push_back(std::make_unique<IndentRec>(IndentRec{x, y, BlockBottom, CurrentOwner}));
  return static_cast<int>(RightList.size()) - 1;
}

void TIndentManager::FreeEmptyLists() {
  if (LeftList.empty()) TList().swap(LeftList);
  if (RightList.empty()) TList().swap(RightList);
}

void TIndentManager::DropLeft(int index) { LeftList.erase(LeftList.begin() + index); }
void TIndentManager::DropRight(int index) { RightList.erase(RightList.begin() + index); }

int TIndentManager::LowestFloatBottom() const {
  int bottom = 0;
  for (const TList* list : {&LeftList, &RightList})
    for (const auto& r : *list)
      if (!r->Owner) bottom = std::max(bottom, r->YBottom);
  return bottom;
}

void TIndentManager::ClearanceLevels(int& leftY, int& rightY) const {
  auto level = [](const TList& list) {
    int y = 0;
    for (const auto& r : list)
      if (!r->Owner) y = std::max(y, r->YBottom + 1);
    return y;
  };
  leftY = level(LeftList);
  rightY = level(RightList);
}

int TIndentManager::NextFloatBottom(int y) const {
  int nearest = INT_MAX;
  for (const TList* list : {&LeftList, &RightList})
    for (const auto& r : *list)
      if (!r->Owner && r->YBottom > y) nearest = std::min(nearest, r->YBottom);
  return nearest == INT_MAX ? y : nearest;
}

// The highest place below y where a float of the width fits, found among the bottoms of
// the floats that set an edge.
int TIndentManager::Place(int& y, int width, bool left, int fallbackX) const {
  int lowest = y;
  bool haveLeft = false, haveRight = false;
  int leftB = 0, leftX = 0, rightB = 0, rightX = 0;
  auto walk = [&](const TList& list, bool leftSide, bool& have, int& candB, int& candX) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
      const IndentRec& r = **it;
      if (r.Owner == CurrentOwner && r.Owner != nullptr) break;
      if (r.Owner) continue;
      const int b = r.YBottom;
      if (b <= y || (have && b >= candB)) continue;
      const int edgeAbove = leftSide ? LeftAt(b - 1) : RightAt(b - 1);
      if (edgeAbove != r.EdgeX) continue;
      lowest = std::max(lowest, b);
      if (RightAt(b) - width >= LeftAt(b)) {
        have = true;
        candB = b;
        candX = left ? LeftAt(b) : RightAt(b) - width;
      }
    }
  };
  walk(LeftList, true, haveLeft, leftB, leftX);
  walk(RightList, false, haveRight, rightB, rightX);
  int x;
  if (haveLeft && (!haveRight || leftB < rightB)) {
    y = leftB;
    x = leftX;
  } else if (haveRight) {
    y = rightB;
    x = rightX;
  } else {
    y = lowest;
    x = fallbackX;
  }
  return x + OriginX;
}

int TIndentManager::PlaceLeft(int& y, int width, int usedWidth, int lineOffset) const {
  y = std::max(y, LastLeftTop);
  const int f = LeftAt(y);
  if (RightAt(y) >= width + f + usedWidth) return f + OriginX;
  if (lineOffset > 0 && RightAt(y + lineOffset) >= width + f) {
    y += lineOffset;
    return f + OriginX;
  }
  const IndentRec* own = nullptr;
  for (auto it = LeftList.rbegin(); it != LeftList.rend() && !own; ++it)
    if ((*it)->Owner && (*it)->Owner == CurrentOwner) own = it->get();
  return Place(y, width, true, own ? own->EdgeX : 0);
}

int TIndentManager::PlaceRight(int& y, int width, int usedWidth, int lineOffset) const {
  y = std::max(y, LastRightTop);
  const int f = RightAt(y) - width;
  if (f >= usedWidth + LeftAt(y)) return f + OriginX;
  if (lineOffset > 0 && f >= LeftAt(y + lineOffset)) {
    y += lineOffset;
    return f + OriginX;
  }
  const IndentRec* own = nullptr;
  for (auto it = RightList.rbegin(); it != RightList.rend() && !own; ++it)
    if ((*it)->Owner && (*it)->Owner == CurrentOwner) own = it->get();
  return Place(y, width, false, own ? own->EdgeX - width : AreaWidth - width);
}
