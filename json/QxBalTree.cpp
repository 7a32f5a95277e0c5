#include "json/QxBalTree.h"

#include <algorithm>

void TqxBalTree::Clear() {
  nodes_.clear();
  copies_.clear();
  root_ = -1;
}

// Rotates right when the left child is on the node's level.
int32_t TqxBalTree::Skew(int32_t t) {
  const int32_t l = nodes_[t].Left;
  if (l < 0 || nodes_[l].Level != nodes_[t].Level) return t;
  nodes_[t].Left = nodes_[l].Right;
  nodes_[l].Right = t;
  return l;
}

// Rotates left and raises the new top when the right child's right child is on the node's level.
int32_t TqxBalTree::Split(int32_t t) {
  const int32_t r = nodes_[t].Right;
  if (r < 0 || nodes_[r].Right < 0 || nodes_[nodes_[r].Right].Level != nodes_[t].Level) return t;
  nodes_[t].Right = nodes_[r].Left;
  nodes_[r].Left = t;
  ++nodes_[r].Level;
  return r;
}

// Indexes, not references, are held across the insertion below: it may move the nodes.
// The height is about 2 log2 n, so recursion stays shallow.
int32_t TqxBalTree::InsertAt(int32_t t, const String& name, int32_t key, bool& added) {
  if (t < 0) {
    nodes_.push_back(TNode{&name, key});
    added = true;
    return static_cast<int32_t>(nodes_.size() - 1);
  }
  const int c = name.compare(*nodes_[t].Name);
  if (c == 0) {
    added = false;
    return t;
  }
  if (c < 0) {
    const int32_t l = InsertAt(nodes_[t].Left, name, key, added);
    nodes_[t].Left = l;
  } else {
    const int32_t r = InsertAt(nodes_[t].Right, name, key, added);
    nodes_[t].Right = r;
  }
  return Split(Skew(t));
}

int32_t TqxBalTree::Find(const String& name) const {
  int32_t t = root_;
  while (t >= 0) {
    const TNode& n = nodes_[t];
    const int c = name.compare(*n.Name);
    if (c == 0) return n.Key;
    t = c < 0 ? n.Left : n.Right;
  }
  return -1;
}

bool TqxBalTree::InsertReferenced(const String& name, int32_t key) {
  bool added = false;
  root_ = InsertAt(root_, name, key, added);
  return added;
}

bool TqxBalTree::Insert(const String& name, int32_t key) {
  if (Find(name) >= 0) return false;
  copies_.push_back(std::make_unique<String>(name));
  return InsertReferenced(*copies_.back(), key);
}

int TqxBalTree::HeightOf(int32_t t) const {
  return t < 0 ? 0 : 1 + std::max(HeightOf(nodes_[t].Left), HeightOf(nodes_[t].Right));
}

int TqxBalTree::Height() const { return HeightOf(root_); }
