// A balanced search tree (AA tree) from member name to member position, the name index of
// a JSON object. Names compare ordinally on UTF-16 code units; the first name inserted
// keeps its position.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rtl/Types.h"

struct TqxBalNode {
  std::unique_ptr<TqxBalNode> Left;
  std::unique_ptr<TqxBalNode> Right;
  uint8_t Level = 1;
  int32_t Key = 0;
  String NodeName;
};

class TqxBalTree {
 public:
  TqxBalTree() = default;
  ~TqxBalTree();
  TqxBalTree(const TqxBalTree&) = delete;
  TqxBalTree& operator=(const TqxBalTree&) = delete;

  void Clear();
  // The key stored under the name, or -1.
  int32_t Find(const String& name) const;
  // True when the name was added; false when it was there already (nothing changes).
  bool Insert(const String& name, int32_t key);

  // The number of levels from the root to the deepest leaf (0 when empty).
  int Height() const;

 private:
  // An empty link stands for the level-0 bottom of the tree.
  std::unique_ptr<TqxBalNode> Root;
};
