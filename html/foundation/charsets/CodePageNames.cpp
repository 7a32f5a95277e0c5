#include "html/foundation/charsets/CodePageNames.h"

#include <algorithm>

#include "html/foundation/charsets/ConverterRegistry.h"

namespace {

struct NameDef {
  int codePage;
  std::initializer_list<const char*> names;
};

// Charset names as documents write them, by code page.
const NameDef kNames[] = {
    {0, {"default"}},
    {1, {"oem"}},
    {437, {"cp437", "cspc8codepage437"}},
    {708, {"708", "asmo-708"}},
    {737, {"737", "ibm737"}},
    {775, {"775", "ibm775", "cp775", "cspc775baltic"}},
    {850, {"850", "ibm850", "cp850", "cspc850multilingual"}},
    {852, {"852", "ibm852", "cp852", "cspcp852"}},
    {855, {"855", "ibm855", "cp855", "csibm855"}},
    {857, {"857", "ibm857", "cp857", "csibm857"}},
    {858, {"858", "ibm00858", "cp858", "ccsid00858", "cp00858", "pc-multilingual-850+euro"}},
    {860, {"860", "ibm860", "cp860", "csibm860"}},
    {861, {"861", "ibm861", "cp861", "csibm861", "cp-is"}},
    {862, {"862", "ibm862", "cp862", "cspc862latinhebrew"}},
    {863, {"863", "ibm863", "cp863", "csibm863"}},
    {864, {"864", "ibm864", "cp864", "csibm864"}},
    {865, {"865", "ibm865", "cp865", "csibm865"}},
    {866, {"866", "ibm866", "cp866", "csibm866"}},
    {869, {"869", "ibm869", "cp869", "cp-gr", "csibm869"}},
    {874, {"874", "windows-874", "dos-874", "cp874", "thai", "tis-620", "tis620"}},
    {922, {"922", "cp922"}},
    {932, {"932", "ms_kanji", "csshiftjis", "cswindows31j", "shift-jis", "shift_jis", "shiftjis", "x-ms-cp932", "ms932", "cp932", "x-sjis"}},
    {936, {"936", "gbk", "cp936", "ms936", "windows-936", "chinese"}},
    {943, {"943", "cp943"}},
    {949, {"949", "cp949", "unc", "ks_c_5601-1987", "iso-ir-149", "ks_c_5601-1989", "ksc_5601", "ksc5601", "ks_c_5601", "korean", "csksc56011987", "5601", "hangeul"}},
    {950, {"950", "cp950", "big5", "big-5", "csbig5", "cn-big5", "x-x-big5", "ms950", "big5-hkscs", "big-five", "bigfive"}},
    {1200, {"utf-16le", "utf16le", "unicode", "utf-16"}},
    {1201, {"utf-16be", "utf16be", "unicodefffe"}},
    {1250, {"1250", "x-cp1250", "cp-1250", "cp1250", "ms-ee", "windows-1250", "easteurope"}},
    {1251, {"1251", "x-cp1251", "cp-1251", "cp1251", "ms-cyr", "ms-cyrl", "win-1251", "win1251", "windows-1251", "russian"}},
    {1252, {"1252", "windows-1252", "cp1252", "cp-1252", "x-ansi", "ms-ansi", "ansi"}},
    {1253, {"1253", "windows-1253", "cp-1253", "cp1253", "ms-greek"}},
    {1254, {"1254", "windows-1254", "cp-1254", "cp1254", "ms-turk", "turkish"}},
    {1255, {"1255", "windows-1255", "cp-1255", "cp1255", "ms-hebr"}},
    {1256, {"1256", "windows-1256", "cp1256", "cp-1256", "ms-arab"}},
    {1257, {"1257", "windows-1257", "cp-1257", "cp1257", "winbaltrim"}},
    {1258, {"1258", "windows-1258", "cp-1258", "cp1258", "vietnamese"}},
    {1361, {"johab", "cp1361"}},
    {10000, {"macintosh", "csmacintosh", "mac", "macroman"}},
    {10004, {"x-mac-arabic"}},
    {10005, {"x-mac-hebrew"}},
    {10006, {"x-mac-greek"}},
    {10007, {"x-mac-cyrillic", "maccyrillic"}},
    {10010, {"x-mac-romanian"}},
    {10017, {"x-mac-ukrainian"}},
    {10021, {"x-mac-thai"}},
    {10029, {"x-mac-ce", "cmac", "macce", "maccentraleurope"}},
    {10079, {"x-mac-icelandic"}},
    {10081, {"x-mac-turkish"}},
    {10082, {"x-mac-croatian"}},
    {20127, {"us-ascii", "ansi_x3.4-1968", "iso-ir-6", "ansi_x3.4-1986", "iso_646.irv:1991", "ascii", "iso646-us", "us", "ibm367", "cp367", "csascii", "iso-ir-6us"}},
    {20866, {"koi8-r", "cskoi8r", "koi", "koi8", "koi8r"}},
    {21866, {"koi8-u", "cskoi8u", "koi8u", "koi8-ru"}},
    {28591, {"iso-8859-1", "cp819", "ibm819", "latin1", "latin-1", "iso_8859-1:1987", "iso-ir-100", "iso_8859-1", "l1", "csisolatin1", "iso8859-1", "iso 8859-1"}},
    {28592, {"iso-8859-2", "iso_8859-2:1987", "iso-ir-101", "iso_8859-2", "latin2", "latin-2", "l2", "csisolatin2", "iso8859-2", "iso 8859-2"}},
    {28593, {"iso-8859-3", "iso_8859-3:1988", "iso-ir-109", "iso_8859-3", "latin3", "latin-3", "l3", "csisolatin3", "iso 8859-3", "iso8859-3"}},
    {28594, {"iso-8859-4", "iso_8859-4:1988", "iso-ir-110", "iso_8859-4", "latin4", "latin-4", "l4", "csisolatin4", "iso 8859-4", "iso8859-4"}},
    {28595, {"iso-8859-5", "iso_8859-5:1988", "iso-ir-144", "iso_8859-5", "cyrillic", "csisolatincyrillic", "iso 8859-5", "iso8859-5"}},
    {28596, {"iso-8859-6", "iso_8859-6:1987", "arabic", "csisolatinarabic", "ecma-114", "iso_8859-6", "iso-ir-127", "iso 8859-6", "iso8859-6"}},
    {28597, {"iso-8859-7", "iso_8859-7:1987", "iso-ir-126", "iso_8859-7", "elot_928", "ecma-118", "greek", "greek8", "csisolatingreek", "iso 8859-7", "iso8859-7"}},
    {28598, {"iso-8859-8", "iso_8859-8:1988", "iso-ir-138", "iso_8859-8", "hebrew", "csisolatinhebrew", "visual", "iso 8859-8", "iso8859-8"}},
    {28599, {"iso-8859-9", "iso_8859-9:1989", "iso-ir-148", "iso_8859-9", "latin5", "latin-5", "l5", "csisolatin5", "iso 8859-9", "iso8859-9"}},
    {28600, {"iso-8859-10", "iso-ir-157", "l6", "iso_8859-10:1992", "csisolatin6", "iso 8859-10", "iso8859-10", "iso_8859-10", "latin6", "latin-6"}},
    {28601, {"iso-8859-11", "iso 8859-11", "iso8859-11", "iso_8859-11", "iso_8859-11:1992", "tactis"}},
    {28603, {"iso-8859-13", "iso 8859-13", "iso-ir-179", "iso8859-13", "iso_8859-13", "l7", "latin7", "latin-7"}},
    {28604, {"iso-8859-14", "iso 8859-14", "iso-ir-199", "iso8859-14", "iso_8859-14", "iso_8859-14:1998", "l8", "latin8", "latin-8", "iso-celtic"}},
    {28605, {"iso-8859-15", "iso_8859-15", "latin-9", "latin9", "l9", "iso 8859-15", "iso-ir-203", "iso8859-15", "iso_8859-15:1998", "latin-0", "latin0"}},
    {28606, {"iso-8859-16", "iso 8859-16", "iso-ir-226", "iso8859-16", "iso_8859-16", "iso_8859-16:2000", "latin10"}},
    {50220, {"iso-2022-jp", "iso 2022-jp", "csiso2022jp"}},
    {50222, {"iso-2022-jp-1", "_iso-2022-jp$sio"}},
    {50225, {"iso-2022-kr", "csiso2022kr"}},
    {50227, {"iso-2022-cn", "csiso2022cn", "x-cp50227"}},
    {51932, {"euc-jp", "eucjp", "cseucjp", "euc_jp", "cseucpkdfmtjapanese", "x-euc", "x-euc-jp"}},
    {51936, {"cn-gb", "euc-cn", "euc_cn", "euccn", "csgb2312", "gb2312", "gb_2312-80", "x-cp20936", "csiso58gb231280", "iso-ir-58"}},
    {51949, {"euc-kr", "euc_kr", "cseuckr", "euckr"}},
    {54936, {"gb18030", "gb-18030"}},
    {65000, {"utf-7", "csunicode11utf7", "unicode-1-1-utf-7", "x-unicode-2-0-utf-7"}},
    {65001, {"utf-8", "utf8", "unicode-1-1-utf-8", "unicode-2-0-utf-8", "x-unicode-2-0-utf-8"}},};

std::unique_ptr<TBuffCodePageNameList> gNames;

std::string LowerAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

String TrimBlanks(const String& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= ' ') ++b;
  while (e > b && s[e - 1] <= ' ') --e;
  return s.substr(b, e - b);
}

}  // namespace

