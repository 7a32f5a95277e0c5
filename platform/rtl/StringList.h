// TStringList: the line list with its own storage, objects, sorting, duplicates control
// and change notification.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Strings.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// <0, 0, >0 for the lines at index1 and index2 of the list.
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;
using TListNotifyEvent = std::function<void(TStrings& sender)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  // Get, Put, objects, Insert, Delete, Exchange raise EListError
  // "Listenindex überschreitet das Maximum (<index>)" for an index outside the list.
  String Get(int index) const override;
  void Put(int index, const String& s) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void Insert(int index, const String& s) override;
  void InsertObject(int index, const String& s, void* object) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const String& s) override;
  // A line a sorted list ignores as duplicate leaves the old line's object as it was.
  int AddObject(const String& s, void* object) override;
  void Assign(const TStrings& source) override;
  void Exchange(int index1, int index2) override;
  // Raises EListError on a sorted list, before anything changes.
  void Move(int curIndex, int newIndex) override;
  int IndexOf(const String& s) const override;
  // Final: sorting works with collation keys that agree with this comparison.
  int CompareStrings(const String& a, const String& b) const final;

  // Sorts by CompareStrings. The sort is stable: lines that compare equal keep their
  // order. A list that is Sorted already is left alone.
  void Sort();
  // Sorts by a comparison of two indexes; it always sees the lines as they were before
  // the sort began. Stable as Sort.
  void CustomSort(const TStringListSortCompare& compare);

  // A sorted list keeps its lines in CompareStrings order: Add places each line, Find and
  // IndexOf search by halves, Insert, InsertObject and Put raise EListError.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  // Binary search of a sorted list: true when s is there; index is its position (the
  // first of equal lines) or where it would go.
  bool Find(const String& s, int& index) const;
  // What Add does with a line a sorted list already holds: dupIgnore keeps the old one
  // and returns its index, dupAccept adds it before the equal lines, dupError raises
  // EListError "Stringliste erlaubt keine Duplikate". Unsorted lists accept everything.
  TDuplicates Duplicates = dupIgnore;
  bool CaseSensitive() const { return caseSensitive_; }
  // Changes the comparison; a sorted list is sorted again.
  void SetCaseSensitive(bool caseSensitive);

  // Called before and after every change outside BeginUpdate/EndUpdate, and once at the
  // outermost EndUpdate.
  TListNotifyEvent OnChanging;
  TListNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool updating) override;
  void AddItems(std::vector<TStringItem>&& items) override;

 private:
  void CheckIndex(int index) const;
  void Changing();
  void Changed();
  void InsertItem(int index, TStringItem item);
  int AddItem(TStringItem item);
  void MergeSorted(std::vector<TStringItem>&& items);

  std::vector<TStringItem> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
};
