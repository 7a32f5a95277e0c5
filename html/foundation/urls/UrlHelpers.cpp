#include "html/foundation/urls/UrlHelpers.h"

#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"

namespace {

bool IsBlankOrControl(Char c) { return c <= u' '; }

String Trim(const String& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlankOrControl(s[b])) ++b;
  while (e > b && IsBlankOrControl(s[e - 1])) --e;
  return s.substr(b, e - b);
}

String Lower(String s) {
  for (Char& c : s)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c - u'A' + u'a');
  return s;
}

bool StartsWith(const String& s, std::u16string_view prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

String CutAtQuery(const String& url) { return url.substr(0, url.find(u'?')); }

// One "%XX" escape at i; -1 when there is none.
int EscapeAt(const String& s, size_t i) {
  if (i + 2 >= s.size() || s[i] != u'%') return -1;
  int h = HexDigitValue(s[i + 1]), l = HexDigitValue(s[i + 2]);
  return h < 0 || l < 0 ? -1 : h * 16 + l;
}

// Decodes the escape sequence at i into out; the number of characters it takes, 0 when it
// is malformed.
size_t DecodeSequence(const String& s, size_t i, String& out) {
  int lead = EscapeAt(s, i);
  TUtf8Decoder decoder;
  if (lead <= 0 || !decoder.Start(static_cast<uint32_t>(lead))) return 0;
  size_t pos = i + 3;
  for (; decoder.NeedsMore(); pos += 3) {
    int next = EscapeAt(s, pos);
    if (next < 0 || !decoder.Add(static_cast<uint32_t>(next))) return 0;
  }
  uint32_t value = decoder.CodePoint();
  if (value >= 0x10000) {
    value -= 0x10000;
    out = {static_cast<Char>(0xD800 + (value >> 10)), static_cast<Char>(0xDC00 + (value & 0x3FF))};
  } else {
    out = String(1, static_cast<Char>(value));
  }
  return pos - i;
}

}  // namespace

String UrlBase(const String& url) {
  String u = Trim(url);
  if (u.empty()) return u"/";
  size_t a = u.find(u'?');
  if (a == String::npos) a = u.size() - 1;
  size_t b = u.find(u"//");
  if (b == String::npos || b > a) b = 0;
  for (size_t i = a + 1; i-- > b;)
    if (u[i] == u'/') return u.substr(0, i + 1);
  return u + u"/";
}

String JoinDosPath(const String& dir, const String& name) {
  bool dirHas = !dir.empty() && dir.back() == u'\\';
  bool nameHas = !name.empty() && name.front() == u'\\';
  if (dirHas && nameHas) return dir.substr(0, dir.size() - 1) + name;
  if (dirHas || nameHas) return dir + name;
  return dir + u"\\" + name;
}

bool IsFullUrl(const String& text) {
  String t = Lower(CutAtQuery(text));
  size_t p = t.find(u"://");
  if (p != String::npos && t.find(u'/') == p + 1) return true;
  return StartsWith(t, u"mailto:") || StartsWith(t, u"data:");
}

String GetProtocol(const String& url) {
  String u = Lower(CutAtQuery(url));
  size_t p = u.find(u"://");
  if (p != String::npos) return u.substr(0, p);
  if (StartsWith(u, u"/") || StartsWith(u, u"http:")) return u"http";
  if (StartsWith(u, u"mailto:")) return u"mailto";
  if (StartsWith(u, u"data:")) return u"data";
  return String();
}

String CombineUrl(const String& baseIn, const String& relativeIn) {
  String base = Trim(baseIn);
  String protocol = GetProtocol(base);
  // h: the 0-based index of the "/" that ends the host part, or npos.
  size_t h;
  if (StartsWith(Lower(base), u"file:///")) {
    h = base.find(u'/', 8);
    if (h == String::npos) h = 7;
  } else if (size_t p = base.find(u"://"); p != String::npos) {
    h = base.find(u'/', p + 3);
    if (h == String::npos) h = p + 1;
  } else {
    h = base.find(u'/');
  }
  if (h != String::npos) {
    if (base.empty() || base.back() != u'/') base += u'/';
  } else {
    base += u'/';
    h = base.size() - 1;
  }
  String relative = Trim(relativeIn);
  String result;
  if (StartsWith(relative, u"//"))
    result = protocol == u"file" ? u"file:///" + relative : protocol + u":" + relative;
  else if (StartsWith(relative, u"/"))
    result = base.substr(0, h + 1) + relative.substr(1);
  else
    result = base + relative;

  // "/../" removes the segment before it; at or before the host's end only "../" goes.
  for (size_t c = result.find(u"/../"); c != String::npos; c = result.find(u"/../")) {
    if (c <= h) {
      result.erase(c + 1, 3);
      continue;
    }
    size_t q = result.rfind(u'/', c - 1);
    if (q == String::npos) break;
    result.erase(q + 1, c + 4 - (q + 1));
  }
  for (size_t c = result.find(u"/./"); c != String::npos; c = result.find(u"/./")) result.erase(c, 2);
  return result;
}

void SplitUrlFragment(const String& url, String& address, String& fragment) {
  size_t p = url.find(u'#');
  if (p == String::npos) {
    address = url;
    fragment.clear();
  } else {
    address = url.substr(0, p);
    fragment = url.substr(p);
  }
}

String DecodeUrlEscapes(const String& text) {
  String s = text;
  String decoded;
  for (size_t i = s.find(u'%'); i != String::npos && i + 2 < s.size(); i = s.find(u'%', i)) {
    size_t taken = DecodeSequence(s, i, decoded);
    if (taken == 0) {
      ++i;  // left as it is; go on after the "%"
      continue;
    }
    s.replace(i, taken, decoded);
    i += decoded.size();
  }
  return s;
}

String UrlToDosPath(const String& url) {
  String s = DecodeUrlEscapes(url);
  if (s.find(u'/') == String::npos) return s;
  size_t p = Lower(s).find(u"file:/");
  if (p != String::npos) {
    size_t count = s.size() > 6 && s[6] == u'/' ? (s.size() > 7 && s[7] == u'/' ? 8 : 7) : 6;
    s.erase(p, count);
  }
  for (Char& c : s) {
    if (c == u'|') c = u':';
    else if (c == u'/') c = u'\\';
  }
  return s;
}

String UrlToDosPathWithBase(const String& url, const String& base) {
  String path = Trim(UrlToDosPath(url));
  if (!path.empty() && !base.empty() && !StartsWith(path, u"\\\\") && !(path.size() > 1 && path[1] == u':') &&
      path[0] == u'\\')
    return base + path;
  return path;
}

String UrlToFileSystemPath(const String& urlOrPath) {
  String s = Trim(urlOrPath);
  if (StartsWith(Lower(s), u"file:")) {
    s = DecodeUrlEscapes(s.substr(5));
    // "file:///p" and "file:/p" are local paths; "file://host/p" keeps the host as "//host/p".
    if (StartsWith(s, u"///")) s.erase(0, 2);
  }
  for (Char& c : s)
    if (c == u'\\') c = u'/';
  // A drive: "C:" or "C|", alone or after the root slash of a file URL.
  size_t d = StartsWith(s, u"/") ? 1 : 0;
  if (s.size() >= d + 2 && ((s[d] >= u'A' && s[d] <= u'Z') || (s[d] >= u'a' && s[d] <= u'z')) &&
      (s[d + 1] == u':' || s[d + 1] == u'|')) {
    s.erase(0, d + 2);
    if (!StartsWith(s, u"/")) s.insert(0, u"/");
  }
  return s;
}
