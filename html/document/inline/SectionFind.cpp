// Finding text in a text section, forward and backward, and feeding its selected characters
// to the document's selection sink. A match or a copied range never splits a pair.
#include <algorithm>
#include <string_view>

#include "html/document/inline/BreakChars.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/foundation/globals/TextHelpers.h"

namespace {

// The section text lower-cased for a search without case; the text as it is when lowering
// would change its length (positions must stay those of the section).
String SearchText(const String& text, bool matchCase) {
  if (matchCase) return text;
  String lowered = LowerCaseText(text);
  return lowered.size() == text.size() ? lowered : text;
}

// A match at [at, at + n) that begins on the second half of a pair or ends on the first half
// of one would split a character.
bool SplitsPair(const String& text, int at, int n) { return IsPairTail(text, at) || IsPairTail(text, at + n); }

}  // namespace

int TSection::FindString(int fromCursor, const String& text, bool matchCase) {
  const int length = static_cast<int>(Text.size());
  if (length == 0 || text.empty() || fromCursor >= StartCursor + CursorLength) return -1;
  const int needle = static_cast<int>(text.size());
  if (needle > length) return -1;
  const String haystack = SearchText(Text, matchCase);
  size_t at = static_cast<size_t>(std::max(0, fromCursor - StartCursor));
  while ((at = haystack.find(text, at)) != String::npos) {
    if (!SplitsPair(Text, static_cast<int>(at), needle)) return StartCursor + static_cast<int>(at);
    ++at;
  }
  return -1;
}

int TSection::FindStringBack(int fromCursor, const String& text, bool matchCase) {
  const int length = static_cast<int>(Text.size());
  const int needle = static_cast<int>(text.size());
  if (length == 0 || text.empty() || fromCursor < StartCursor || length < needle) return -1;
  const int cut = std::min(fromCursor - StartCursor, length);
  if (cut < needle) return -1;
  const String haystack = SearchText(Text, matchCase);
  const std::u16string_view before = std::u16string_view(haystack).substr(0, static_cast<size_t>(cut));
  size_t at = before.size() - static_cast<size_t>(needle);
  while (true) {
    at = before.rfind(text, at);
    if (at == std::u16string_view::npos) return -1;
    if (!SplitsPair(Text, static_cast<int>(at), needle)) return StartCursor + static_cast<int>(at);
    if (at == 0) return -1;
    --at;
  }
}

void TSection::CopySelection() {
  SelTextCount* sink = Document->SelectionSink;
  const int length = static_cast<int>(Text.size());
  if (!sink || length == 0) return;
  const int rawStart = Document->SelectionStart - StartCursor, rawEnd = Document->SelectionEnd - StartCursor;
  if (rawStart >= rawEnd) return;
  // A boundary inside a pair takes the whole character.
  const int selStart = CharStartOf(Text, std::clamp(rawStart, 0, length));
  const int selEnd = CharBoundaryAtOrAfter(Text, std::clamp(rawEnd, 0, length));
  for (size_t k = 0; k < Lines.size(); ++k) {
    const LineRec& line = *Lines[k];
    const int lineStart = line.Start, lineEnd = line.Start + line.CharCount;
    if (lineStart >= selEnd || lineEnd < selStart) continue;
    const int from = std::max(0, selStart - lineStart);
    int to = std::min(line.CharCount, selEnd - lineStart);
    // The space appended to the section's text is not part of it.
    if (k + 1 == Lines.size() && to == line.CharCount && to > from && Text[lineEnd - 1] == u' ') --to;
    if (to > from) sink->AddChars(Text.data() + lineStart + from, to - from);
  }
  if (rawEnd > CursorLength) {
    static const Char LineBreak[] = {u'\r', u'\n'};
    sink->AddChars(LineBreak, 2);
  }
}
