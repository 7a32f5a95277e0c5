#include "html/foundation/shared/TextTokens.h"

#include <algorithm>

void TCharCollection::SetCapacity(int n) {
  if (!Chars.empty() && n == GetCapacity()) return;
  Chars.resize(static_cast<size_t>(n) + 1);
  Positions.resize(static_cast<size_t>(n) + 1);
}

void TCharCollection::AddChar(Char ch, int sourcePos) {
  if (Count + 1 >= GetCapacity()) SetCapacity(GetCapacity() + 50);
  ++Count;
  Positions[static_cast<size_t>(Count)] = sourcePos;
  Chars[static_cast<size_t>(Count)] = ch;
}

void TCharCollection::AddText(const String& text, int sourcePos) {
  if (text.empty()) return;
  const int n = static_cast<int>(text.size());
  if (Count + n >= GetCapacity()) SetCapacity(Count + n + 50);
  for (Char c : text) {
    ++Count;
    Chars[static_cast<size_t>(Count)] = c;
    Positions[static_cast<size_t>(Count)] = sourcePos;
  }
}

void TokenObj::SetCapacity(int n) {
  if (!Chars.empty() && n == GetCapacity()) return;
  Chars.resize(static_cast<size_t>(n) + 1);
  Positions.resize(static_cast<size_t>(n) + 1);
  if (n < Count) {
    Count = n;
    if (TextValid && static_cast<int>(CachedText.size()) > n) CachedText.resize(static_cast<size_t>(n));
  }
}

void TokenObj::AppendChar(Char ch, int sourcePos) {
  if (Count >= GetCapacity()) SetCapacity(GetCapacity() + 50);
  ++Count;
  Chars[static_cast<size_t>(Count)] = ch;
  Positions[static_cast<size_t>(Count)] = sourcePos;
  TextValid = false;
}

void TokenObj::AppendCollection(const TCharCollection& c) {
  if (Count + c.Count >= GetCapacity()) SetCapacity(Count + c.Count + 50);
  std::copy(c.Chars.begin() + 1, c.Chars.begin() + 1 + c.Count, Chars.begin() + 1 + Count);
  std::copy(c.Positions.begin() + 1, c.Positions.begin() + 1 + c.Count, Positions.begin() + 1 + Count);
  Count += c.Count;
  TextValid = false;
}

void TokenObj::AppendCollection(TCharCollection&& c) {
  if (Count > 0 || c.Count == 0) {
    AppendCollection(c);
    return;
  }
  Chars.swap(c.Chars);
  Positions.swap(c.Positions);
  Count = c.Count;
  c.Count = 0;
  TextValid = false;
}

void TokenObj::Reset() {
  // The room of an ordinary text (a paragraph) is kept for the next one.
  constexpr int kKeptCapacity = 1 << 16;
  Count = 0;
  TextValid = true;
  if (GetCapacity() <= kKeptCapacity) {
    CachedText.clear();
    return;
  }
  String().swap(CachedText);
  std::vector<Char>().swap(Chars);
  std::vector<int32_t>().swap(Positions);
  SetCapacity(300);
}

const String& TokenObj::GetText() {
  if (!TextValid) {
    CachedText.assign(Chars.begin() + 1, Chars.begin() + 1 + Count);
    TextValid = true;
  }
  return CachedText;
}
