#include "html/document/inline/WhiteSpaceFolding.h"

#include <algorithm>

#include "html/document/inline/BreakChars.h"

namespace {

constexpr Char SoftHyphen = 0x00AD;

// The characters being folded, with the original index of each.
struct TFolding {
  String& Text;
  std::string& Codes;
  std::vector<int32_t>& Sources;
  std::vector<int> Original;

  int Length() const { return static_cast<int>(Text.size()); }

  // Keeps the characters whose flag is set, in one pass (none when all stay).
  void Compact(const std::vector<bool>& keep) {
    if (std::find(keep.begin(), keep.end(), false) == keep.end()) return;
    size_t out = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
      if (!keep[i]) continue;
      Text[out] = Text[i];
      Codes[out] = Codes[i];
      Sources[out] = Sources[i];
      Original[out] = Original[i];
      ++out;
    }
    Text.resize(out);
    Codes.resize(out);
    Original.resize(out);
  }
};

void DeleteLeadingSpaces(TFolding& f) {
  std::vector<bool> keep(f.Text.size(), true);
  for (int i = 0; i < f.Length() && f.Text[i] == u' '; ++i) keep[i] = false;
  f.Compact(keep);
}

void DeleteSoftHyphens(TFolding& f) {
  std::vector<bool> keep(f.Text.size(), true);
  int before = -1;  // the last character that stays
  for (int i = 0; i < f.Length(); ++i) {
    if (f.Text[i] != SoftHyphen) {
      before = i;
      continue;
    }
    keep[i] = false;
    if (before >= 0 && f.Codes[before] != BreakNo) f.Codes[before] = BreakSoftHyphen;
  }
  f.Compact(keep);
}

// Of a run of spaces the first whose code is not "n" stays, or the last when all are "n".
void DeleteDoubleSpaces(TFolding& f) {
  std::vector<bool> keep(f.Text.size(), true);
  int i = 0;
  while (i < f.Length()) {
    if (f.Text[i] != u' ') {
      ++i;
      continue;
    }
    int end = i;
    while (end < f.Length() && f.Text[end] == u' ') ++end;
    int survivor = end - 1;
    for (int k = i; k < end; ++k)
      if (f.Codes[k] != BreakNo) {
        survivor = k;
        break;
      }
    for (int k = i; k < end; ++k) keep[k] = k == survivor;
    i = end;
  }
  f.Compact(keep);
}

void DeleteSpacesAfterFloats(TFolding& f, const std::function<bool(int)>& floatsAt) {
  std::vector<bool> keep(f.Text.size(), true);
  for (int i = f.Length() - 1; i > 0; --i)
    if (f.Text[i] == u' ' && f.Text[i - 1] == ObjectChar && floatsAt(f.Original[i - 1])) keep[i] = false;
  f.Compact(keep);
}

void DeleteSpacesAroundForcedBreaks(TFolding& f) {
  std::vector<bool> keep(f.Text.size(), true);
  for (int i = 0; i < f.Length(); ++i) {
    if (f.Text[i] != ForcedBreakChar) continue;
    if (i > 0 && f.Text[i - 1] == u' ') keep[i - 1] = false;
    if (i + 1 < f.Length() && f.Text[i + 1] == u' ') keep[i + 1] = false;
  }
  f.Compact(keep);
}

void DeleteTrailingBreak(TFolding& f) {
  std::vector<bool> keep(f.Text.size(), true);
  int n = f.Length();
  if (n >= 2 && f.Text[n - 1] == ForcedBreakChar) {
    keep[n - 1] = false;
    --n;
    if (n >= 2 && f.Text[n - 1] == u' ') keep[n - 1] = false;
  }
  f.Compact(keep);
}

}  // namespace

std::vector<int> FoldWhiteSpace(String& text, std::string& codes, std::vector<int32_t>& sources,
                                const std::function<bool(int)>& floatsAt) {
  const int n = static_cast<int>(text.size());
  TFolding f{text, codes, sources, std::vector<int>(static_cast<size_t>(n))};
  for (int i = 0; i < n; ++i) f.Original[i] = i;

  DeleteLeadingSpaces(f);
  DeleteSoftHyphens(f);
  DeleteDoubleSpaces(f);
  DeleteSpacesAfterFloats(f, floatsAt);
  DeleteSpacesAroundForcedBreaks(f);
  DeleteTrailingBreak(f);

  // The characters that stayed keep their order: walk both in step.
  std::vector<int> newIndex(static_cast<size_t>(n) + 1);
  int k = 0;
  for (int o = 0; o <= n; ++o) {
    while (k < f.Length() && f.Original[static_cast<size_t>(k)] < o) ++k;
    newIndex[static_cast<size_t>(o)] = k;
  }
  return newIndex;
}
