#include "app/FeedText.h"

#include "platform/net/ServiceEndpoints.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"

namespace {

// The code unit of the escape "\uXXXX" at pos, or -1 when none stands there.
int EscapeAt(const String& text, size_t pos) {
  if (pos + 6 > text.size() || text[pos] != u'\\' || text[pos + 1] != u'u') return -1;
  int unit = 0;
  for (size_t k = pos + 2; k < pos + 6; ++k) {
    const int digit = HexDigitValue(text[k]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

bool IsHighSurrogate(int unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(int unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool KeptEscaped(int unit) { return unit < 0x20 || unit == 0x7F || unit == u'"' || unit == u'\\'; }

const String kCrLf = u"\r\n";

}  // namespace

String DecodeUnicodeEscapes(const String& text) {
  String out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'\\') {
      out += text[i++];
      continue;
    }
    const int unit = EscapeAt(text, i);
    if (unit < 0 || KeptEscaped(unit)) {
      // Another escape (or one kept as it is): copy the backslash with the character it
      // escapes, so that "\\u00fc" stays an escaped backslash followed by "u00fc".
      out.append(text, i, std::min<size_t>(2, text.size() - i));
      i += 2;
      continue;
    }
    if (IsHighSurrogate(unit)) {
      const int low = EscapeAt(text, i + 6);
      if (IsLowSurrogate(low)) {
        out += static_cast<char16_t>(unit);
        out += static_cast<char16_t>(low);
        i += 12;
        continue;
      }
      out += u'\uFFFD';
    } else if (IsLowSurrogate(unit)) {
      out += u'\uFFFD';
    } else {
      out += static_cast<char16_t>(unit);
    }
    i += 6;
  }
  return out;
}

String NormalizeFeedText(const String& feed) {
  const TReplaceFlags all = rfReplaceAll | rfIgnoreCase;
  String s = StringReplace(feed, u"}", u"}" + kCrLf, all);
  s = StringReplace(s, u",\"likes", kCrLf + u",\"likes", all);
  s = StringReplace(s, u"{\"data\":[", u"{\"data\":[" + kCrLf + u" ", all);
  s = StringReplace(s, u",\"", u"\"", all);
  s = StringReplace(s, u",{", u"{", all);
  s = StringReplace(s, u"\\/", u"/", all);
  s = DecodeUnicodeEscapes(s);
  return StringReplace(s, u"\"\"privacy\":{\"value\":\"\"}", u"", all);
}

String PageFeedUrl(const String& page) {
  const TMemIniFile credentials(ProgramPath(u"\\config\\credentials.ini"));
  const String token = credentials.ReadString(u"PageFeed", u"AccessToken", u"");
  return ServiceUrl(TWebService::PageFeed, u"/" + UrlEncodeQueryValue(page) + u"/feed?access_token=" +
                                               UrlEncodeQueryValue(token) + u"&limit=100");
}
