#include "platform/rtl/CodePages.h"

#include <map>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr Char kCp1252[256] = {
#include "platform/rtl/Cp1252Table.inc"
};

// A code page of one byte per character given by a 256-entry table.
class TSingleByteConverter : public TCodePageConverter {
 public:
  explicit TSingleByteConverter(const Char (&table)[256], int limit = 256) : table_(table), limit_(limit) {
    for (int b = limit_ - 1; b >= 0; --b) reverse_[table_[b]] = static_cast<unsigned char>(b);
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
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
      auto it = reverse_.find(s[i]);
      if (it != reverse_.end()) {
        out.push_back(static_cast<char>(it->second));
        continue;
      }
      if (lossless) *lossless = false;
      out.push_back('?');
      // A surrogate pair is one character: one '?'.
      if (s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
    }
    return out;
  }

 private:
  const Char (&table_)[256];
  int limit_;
  std::map<Char, unsigned char> reverse_;
};

struct Latin1Table {
  Char units[256];
  constexpr Latin1Table() : units() {
    for (int i = 0; i < 256; ++i) units[i] = static_cast<Char>(i);
  }
};
constexpr Latin1Table kLatin1;

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
    r[1252] = std::make_shared<TSingleByteConverter>(kCp1252);
    r[28591] = std::make_shared<TSingleByteConverter>(kLatin1.units);
    r[20127] = std::make_shared<TSingleByteConverter>(kLatin1.units, 128);
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
