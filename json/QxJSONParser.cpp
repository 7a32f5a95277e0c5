#include "json/QxJSONParser.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "json/QxJSONText.h"
#include "platform/rtl/Unicode.h"

namespace {

// The grammar checked text of a number in extended precision, independent of the C
// locale. Values too small become 0; values beyond the range raise EConvertError.
long double TextToExtended(const std::string& number) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  char* end = nullptr;
  const long double value = strtold_l(number.c_str(), &end, cLocale);
  if (end != number.c_str() + number.size() || std::isinf(value))
    throw EConvertError(S("'" + number + "' ist kein gültiger Gleitkommawert"));
  return value;
}

// Readers take the position to start at; on success they return what they read (which the
// caller attaches to its container) and move the position past it. On failure they return
// none and the position stays.
class TqxJSONReader {
 public:
  explicit TqxJSONReader(const String& text) : Text(text), Size(text.size()) {}

  std::unique_ptr<TqxJSONbase> ReadValue(size_t& pos) {
    SkipJsonBlanks(pos);
    if (pos >= Size) return nullptr;
    // Each kind of value has its own first character.
    switch (Text[pos]) {
      case u't': case u'f': return ReadBoolean(pos);
      case u'n': return ReadNull(pos);
      case u'"': return ReadString(pos);
      case u'[': return ReadList(pos);
      case u'{': return ReadObject(pos);
      default: return ReadNumber(pos);
    }
  }

 private:
  // Counts the nesting of lists and objects while one is read.
  class DepthGuard {
   public:
    explicit DepthGuard(int& depth) : Depth(depth) {
      if (++Depth > TqxJSON::MaxDepth) {
        --Depth;
        throw EConvertError(S("JSON-Daten sind zu tief verschachtelt"));
      }
    }
    ~DepthGuard() { --Depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

   private:
    int& Depth;
  };

  bool At(size_t pos, Char c) const { return pos < Size && Text[pos] == c; }
  bool IsDigit(size_t pos) const { return pos < Size && Text[pos] >= u'0' && Text[pos] <= u'9'; }
  bool Matches(size_t pos, std::u16string_view word) const {
    return Size - pos >= word.size() && std::u16string_view(Text).substr(pos, word.size()) == word;
  }

  void SkipJsonBlanks(size_t& pos) const {
    while (pos < Size && Text[pos] <= 32) ++pos;
  }

  std::unique_ptr<TqxJSONbase> ReadBoolean(size_t& pos) {
    bool value;
    size_t len;
    if (Matches(pos, u"true")) {
      value = true;
      len = 4;
    } else if (Matches(pos, u"false")) {
      value = false;
      len = 5;
    } else {
      return nullptr;
    }
    auto b = std::make_unique<TqxJSONboolean>();
    b->BooleanValue = value;
    pos += len;
    return b;
  }

  std::unique_ptr<TqxJSONbase> ReadNull(size_t& pos) {
    if (!Matches(pos, u"null")) return nullptr;
    pos += 4;
    return std::make_unique<TqxJSONnull>();
  }

  size_t ReadDigits(size_t pos) const {
    while (IsDigit(pos)) ++pos;
    return pos;
  }

  std::unique_ptr<TqxJSONbase> ReadNumber(size_t& pos) {
    size_t p = pos;
    const size_t start = p;
    if (At(p, u'+') || At(p, u'-')) ++p;
    if (!IsDigit(p)) return nullptr;
    p = ReadDigits(p);
    if (At(p, u'.')) {
      if (!IsDigit(p + 1)) return nullptr;
      p = ReadDigits(p + 1);
    }
    if (At(p, u'e') || At(p, u'E')) {
      size_t q = p + 1;
      if (At(q, u'+') || At(q, u'-')) ++q;
      if (!IsDigit(q)) return nullptr;
      p = ReadDigits(q);
    }
    auto n = std::make_unique<TqxJSONnumber>();
    const size_t digitsFrom = At(start, u'+') || At(start, u'-') ? start + 1 : start;
    if (p - digitsFrom <= 18 && ReadDigits(digitsFrom) == p) {
      // An integer of up to 18 digits is exact in a 64-bit integer, and so in the result.
      uint64_t value = 0;
      for (size_t k = digitsFrom; k < p; ++k) value = value * 10 + (Text[k] - u'0');
      n->NumberValue = At(start, u'-') ? -static_cast<long double>(value) : static_cast<long double>(value);
    } else {
      std::string number;
      number.reserve(p - start);
      for (size_t k = At(start, u'+') ? start + 1 : start; k < p; ++k) number += static_cast<char>(Text[k]);
      n->NumberValue = TextToExtended(number);
    }
    pos = p;
    return n;
  }

