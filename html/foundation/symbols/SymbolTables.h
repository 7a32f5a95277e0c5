// The engine's vocabulary: named character references, tag names with their start and end
// symbols, attribute names with their symbols, and the lookups the parser makes in them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/Types.h"

struct TEntity {
  const char* Name;  // as written in documents; case matters
  int Code;
};

struct TResWord {
  const char* Name;  // upper case
  uint8_t StartSymbol;
  uint8_t EndSymbol;  // 1: the tag has no end tag
};

struct TSymbolRec {
  const char* Name;  // upper case
  uint8_t Symbol;
};

// Tag symbols run 0..184; 1 means "none".
constexpr int kTagSymbolCount = 185;
constexpr uint8_t kNoSymbol = 1;

std::span<const TEntity> EntityTable();
std::span<const TResWord> TagTable();
std::span<const TSymbolRec> AttributeTable();

// A sorted, case-sensitive list of names, each with its table row.
template <class Row>
class TSymbolNameList {
 public:
  explicit TSymbolNameList(std::span<const Row> rows);
  // The row of exactly this name (case-sensitive), or null.
  const Row* Find(const String& name) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  const String& Name(int i) const { return entries_[static_cast<size_t>(i)].first; }
  const Row& RowAt(int i) const { return *entries_[static_cast<size_t>(i)].second; }

 private:
  std::vector<std::pair<String, const Row*>> entries_;
};

// The lists, built on first use.
const TSymbolNameList<TEntity>& EntityNameList();
const TSymbolNameList<TResWord>& TagNameList();
const TSymbolNameList<TSymbolRec>& AttributeNameList();

// The start (end) symbol of the tag that owns Symbol as its start or end symbol; 1 when no
// tag owns it (or, for the end symbol, the tag has no end tag).
uint8_t TagStartSymbol(uint8_t symbol);
uint8_t TagEndSymbol(uint8_t symbol);
// The lower-case name of the tag that owns Symbol; empty when none.
String SymbolToTagName(uint8_t symbol);
