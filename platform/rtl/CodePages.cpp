#include "platform/rtl/CodePages.h"

#include <array>
#include <map>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/rtl/codepages/CodePageTables.h"

namespace {

// A code page of one byte per character given by a 256-entry table; bytes from `limit` on
// have no character. Encoding finds a character's byte in a two-level reverse table (a
// page of 256 bytes for each high byte that occurs in the code page) and confirms it
// through the forward table, so that the pages need no mark for "none".
class TSingleByteConverter : public TCodePageConverter {
 public:
  explicit TSingleByteConverter(const std::array<Char, 256>& table, int limit = 256) : table_(table), limit_(limit) {
    static constexpr std::array<unsigned char, 256> kNoPage{};
    pages_.fill(kNoPage.data());
    for (int b = limit_ - 1; b >= 0; --b) {  // the lowest byte of a character wins
      auto& page = ownPages_[table_[b] >> 8];
      if (!page) {
        page = std::make_unique<std::array<unsigned char, 256>>();
        pages_[table_[b] >> 8] = page->data();
      }
      (*page)[table_[b] & 0xFF] = static_cast<unsigned char>(b);
    }
  }
  String Decode(std::string_view bytes) const override {
    String out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      out[i] = b < limit_ ? table_[b] : u'\uFFFD';
    }
    return out;
  }
  std::string Encode(const String& s, bool* lossless) const override {
    std::string out(s.size(), '\0');
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
      const Char c = s[i];
      const unsigned char b = pages_[c >> 8][c & 0xFF];
      if (b < limit_ && table_[b] == c) {
        out[n++] = static_cast<char>(b);
        continue;
      }
      if (lossless) *lossless = false;
      out[n++] = '?';
      // A surrogate pair is one character: one '?'.
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
    }
    out.resize(n);
    return out;
  }

 private:
  std::array<Char, 256> table_;
  int limit_;
  std::array<const unsigned char*, 256> pages_;
  std::array<std::unique_ptr<std::array<unsigned char, 256>>, 256> ownPages_;
};

constexpr std::array<Char, 256> kLatin1 = [] {
  std::array<Char, 256> units{};
  for (int i = 0; i < 256; ++i) units[i] = static_cast<Char>(i);
  return units;
}();

class TUtf8Converter : public TCodePageConverter {
 public:
  String Decode(std::string_view bytes) const override { return Utf8ToString(bytes); }
  std::string Encode(const String& s, bool*) const override { return StringToUtf8(s); }
};

class TUtf16Converter : public TCodePageConverter {
 public:
  explicit TUtf16Converter(bool bigEndian) : big_(bigEndian) {}
  String Decode(std::string_view bytes) const override {
    String out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const auto a = static_cast<unsigned char>(bytes[i]);
      const auto b = static_cast<unsigned char>(bytes[i + 1]);
      out[i / 2] = static_cast<Char>(big_ ? (a << 8) | b : (b << 8) | a);
    }
    return out;
  }
  std::string Encode(const String& s, bool*) const override {
    std::string out(s.size() * 2, '\0');
    for (size_t i = 0; i < s.size(); ++i) {
      const char hi = static_cast<char>(s[i] >> 8);
      const char lo = static_cast<char>(s[i] & 0xFF);
      out[2 * i] = big_ ? hi : lo;
      out[2 * i + 1] = big_ ? lo : hi;
    }
    return out;
  }

 private:
  bool big_;
};

std::map<int, std::shared_ptr<const TCodePageConverter>>& Registry() {
  static std::map<int, std::shared_ptr<const TCodePageConverter>> registry = [] {
    std::map<int, std::shared_ptr<const TCodePageConverter>> r;
    r[CP_ANSI] = std::make_shared<TSingleByteConverter>(*RoundTripMapOf(CP_ANSI));
    r[28591] = std::make_shared<TSingleByteConverter>(kLatin1);
    r[20127] = std::make_shared<TSingleByteConverter>(kLatin1, 128);
    r[CP_UTF8] = std::make_shared<TUtf8Converter>();
    r[CP_UTF16LE] = std::make_shared<TUtf16Converter>(false);
    r[CP_UTF16BE] = std::make_shared<TUtf16Converter>(true);
    return r;
  }();
  return registry;
}

const TCodePageConverter& Require(int codePage) {
  const TCodePageConverter* c = FindCodePage(codePage);
  if (!c) throw EConvertError(u"Keine Zuordnung für Codepage " + Utf8ToString(std::to_string(codePage)));
  return *c;
}

}  // namespace

void RegisterCodePage(int codePage, std::shared_ptr<const TCodePageConverter> converter) {
  Registry()[codePage] = std::move(converter);
}

const TCodePageConverter* FindCodePage(int codePage) {
  auto& r = Registry();
  auto it = r.find(codePage);
  return it == r.end() ? nullptr : it->second.get();
}

String BytesToString(std::string_view bytes, int codePage) { return Require(codePage).Decode(bytes); }

std::string StringToBytes(const String& s, int codePage, bool* lossless) {
  if (lossless) *lossless = true;
  return Require(codePage).Encode(s, lossless);
}

String AnsiToString(std::string_view bytes) { return BytesToString(bytes, CP_ANSI); }

std::string StringToAnsi(const String& s, bool* lossless) { return StringToBytes(s, CP_ANSI, lossless); }

bool FitsAnsi(const String& s) {
  bool lossless = true;
  StringToAnsi(s, &lossless);
  return lossless;
}