  // Reads a string at pos into value; the position moves past the closing quote.
  bool ReadStringText(size_t& pos, String& value) {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (!At(p, u'"')) return false;
    const size_t begin = p + 1;
    size_t end = begin;
    bool escaped = false;
    bool multiByte = false;
    // A backslash always takes the next character with it, so neither ends the string.
    while (end < Size && Text[end] != u'"') {
      if (Text[end] == u'\\') {
        escaped = true;
        end += 2;
      } else {
        multiByte |= Text[end] >= 0x80;
        ++end;
      }
    }
    if (end >= Size) return false;
    const Char* first = Text.data() + begin;
    const Char* last = Text.data() + end;
    if (!escaped && !multiByte) {
      value.assign(first, last);  // plain ASCII: the value is the text
    } else {
      // Escapes and multi-byte characters make the value shorter than its text: it is decoded
      // into a scratch string and then takes only its own length.
      Decoded.clear();
      if (escaped) {
        // Escapes may stand for the bytes of a character: unescape first, then decode.
        Unescaped.clear();
        UnescapeJsonString(first, last, Unescaped);
        DecodeByteChars(Unescaped.data(), Unescaped.data() + Unescaped.size(), Decoded);
      } else {
        DecodeByteChars(first, last, Decoded);
      }
      value.assign(Decoded);
    }
    pos = end + 1;
    return true;
  }

  std::unique_ptr<TqxJSONbase> ReadString(size_t& pos) {
    auto s = std::make_unique<TqxJSONstring>();
    if (!ReadStringText(pos, s->StringValue)) return nullptr;
    return s;
  }

  std::unique_ptr<TqxJSONbase> ReadList(size_t& pos) {
    size_t p = pos;
    if (!At(p, u'[')) return nullptr;
    ++p;
    auto list = std::make_unique<TqxJSONlist>();
    {
      DepthGuard guard(Depth);
      for (;;) {
        std::unique_ptr<TqxJSONbase> value = ReadValue(p);
        SkipJsonBlanks(p);
        if (!value) break;
        list->AddChild(std::move(value));
        if (At(p, u',')) ++p;
      }
    }
    if (!At(p, u']')) return nullptr;
    pos = p + 1;
    return list;
  }

  std::unique_ptr<TqxJSONbase> ReadObject(size_t& pos) {
    size_t p = pos;
    if (!At(p, u'{')) return nullptr;
    ++p;
    auto object = std::make_unique<TqxJSONobject>(true);
    {
      DepthGuard guard(Depth);
      for (;;) {
        std::unique_ptr<TqxJSONobjectmethod> member = ReadMember(p);
        SkipJsonBlanks(p);
        if (!member) break;
        object->AddMember(std::move(member));
        if (At(p, u',')) ++p;
      }
    }
    if (!At(p, u'}')) return nullptr;
    pos = p + 1;
    return object;
  }

  std::unique_ptr<TqxJSONobjectmethod> ReadMember(size_t& pos) {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (p >= Size) return nullptr;
    auto member = std::make_unique<TqxJSONobjectmethod>();
    if (!ReadStringText(p, member->MemberName)) return nullptr;
    SkipJsonBlanks(p);
    if (!At(p, u':')) return nullptr;
    ++p;
    member->MemberValue = ReadValue(p);
    if (!member->MemberValue) return nullptr;
    pos = p;
    return member;
  }

  const String& Text;
  const size_t Size;
  String Unescaped;  // scratches of ReadStringText
  String Decoded;
  int Depth = 0;
};

}  // namespace

std::unique_ptr<TqxJSONbase> TqxJSON::ParseDocument(const String& text) {
  if (text.empty()) return nullptr;
  size_t pos = 0;
  if (text.size() >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) {
    if (text.size() < 4) return nullptr;
    pos = 3;
  }
  TqxJSONReader reader(text);
  std::unique_ptr<TqxJSONbase> root;
  try {
    root = reader.ReadValue(pos);
  } catch (const Exception&) {
    // A bad number or \u escape, or nesting past the limit: the whole parse fails.
    return nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return root;
}
