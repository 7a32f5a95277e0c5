// The left and right edges that floats and nested blocks leave to lines of text during
// layout: two stacks of entries, each covering a band of Y at an edge X.
#pragma once

#include <memory>
#include <vector>

struct IndentRec {
  int EdgeX = 0;    // relative to the manager's origin
  int YTop = 0;     // first Y covered
  int YBottom = 0;  // first Y no longer covered; BlockBottom for block entries
  const void* Owner = nullptr;  // the block that made the entry; nil for floats
};

class TIndentManager {
 public:
  static constexpr int BlockBottom = 9999999;

  void BeginLayout(int originX, int width);
  void MoveOrigin(int originX);
  int LeftAt(int y) const;
  int RightAt(int y) const;
  int LeftEdgeAt(int y) const { return LeftAt(y) + OriginX; }
  int RightEdgeAt(int y) const { return RightAt(y) + OriginX; }
  IndentRec* ReserveLeft(int yTop, int yBottom, int width);
  IndentRec* ReserveRight(int yTop, int yBottom, int width);
  int PushLeftBlock(int x, int y);
  int PushRightBlock(int x, int y);
  void DropLeft(int index);
  void DropRight(int index);
  int LowestFloatBottom() const;
  void ClearanceLevels(int& leftY, int& rightY) const;
  int NextFloatBottom(int y) const;
  int PlaceLeft(int& y, int width, int usedWidth, int lineOffset) const;
  int PlaceRight(int& y, int width, int usedWidth, int lineOffset) const;
  // Gives back the room of a list left empty: a table of many cells, each with a manager,
  // then keeps none for the cells without floats.
  void FreeEmptyLists();

  int OriginX = 0;
  int AreaWidth = 0;
  std::vector<std::unique_ptr<IndentRec>> LeftList;
  std::vector<std::unique_ptr<IndentRec>> RightList;
  const void* CurrentOwner = nullptr;
  int LastLeftTop = 0;
  int LastRightTop = 0;

 private:
  using TList = std::vector<std::unique_ptr<IndentRec>>;
  bool Counts(const IndentRec& r, int y) const {
    return r.YTop <= y && y < r.YBottom && (r.Owner == nullptr || r.Owner == CurrentOwner);
  }
  const IndentRec* LastOwnEntry(const TList& list) const;
  int Place(int& y, int width, bool left, int fallbackX) const;
};
