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

// Readers take the position to start at; on success they attach what they read to the
// container (none: the root) and move the position past it. On failure the position stays.
class TqxJSONReader {
 public:
  explicit TqxJSONReader(const String& text) : Text(text) {}

  std::unique_ptr<TqxJSONbase> Root;

  bool ReadValue(size_t& pos, TqxJSONbase* container) {
    SkipJsonBlanks(pos);
    return ReadBoolean(pos, container) || ReadNull(pos, container) || ReadNumber(pos, container) ||
           ReadString(pos, container) || ReadList(pos, container) || ReadObject(pos, container);
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

  bool At(size_t pos, Char c) const { return pos < Text.size() && Text[pos] == c; }
  bool IsDigit(size_t pos) const { return pos < Text.size() && Text[pos] >= u'0' && Text[pos] <= u'9'; }
  bool Matches(size_t pos, std::u16string_view word) const {
    return Text.size() - pos >= word.size() && std::u16string_view(Text).substr(pos, word.size()) == word;
  }

  void SkipJsonBlanks(size_t& pos) const {
    while (pos < Text.size() && Text[pos] <= 32) ++pos;
  }

  void AttachValue(TqxJSONbase* container, std::unique_ptr<TqxJSONbase> value) {
    if (!container) {
      Root = std::move(value);
    } else if (auto* member = dynamic_cast<TqxJSONobjectmethod*>(container)) {
      member->MemberValue = std::move(value);
    } else {
      // Lists and objects; an object enters the member's name into its name index.
      static_cast<TqxJSONcustomlist*>(container)->AddChild(std::move(value));
    }
  }

  bool ReadBoolean(size_t& pos, TqxJSONbase* container) {
    bool value;
    size_t len;
    if (Matches(pos, u"true")) {
      value = true;
      len = 4;
    } else if (Matches(pos, u"false")) {
      value = false;
      len = 5;
    } else {
      return false;
    }
    auto b = std::make_unique<TqxJSONboolean>();
    b->BooleanValue = value;
    AttachValue(container, std::move(b));
    pos += len;
    return true;
  }

  bool ReadNull(size_t& pos, TqxJSONbase* container) {
    if (!Matches(pos, u"null")) return false;
    AttachValue(container, std::make_unique<TqxJSONnull>());
    pos += 4;
    return true;
  }

  size_t ReadDigits(size_t pos) const {
    while (IsDigit(pos)) ++pos;
    return pos;
  }

  bool ReadNumber(size_t& pos, TqxJSONbase* container) {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (p >= Text.size()) return false;
    const size_t start = p;
    if (At(p, u'+') || At(p, u'-')) ++p;
    if (!IsDigit(p)) return false;
    p = ReadDigits(p);
    if (At(p, u'.')) {
      if (!IsDigit(p + 1)) return false;
      p = ReadDigits(p + 1);
    }
    if (At(p, u'e') || At(p, u'E')) {
      size_t q = p + 1;
      if (At(q, u'+') || At(q, u'-')) ++q;
      if (!IsDigit(q)) return false;
      p = ReadDigits(q);
    }
    std::string number;
    number.reserve(p - start);
    for (size_t k = At(start, u'+') ? start + 1 : start; k < p; ++k) number += static_cast<char>(Text[k]);
    auto n = std::make_unique<TqxJSONnumber>();
    n->NumberValue = TextToExtended(number);
    AttachValue(container, std::move(n));
    pos = p;
    return true;
  }

  // Reads a string at pos into value; the position moves past the closing quote.
  bool ReadStringText(size_t& pos, String& value) const {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (!At(p, u'"')) return false;
    const size_t begin = p + 1;
    size_t end = begin;
    // A backslash always takes the next character with it, so neither ends the string.
    while (end < Text.size() && Text[end] != u'"') end += Text[end] == u'\\' ? 2 : 1;
    if (end >= Text.size()) return false;
    value = DecodeByteChars(UnescapeJsonString(Text.substr(begin, end - begin)));
    pos = end + 1;
    return true;
  }

  bool ReadString(size_t& pos, TqxJSONbase* container) {
    String value;
    if (!ReadStringText(pos, value)) return false;
    auto s = std::make_unique<TqxJSONstring>();
    s->StringValue = std::move(value);
    AttachValue(container, std::move(s));
    return true;
  }

  bool ReadList(size_t& pos, TqxJSONbase* container) {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (!At(p, u'[')) return false;
    ++p;
    auto list = std::make_unique<TqxJSONlist>();
    {
      DepthGuard guard(Depth);
      for (;;) {
        const bool read = ReadValue(p, list.get());
        SkipJsonBlanks(p);
        if (!read) break;
        if (At(p, u',')) ++p;
      }
    }
    if (!At(p, u']')) return false;
    AttachValue(container, std::move(list));
    pos = p + 1;
    return true;
  }

  bool ReadObject(size_t& pos, TqxJSONbase* container) {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (!At(p, u'{')) return false;
    ++p;
    auto object = std::make_unique<TqxJSONobject>(true);
    {
      DepthGuard guard(Depth);
      for (;;) {
        const bool read = ReadMember(p, object.get());
        SkipJsonBlanks(p);
        if (!read) break;
        if (At(p, u',')) ++p;
      }
    }
    if (!At(p, u'}')) return false;
    AttachValue(container, std::move(object));
    pos = p + 1;
    return true;
  }

  bool ReadMember(size_t& pos, TqxJSONobject* object) {
    size_t p = pos;
    SkipJsonBlanks(p);
    if (p >= Text.size()) return false;
    auto member = std::make_unique<TqxJSONobjectmethod>();
    if (!ReadStringText(p, member->MemberName)) return false;
    SkipJsonBlanks(p);
    if (!At(p, u':')) return false;
    ++p;
    if (!ReadValue(p, member.get())) return false;
    AttachValue(object, std::move(member));
    pos = p;
    return true;
  }

  const String& Text;
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
  try {
    if (!reader.ReadValue(pos, nullptr)) return nullptr;
  } catch (const Exception&) {
    // A bad number or \u escape, or nesting past the limit: the whole parse fails.
    return nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return std::move(reader.Root);
}
