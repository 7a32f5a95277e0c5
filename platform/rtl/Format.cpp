#include "platform/rtl/Format.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int64_t kMaxNumber = 4096;

class Formatter {
 public:
  Formatter(const String& pattern, std::initializer_list<TVarRec> args, const TFormatSettings& fs)
      : pattern_(pattern), args_(args), fs_(fs) {}

  String Run() {
    String out;
    size_t i = 0;
    while (i < pattern_.size()) {
      const size_t percent = pattern_.find(u'%', i);
      if (percent == String::npos) {
        out.append(pattern_, i, String::npos);
        break;
      }
      out.append(pattern_, i, percent - i);
      i = percent + 1;
      if (i < pattern_.size() && pattern_[i] == u'%') {
        out += u'%';
        ++i;
        continue;
      }
      out += Specifier(i);
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError(S("Format '") + pattern_ + S("' ungültig oder nicht kompatibel mit Argument"));
  }

  const TVarRec& NextArg() {
    if (next_ >= args_.size())
      throw EConvertError(S("Kein Argument für Format '") + pattern_ + u"'");
    return args_.begin()[next_++];
  }

  // A decimal number or "*"; -1 when neither is there. Widths and precisions above
  // kMaxNumber are refused, so that a pattern cannot ask for gigabytes of padding.
  int Number(size_t& i) {
    int64_t v = 0;
    if (i < pattern_.size() && pattern_[i] == u'*') {
      ++i;
      const TVarRec& arg = NextArg();
      if (arg.kind() != TVarRec::Kind::Int32 && arg.kind() != TVarRec::Kind::Int64) Invalid();
      v = arg.Int() < 0 ? 0 : arg.Int();
    } else {
      if (i >= pattern_.size() || pattern_[i] < u'0' || pattern_[i] > u'9') return -1;
      for (; i < pattern_.size() && pattern_[i] >= u'0' && pattern_[i] <= u'9'; ++i)
        v = std::min<int64_t>(v * 10 + (pattern_[i] - u'0'), kMaxNumber + 1);
    }
    if (v > kMaxNumber) Invalid();
    return static_cast<int>(v);
  }

  String Specifier(size_t& i) {
    int number = Number(i);
    if (i < pattern_.size() && pattern_[i] == u':') {
      if (number < 0) Invalid();
      next_ = static_cast<size_t>(number);
      ++i;
      number = -1;
    }
    bool left = false;
    if (number < 0 && i < pattern_.size() && pattern_[i] == u'-') {
      left = true;
      ++i;
    }
    const int width = number >= 0 ? number : Number(i);
    int precision = -1;
    if (i < pattern_.size() && pattern_[i] == u'.') {
      ++i;
      precision = Number(i);
      if (precision < 0) Invalid();
    }
    if (i >= pattern_.size()) Invalid();
    const Char type = pattern_[i++];
    String text = Convert(type, precision);
    if (width > 0 && text.size() < static_cast<size_t>(width)) {
      const String pad(static_cast<size_t>(width) - text.size(), u' ');
      text = left ? text + pad : pad + text;
    }
    return text;
  }

  String Convert(Char type, int precision) {
    const TVarRec& arg = NextArg();
    const TVarRec::Kind kind = arg.kind();
    const bool integer = kind == TVarRec::Kind::Int32 || kind == TVarRec::Kind::Int64 || kind == TVarRec::Kind::UInt64;
    switch (type | 0x20) {
      case u'd':
        if (!integer) Invalid();
        return ZeroPad(kind == TVarRec::Kind::UInt64 ? Unsigned(arg.Int()) : IntToStr(arg.Int()), precision);
      case u'u':
        if (!integer) Invalid();
        return ZeroPad(kind == TVarRec::Kind::Int32 ? IntToStr(static_cast<uint32_t>(arg.Int())) : Unsigned(arg.Int()),
                       precision);
      case u'x':
        if (!integer) Invalid();
        return ZeroPad(kind == TVarRec::Kind::Int32 ? IntToHex(static_cast<int32_t>(arg.Int()), 0)
                                                    : IntToHex(arg.Int(), 0),
                       precision);
      case u'e':
        if (kind != TVarRec::Kind::Float) Invalid();
        return FloatToStrF(arg.Float(), ffExponent, precision < 0 ? 15 : precision, 3, fs_);
      case u'f':
        if (kind != TVarRec::Kind::Float) Invalid();
        return FloatToStrF(arg.Float(), ffFixed, 17, precision < 0 ? 2 : precision, fs_);
      case u'g':
        if (kind != TVarRec::Kind::Float) Invalid();
        return FloatToStrF(arg.Float(), ffGeneral, precision < 0 ? 15 : precision, 0, fs_);
      case u'n':
        if (kind != TVarRec::Kind::Float) Invalid();
        return FloatToStrF(arg.Float(), ffNumber, 17, precision < 0 ? 2 : precision, fs_);
      case u'm':
        if (kind != TVarRec::Kind::Float) Invalid();
        return FloatToStrF(arg.Float(), ffCurrency, 17, precision < 0 ? fs_.CurrencyDecimals : precision, fs_);
      case u'p':
        if (kind != TVarRec::Kind::Pointer) Invalid();
        return IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(arg.Pointer())), 16);
      case u's': {
        if (kind != TVarRec::Kind::Text) Invalid();
        const std::u16string_view text = arg.Text();
        return String(precision >= 0 ? text.substr(0, static_cast<size_t>(precision)) : text);
      }
      default:
        Invalid();
    }
  }

  static String Unsigned(int64_t bits) {
    uint64_t v = static_cast<uint64_t>(bits);
    String out;
    do {
      out.insert(out.begin(), static_cast<Char>(u'0' + v % 10));
      v /= 10;
    } while (v != 0);
    return out;
  }

  // Pads the digits (after a sign) with zeros to at least `digits` digits.
  static String ZeroPad(String text, int digits) {
    const size_t sign = !text.empty() && text[0] == u'-' ? 1 : 0;
    if (digits > 0 && text.size() - sign < static_cast<size_t>(digits))
      text.insert(sign, static_cast<size_t>(digits) - (text.size() - sign), u'0');
    return text;
  }

  const String& pattern_;
  std::initializer_list<TVarRec> args_;
  const TFormatSettings& fs_;
  size_t next_ = 0;
};

}  // namespace

String Format(const String& pattern, std::initializer_list<TVarRec> args, const TFormatSettings& settings) {
  return Formatter(pattern, args, settings).Run();
}
