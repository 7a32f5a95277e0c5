// TScrollBar: a position between Min and Max - PageSize + 1 (Max with no page).
#pragma once

#include <algorithm>

#include "platform/ui/WinControl.h"

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind value);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int PageSize() const { return pageSize_; }
  int Position() const { return position_; }
  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  // Min, Max and PageSize together; Max below Min is raised to Min and the page is cut to
  // the range. The position is kept inside the new range.
  void SetParams(int position, int min, int max, int pageSize);
  void SetMin(int value) { SetParams(position_, value, std::max(max_, value), pageSize_); }
  void SetMax(int value) { SetParams(position_, std::min(min_, value), value, pageSize_); }
  void SetPageSize(int value) { SetParams(position_, min_, max_, value); }
  // Clamped into the range; raises OnChange when it moved.
  void SetPosition(int value) { SetParams(value, min_, max_, pageSize_); }
  void SetSmallChange(int value) { smallChange_ = value; }
  void SetLargeChange(int value) { largeChange_ = value; }
  // The highest position: Max - PageSize + 1, or Max without a page.
  int MaxPosition() const;

  TScrollEvent OnScroll;
  TNotifyEvent OnChange;

  // The user scrolled: computes the new position for the code (a line or page step, or
  // the dragged position for scTrack/scPosition), lets OnScroll change it, then moves.
  void UserScroll(TScrollCode code, int dragPosition = 0);

 private:
  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int min_ = 0, max_ = 100, pageSize_ = 0, position_ = 0;
  int smallChange_ = 1, largeChange_ = 1;
};
