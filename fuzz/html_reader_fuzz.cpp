// The HTML reader: tokens, character references, comments, include comments and the
// raw-content readers over arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/ParseError.h"
#include "html/document/parser/TokenSymbols.h"
#include "platform/rtl/Streams.h"

namespace {

std::unique_ptr<TBuffer> BufferOf(const std::string& bytes) {
  TStringStream stream(bytes);
  return TBuffer::CreateFromStream(stream, u"fuzz.html");
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  auto buffer = BufferOf(bytes);
  THtmlParser parser(buffer.get());

  const int start = buffer->ReadOffset();
  parser.DetectQuirksMode();
  Check(buffer->ReadOffset() == start);

  if (flags & 1) {
    // Every include brings in the input's second half (itself holding includes, perhaps).
    const std::string half = bytes.substr(bytes.size() / 2);
    parser.IncludeEvent = [half](TComponent*, const String&, TStrings&, std::unique_ptr<TBuffer>& doc) {
      doc = BufferOf(half);
    };
  }
  parser.LinkSearch = (flags & 2) != 0;
  const int size32 = buffer->ContentSize();
  try {
    parser.GetChar();
    do {
      parser.NextToken();
      for (int i = 1; i <= parser.Token->Count; ++i)
        Check(parser.Token->Positions[static_cast<size_t>(i)] >= 0 && parser.Token->Positions[static_cast<size_t>(i)] <= size32);
      Check(parser.BufferStack.size() <= static_cast<size_t>(THtmlParser::MaxIncludeDepth));
      if (flags & 4) {
        if (parser.Symbol == TextAreaSy) parser.ReadTextAreaContent();
        else if (parser.Symbol == TitleSy) parser.ReadTitle();
        else if (parser.Symbol == ScriptSy) parser.DoScript(nullptr);
        Check(!parser.RawMode);
      }
    } while (parser.Symbol != EofSy);
    Check(parser.BufferStack.empty() && parser.Buffer == buffer.get());
  } catch (const EParseError&) {
    // an input that ends inside a comment
  }
  String title;
  parser.GetTitleText(title);
  return 0;
}
