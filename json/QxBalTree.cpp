#include "json/QxBalTree.h"

#include <algorithm>
#include <utility>

namespace {

using NodePtr = std::unique_ptr<TqxBalNode>;

// Rotates right when the left child is on the node's level.
void Skew(NodePtr& t) {
  if (t && t->Left && t->Left->Level == t->Level) {
    NodePtr l = std::move(t->Left);
    t->Left = std::move(l->Right);
    l->Right = std::move(t);
    t = std::move(l);
  }
}

// Rotates left and raises the new top when the right child's right child is on the node's level.
void Split(NodePtr& t) {
  if (t && t->Right && t->Right->Right && t->Right->Right->Level == t->Level) {
    NodePtr r = std::move(t->Right);
    t->Right = std::move(r->Left);
    r->Left = std::move(t);
    t = std::move(r);
    ++t->Level;
  }
}

// The height is about 2 log2 n, so recursion stays shallow.
bool InsertAt(NodePtr& t, const String& name, int32_t key) {
  if (!t) {
    t = std::make_unique<TqxBalNode>();
    t->Key = key;
    t->NodeName = name;
    return true;
  }
  const int c = name.compare(t->NodeName);
  if (c == 0) return false;
  const bool added = InsertAt(c < 0 ? t->Left : t->Right, name, key);
  Skew(t);
  Split(t);
  return added;
}

int HeightOf(const NodePtr& n) {
  return n ? 1 + std::max(HeightOf(n->Left), HeightOf(n->Right)) : 0;
}

// Frees the nodes below n without recursing through the unique_ptr destructors of a long
// chain (the tree is balanced, but this keeps destruction flat in any case).
void FreeNodes(NodePtr n) {
  while (n) {
    if (n->Left) {
      NodePtr l = std::move(n->Left);
      n->Left = std::move(l->Right);
      l->Right = std::move(n);
      n = std::move(l);
    } else {
      n = std::move(n->Right);
    }
  }
}

}  // namespace

TqxBalTree::~TqxBalTree() { Clear(); }

void TqxBalTree::Clear() { FreeNodes(std::move(Root)); }

int32_t TqxBalTree::Find(const String& name) const {
  const TqxBalNode* n = Root.get();
  while (n) {
    const int c = name.compare(n->NodeName);
    if (c == 0) return n->Key;
    n = c < 0 ? n->Left.get() : n->Right.get();
  }
  return -1;
}

bool TqxBalTree::Insert(const String& name, int32_t key) { return InsertAt(Root, name, key); }

int TqxBalTree::Height() const { return HeightOf(Root); }
