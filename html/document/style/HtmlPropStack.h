// The property sets of the open elements while a document is parsed: the document's
// defaults at the bottom, the innermost element on top.
//
// The stack holds at most MaxDepth sets. An element opened beyond that gets no set of its
// own (it takes the style of the element around it) and is only counted; its end tag then
// closes it without touching the stack. So a hostile document nesting thousands of
// elements neither grows the stack nor makes each end tag re-derive thousands of sets.
// While such elements are open, further ones are counted too: they are always the top.
#pragma once

#include <array>
#include <cstdint>

#include "html/foundation/css/StyleList.h"

class ThtDocument;

class THtmlPropStack : public TPropStack {
 public:
  static constexpr int MaxDepth = 256;

  explicit THtmlPropStack(ThtDocument* document) : Document(document) {}

  // A set for the element inheriting from the top one, with the document's style rules for
  // the tag applied (attributes: the element's STYLE attribute set, or nil); it becomes the
  // top. Nil when the stack is full (the element is counted instead).
  TProperties* PushNewProps(uint8_t tagSymbol, const String& classText, TProperties* attributes,
                            const String& title, const String& pseudo, const String& id);
  // Closes the nearest open element with the tag symbol above the bottom set: its inline
  // border record ends at SourcePosition, its set goes, and the sets above it are derived
  // again from their new parents. Nothing happens when no such element is open.
  void PopProps(uint8_t tagSymbol);
  // Deletes the top set when at least two remain; with elements counted beyond the limit,
  // those end instead (they are the top).
  void PopTop();
  // Empties the stack.
  void Clear();

  ThtDocument* Document;       // not owned
  int32_t SourcePosition = 0;  // the parser's current source position

 private:
  std::array<int32_t, 256> beyondDepth_{};  // elements opened beyond MaxDepth, by tag symbol
  int32_t beyondDepthCount_ = 0;
};
