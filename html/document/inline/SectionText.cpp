// Collecting the characters of a text section and finishing its text.
#include <algorithm>
#include <array>

#include "html/document/floats/FloatingObj.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/forms/FormControlObj.h"
#include "html/document/inline/Section.h"
#include "html/document/inline/WhiteSpaceFolding.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/shared/TextTokens.h"

namespace {

// Elements whose text goes when they are not displayed (the text of others stays).
bool DropsTextWhenHidden(const String& tag) {
  static const std::array<const char16_t*, 26> tags = {
      u"span", u"nobr", u"wbr", u"font", u"b", u"i", u"s", u"strike", u"u", u"sub", u"sup", u"big", u"small",
      u"tt", u"em", u"strong", u"code", u"kbd", u"samp", u"cite", u"var", u"del", u"ins", u"mark", u"time", u"a"};
  return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

// The text with each character case-mapped; the text as it is should a mapping change its
// length (the source positions go with the characters one by one).
String MapCase(const String& text, int transform) {
  String mapped = transform == 1 ? UpperCaseText(text) : LowerCaseText(text);
  return mapped.size() == text.size() ? mapped : text;
}

bool IsLowerLetter(Char c) { return MapCase(String(1, c), 1)[0] != c; }
bool KeepsCaseState(Char c) { return c == u' ' || (c >= u'0' && c <= u'9'); }

}  // namespace

char TSection::CollectedCode() const { return Document->NoBreak || Preformatted ? BreakNo : BreakYes; }

void TSection::AppendChars(const Char* chars, const int32_t* positions, int count) {
  if (count <= 0) return;
  const size_t length = Text.size();
  // Room for every character appended and 3 more; grown in steps of 500.
  if (SourceIndexes.size() < length + static_cast<size_t>(count) + 3)
    SourceIndexes.resize(length + static_cast<size_t>(count) + 500);
  Text.append(chars, static_cast<size_t>(count));
  std::copy(positions, positions + count, SourceIndexes.begin() + static_cast<std::ptrdiff_t>(length));
  BreakCodes.append(static_cast<size_t>(count), CollectedCode());
}

void TSection::AddChar(Char ch, int sourcePosition) {
  TokenObj token;
  token.AppendChar(ch, sourcePosition);
  AddTokenObj(token);
}

void TSection::AddTokenObj(TokenObj& token) {
  if (token.Count <= 0) return;
  TProperties* top = Document->PropStack ? Document->PropStack->TopProps() : nullptr;
  if (top && top->ReadDisplayKind() == DisplayNone && DropsTextWhenHidden(top->TagName)) return;
  const int32_t* positions = token.Positions.data() + 1;
  const int transform = top ? top->ReadCaseTransform() : 0;
  const bool smallCaps = top && top->FontVariantText() == u"small-caps";
  if (transform != 1 && transform != 2 && !smallCaps) {
    // Straight from the token: a text of millions of characters is not copied once more.
    AppendChars(token.Chars.data() + 1, positions, token.Count);
    return;
  }
  String text(token.Chars.begin() + 1, token.Chars.begin() + 1 + token.Count);
  if (transform == 1 || transform == 2) text = MapCase(text, transform);
  if (smallCaps)
    AppendSmallCaps(text, positions);
  else
    AppendChars(text.data(), positions, static_cast<int>(text.size()));
}

// Upper-cased text; the letters that were lower case take the font of a SMALL element.
// The property stack is left as it was found, also when the text ends in lower case.
void TSection::AppendSmallCaps(const String& text, const int32_t* positions) {
  TPropStack& stack = *Document->PropStack;
  TProperties& outer = *stack.TopProps();
  const String upper = MapCase(text, 1);
  bool inLower = false;
  int pieceStart = 0;
  auto flush = [&](int end) {
    AppendChars(upper.data() + pieceStart, positions + pieceStart, end - pieceStart);
    pieceStart = end;
  };
  auto leaveLower = [&] {
    stack.Delete(stack.Count() - 1);
    inLower = false;
    ChangeFont(outer);
  };
  for (int i = 0; i < static_cast<int>(text.size()); ++i) {
    const Char c = text[i];
    if (KeepsCaseState(c)) continue;
    const bool lower = IsLowerLetter(c);
    if (lower == inLower) continue;
    flush(i);
    if (lower) {
      auto small = std::make_unique<TProperties>(&stack, outer.QuirksMode);
      small->TakeParentValues(u"small", outer);
      small->ApplyStyleRules(*Document->StyleList, u"small", stack.Count(), nullptr, String(), String(), String(),
                             String());
      ChangeFont(*stack.Add(std::move(small)));
      inLower = true;
    } else {
      leaveLower();
    }
  }
  flush(static_cast<int>(text.size()));
  if (inLower) leaveLower();
}

void TSection::FinishText(int endSourcePosition) {
  if (finished_) return;
  const auto newIndex = FoldWhiteSpace(Text, BreakCodes, SourceIndexes, [this](int position) {
    const TFloatingObj* object = FloatingObjects().FindAt(position);
    return object && object->Floats();
  });
  ApplyFolding(newIndex);
  if (!(Text.size() == 1 && Text[0] == ForcedBreakChar) && !Text.empty() && Text.back() != u' ')
    AppendFinalSpace(endSourcePosition);
  FixText();
}

// Runs, objects and their placeholders follow the characters that stayed. Runs that now
// start at the same character leave only the last of them.
void TSection::ApplyFolding(const std::vector<int>& newIndex) {
  const int oldLength = static_cast<int>(newIndex.size()) - 1;
  auto moved = [&](int position) { return newIndex[static_cast<size_t>(std::clamp(position, 0, oldLength))]; };
  for (int i = 0; i < FloatingObjects().Count(); ++i) {
    TFloatingObj* object = FloatingObjects().Items(i);
    object->CharPos = moved(object->CharPos);
  }
  for (int i = 0; i < FormControls().Count(); ++i) {
    TFormControlObj* control = FormControls().Items(i);
    control->CharPos = moved(control->CharPos);
  }
  for (int i = 0; i < Fonts.Count(); ++i) {
    TFontObj* run = Fonts.Items(i);
    run->StartPos = moved(run->StartPos);
  }
  int i = 0;
  while (i + 1 < Fonts.Count()) {
    TFontObj* run = Fonts.Items(i);
    TFontObj* next = Fonts.Items(i + 1);
    if (run->StartPos != next->StartPos) {
      ++i;
      continue;
    }
    if (run->FocusControl && run->LinkTarget->Serial == next->LinkTarget->Serial && !run->LinkTarget->LinkUrl.empty())
      run->HandFocusControlTo(*next);
    Fonts.Delete(i);
  }
}

void TSection::AppendFinalSpace(int sourcePosition) {
  const int oldLength = static_cast<int>(Text.size());
  const Char space = u' ';
  AppendChars(&space, &sourcePosition, 1);
  for (int i = 0; i < Fonts.Count(); ++i) {
    TFontObj* run = Fonts.Items(i);
    if (run->StartPos == oldLength) run->StartPos = oldLength + 1;
  }
}

void TSection::FixText() {
  finished_ = true;
  CursorLength = static_cast<int>(Text.size());
  if (!Text.empty()) {
    BreakCodes.push_back(BreakYes);
    SourceRuns = CompressSourceIndexes(SourceIndexes.data(), static_cast<int>(Text.size()));
    SectionNumber = ++Document->SectionCount;
  }
  // The collecting buffers are done with: their memory goes (assigning {} would keep it),
  // and the text keeps no room to grow.
  std::vector<int32_t>().swap(SourceIndexes);
  Text.shrink_to_fit();
  BreakCodes.shrink_to_fit();
}
