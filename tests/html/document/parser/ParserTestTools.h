// Readers over small HTML inputs for the parser tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/TokenSymbols.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

inline std::unique_ptr<TBuffer> BufferOf(const std::string& bytes) {
  TStringStream stream(bytes);
  return TBuffer::CreateFromStream(stream, u"doc.html");
}

// A parser that owns its buffer.
struct TParserOver {
  explicit TParserOver(const std::string& bytes) : Buffer(BufferOf(bytes)), Parser(Buffer.get()) {}
  std::unique_ptr<TBuffer> Buffer;
  THtmlParser Parser;
};

inline std::string TokenText(THtmlParser& p) { return StringToUtf8(p.Token->GetText()); }

// One token as text: <P ALIGN=center>, </P>, <? X=1> for unknown tags, "text", eof.
inline std::string DescribeToken(THtmlParser& p) {
  if (p.Symbol == EofSy) return "eof";
  if (p.Symbol == TextSy) return "\"" + TokenText(p) + "\"";
  std::string out;
  if (p.Symbol == UnknownSy) {
    out = "<?";
  } else {
    const bool end = TagStartSymbol(p.Symbol) != p.Symbol;
    out = std::string(end ? "</" : "<") + StringToUtf8(UpperCase(SymbolToTagName(p.Symbol)));
  }
  for (int i = 0; i < p.Attributes.Count(); ++i) {
    const TAttribute* a = p.Attributes.AttributeAt(i);
    out += " " + StringToUtf8(a->AttrName) + "=" + StringToUtf8(a->ValueText);
  }
  return out + ">";
}

inline std::vector<std::string> ReadTokens(const std::string& html) {
  TParserOver over(html);
  THtmlParser& p = over.Parser;
  std::vector<std::string> tokens;
  p.GetChar();
  do {
    p.NextToken();
    tokens.push_back(DescribeToken(p));
  } while (p.Symbol != EofSy && tokens.size() < 100);
  return tokens;
}
