// The parser's text collectors: characters with the source position of each. Entries are
// used from index 1, as the text sections read them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"

class TCharCollection {
 public:
  TCharCollection() { SetCapacity(300); }
  int GetCapacity() const { return static_cast<int>(Chars.size()) - 1; }
  int GetCount() const { return Count; }
  void SetCapacity(int n);
  void AddChar(Char ch, int sourcePos);
  void AddText(const String& text, int sourcePos);

  std::vector<Char> Chars;          // length capacity + 1
  std::vector<int32_t> Positions;   // length capacity + 1
  int Count = 0;
};

class TokenObj {
 public:
  TokenObj() { SetCapacity(300); }
  int GetCapacity() const { return static_cast<int>(Chars.size()) - 1; }
  void SetCapacity(int n);
  void AppendChar(Char ch, int sourcePos);
  void AppendCollection(const TCharCollection& collection);
  // The same; an empty token takes over the collection's memory instead of copying it, so
  // that a text of millions of characters is held once.
  void AppendCollection(TCharCollection&& collection);
  // Empties the token. The room of a long text goes with it: kept, it would stay with the
  // parser until the whole document is read.
  void Reset();
  const String& GetText();

  String CachedText;
  bool TextValid = true;
  int Count = 0;
  std::vector<Char> Chars;         // length capacity + 1
  std::vector<int32_t> Positions;  // length capacity + 1
};
