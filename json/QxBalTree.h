// A balanced search tree (AA tree) from member name to member position, the name index of
// a JSON object. Names compare ordinally on UTF-16 code units; the first name inserted
// keeps its position. The nodes live in one array of the tree (linked by index), so an
// index of n names is one allocation that grows, not n.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

class TqxBalTree {
 public:
  TqxBalTree() = default;
  TqxBalTree(const TqxBalTree&) = delete;
  TqxBalTree& operator=(const TqxBalTree&) = delete;

  void Clear();
  // The key stored under the name, or -1.
  int32_t Find(const String& name) const;
  // True when the name was added; false when it was there already (nothing changes). The
  // tree keeps a copy of the name.
  bool Insert(const String& name, int32_t key);
  // The same without a copy: the tree refers to the caller's string, which must stay
  // unchanged and alive while it is in the tree (an object's member names).
  bool InsertReferenced(const String& name, int32_t key);

  // The number of levels from the root to the deepest leaf (0 when empty).
  int Height() const;

 private:
  struct TNode {
    const String* Name;
    int32_t Key;
    int32_t Left = -1;  // -1: the level-0 bottom of the tree
    int32_t Right = -1;
    int32_t Level = 1;
  };

  int32_t InsertAt(int32_t t, const String& name, int32_t key, bool& added);
  int32_t Skew(int32_t t);
  int32_t Split(int32_t t);
  int HeightOf(int32_t t) const;

  std::vector<TNode> nodes_;
  std::vector<std::unique_ptr<String>> copies_;  // the names given to Insert
  int32_t root_ = -1;
};
