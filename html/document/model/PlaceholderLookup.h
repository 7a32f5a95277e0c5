// Lookups by character position in a section's list of objects that stand in its text as
// placeholder characters (images, panels, form controls). Such a list is in the order of the
// positions, so each lookup is a binary search.
#pragma once

#include "html/foundation/shared/FreeList.h"

// The index of the first object for which before(object) is false; Count() when there is
// none. Before holds for a front part of the list and for nothing after it.
template <class T, class Before>
int FirstIndexNot(const TFreeList<T>& list, Before before) {
  int low = 0, high = list.Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (before(*list.Items(middle))) low = middle + 1;
    else high = middle;
  }
  return low;
}

// The index of the first object at or after the position; Count() when there is none.
template <class T>
int IndexAtOrAfter(const TFreeList<T>& list, int position) {
  return FirstIndexNot(list, [position](const T& object) { return object.CharPos < position; });
}

// The first object at the position, or nullptr.
template <class T>
T* ObjectAt(const TFreeList<T>& list, int position) {
  const int i = IndexAtOrAfter(list, position);
  return i < list.Count() && list.Items(i)->CharPos == position ? list.Items(i) : nullptr;
}

// The position of the first object at or after the position minus the position; none when
// there is no such object.
template <class T>
int DistanceToObject(const TFreeList<T>& list, int position, int none) {
  const int i = IndexAtOrAfter(list, position);
  return i < list.Count() ? list.Items(i)->CharPos - position : none;
}

// Every object after the position moves one character back (the character was deleted).
template <class T>
void MoveObjectsAfter(const TFreeList<T>& list, int position) {
  const int first = FirstIndexNot(list, [position](const T& object) { return object.CharPos <= position; });
  for (int i = first; i < list.Count(); ++i) --list.Items(i)->CharPos;
}