void ShutDownCodePageNames() { gNames.reset(); }

TBuffCodePageNameList::TBuffCodePageNameList() {
  for (const NameDef& def : kNames)
    for (const char* name : def.names) entries_.push_back({LowerAscii(name), def.codePage});
  std::sort(entries_.begin(), entries_.end(),
            [](const TBuffCodePageName& a, const TBuffCodePageName& b) { return a.CharsetName < b.CharsetName; });
}

const TBuffCodePageName* TBuffCodePageNameList::Find(const String& name) const {
  std::string key;
  for (Char c : name) {
    if (c >= 0x80) return nullptr;  // every listed name is ASCII
    key += static_cast<char>(c);
  }
  key = LowerAscii(key);
  auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                             [](const TBuffCodePageName& e, const std::string& k) { return e.CharsetName < k; });
  return it != entries_.end() && it->CharsetName == key ? &*it : nullptr;
}

TBuffCodePageNameList* CodePageNames() {
  if (CharsetRegistriesShutDown()) return nullptr;
  if (!gNames) gNames = std::make_unique<TBuffCodePageNameList>();
  return gNames.get();
}

const TBuffCodePageName* FindCodePageName(const String& name) {
  TBuffCodePageNameList* names = CodePageNames();
  if (!names) return nullptr;
  String label = TrimBlanks(name);
  if (const TBuffCodePageName* hit = names->Find(label)) return hit;
  // A label with more after the name ("utf-8; x=y", "latin1 foo"): the part before it.
  for (Char cut : {Char(';'), Char(' ')}) {
    size_t p = label.find(cut);
    if (p == String::npos) continue;
    if (const TBuffCodePageName* hit = names->Find(TrimBlanks(label.substr(0, p)))) return hit;
  }
  // A media type with a charset parameter ("text/html; charset=utf-8", as META http-equiv
  // content-type gives it): the parameter's value, quotes cut off.
  String lower = label;
  for (Char& c : lower)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
  if (const size_t at = lower.find(u"charset="); at != String::npos) {
    String value = label.substr(at + 8);
    value = value.substr(0, value.find_first_of(u"; \t"));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return names->Find(value);
  }
  return nullptr;
}

int CodePageOfCharsetName(const String& name) {
  const TBuffCodePageName* entry = FindCodePageName(name);
  return entry ? entry->CodePage : -1;
}
