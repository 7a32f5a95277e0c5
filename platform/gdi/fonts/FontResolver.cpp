#include "platform/gdi/fonts/FontResolver.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <tuple>

#include "platform/rtl/Unicode.h"

namespace {

struct TAlias {
  const char* Name;
  const char* Family;
};

// Face names of the original platform and the generic names, with the family that stands in
// for them. The Windows names appear in the installed family list when their family does.
constexpr TAlias kAliases[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};
constexpr TAlias kGenericNames[] = {
    {"Helvetica", "Liberation Sans"}, {"Times", "Liberation Serif"}, {"Courier", "Liberation Mono"},
    {"sans-serif", "Liberation Sans"}, {"serif", "Liberation Serif"}, {"monospace", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"}, {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"}, {"System", "Liberation Sans"},
};

std::mutex& FcMutex() {
  static std::mutex m;
  return m;
}

// A configuration of our own, not the process's current one: another library in the process
// (Qt) destroys the current configuration when it shuts down, and ours must stay valid.
FcConfig* Config() {
  static FcConfig* config = [] {
    FcConfig* own = FcInitLoadConfigAndFonts();
    if (!own) throw Exception(u"Die Schriftkonfiguration (fontconfig) kann nicht geladen werden");
    return own;
  }();
  return config;
}

String FoldCase(const String& s) {
  String r = s;
  for (Char& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
  return r;
}

bool LessNoCase(const String& a, const String& b) {
  String fa = FoldCase(a), fb = FoldCase(b);
  return fa != fb ? fa < fb : a < b;
}

struct TFamilyLists {
  std::vector<String> All;
  std::vector<String> TrueType;
};

void AddUnique(std::vector<String>& list, const String& name) {
  String folded = FoldCase(name);
  for (const String& s : list)
    if (FoldCase(s) == folded) return;
  list.push_back(name);
}

const TFamilyLists& FamilyLists() {
  static const TFamilyLists lists = [] {
    TFamilyLists r;
    std::lock_guard<std::mutex> lock(FcMutex());
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, nullptr);
    FcFontSet* set = FcFontList(Config(), pattern, objects);
    if (set) {
      for (int i = 0; i < set->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) continue;
        String name = Utf8ToString(reinterpret_cast<const char*>(family));
        AddUnique(r.All, name);
        FcChar8* format = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FONTFORMAT, 0, &format) == FcResultMatch &&
            std::string(reinterpret_cast<const char*>(format)) == "TrueType")
          AddUnique(r.TrueType, name);
      }
      FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    auto hasFamily = [](const std::vector<String>& list, const char* family) {
      String f = FoldCase(S(family));
      return std::any_of(list.begin(), list.end(), [&](const String& s) { return FoldCase(s) == f; });
    };
    for (const TAlias& a : kAliases) {
      if (hasFamily(r.All, a.Family)) AddUnique(r.All, S(a.Name));
      if (hasFamily(r.TrueType, a.Family)) AddUnique(r.TrueType, S(a.Name));
    }
    std::sort(r.All.begin(), r.All.end(), LessNoCase);
    std::sort(r.TrueType.begin(), r.TrueType.end(), LessNoCase);
    return r;
  }();
  return lists;
}

const String* FindInstalled(const String& name) {
  String folded = FoldCase(name);
  for (const String& s : FamilyLists().All)
    if (FoldCase(s) == folded) return &s;
  return nullptr;
}

// The family to use when a name is missing or unknown, chosen by pitch and family.
String FallbackFamily(const TLogFont& font) {
  int family = font.lfPitchAndFamily & 0xF0;
  if ((font.lfPitchAndFamily & 0x03) == FIXED_PITCH || family == FF_MODERN) return S("Liberation Mono");
  if (family == FF_ROMAN) return S("Liberation Serif");
  return S("Liberation Sans");
}

int FcWeight(int weight) {
  if (weight <= 0) weight = FW_NORMAL;
  return FcWeightFromOpenType(std::clamp(weight, 1, 1000));
}

bool MatchFile(const String& family, const TLogFont& font, TFontLocation& out) {
  std::lock_guard<std::mutex> lock(FcMutex());
  FcPattern* pattern = FcPatternCreate();
  std::string utf8 = StringToUtf8(family);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeight(font.lfWeight));
  FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(Config(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(Config(), pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  FcChar8* matchedFamily = nullptr;
  int index = 0;
  bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
            FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch;
  if (ok) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    out.FilePath = reinterpret_cast<const char*>(file);
    out.FaceIndex = index;
    out.FileFamily = Utf8ToString(reinterpret_cast<const char*>(matchedFamily));
  }
  FcPatternDestroy(match);
  return ok;
}

// The installed fonts in the order fontconfig prefers them for a family, weight and slant,
// kept for the life of the process (the caller holds FcMutex).
const FcFontSet* SortedFonts(const String& family, int weight, bool italic) {
  static std::map<std::tuple<String, int, bool>, FcFontSet*> sorted;
  auto key = std::make_tuple(FoldCase(family), weight, italic);
  auto at = sorted.find(key);
  if (at != sorted.end()) return at->second;
  FcPattern* pattern = FcPatternCreate();
  std::string utf8 = StringToUtf8(family);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, weight);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(Config(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* set = FcFontSort(Config(), pattern, FcFalse, nullptr, &result);
  FcPatternDestroy(pattern);
  return sorted.emplace(key, set).first->second;
}

// The face MatchFile picks for a family at the weight and slant of a logical font, kept for
// the life of the process (text in a fallback font asks for the same few families again and
// again); nil when there is none.
const TFontLocation* StyledFace(const String& family, const TLogFont& font) {
  static std::mutex mutex;
  static std::map<std::tuple<String, int, bool>, std::optional<TFontLocation>> faces;
  const auto key = std::make_tuple(FoldCase(family), FcWeight(font.lfWeight), font.lfItalic != 0);
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (auto at = faces.find(key); at != faces.end()) return at->second ? &*at->second : nullptr;
  }
  TFontLocation location;
  std::optional<TFontLocation> found;
  if (MatchFile(family, font, location)) found = location;
  std::lock_guard<std::mutex> lock(mutex);
  const auto& stored = faces.emplace(key, std::move(found)).first->second;
  return stored ? &*stored : nullptr;
}

bool IsString(FcPattern* font, const char* object, const char* value) {
  FcChar8* text = nullptr;
  return FcPatternGetString(font, object, 0, &text) == FcResultMatch &&
         std::string(reinterpret_cast<const char*>(text)) == value;
}

}  // namespace

String FallbackFamilyForChar(const TLogFont& font, char32_t codePoint) {
  String family = ResolveFamilyName(font.lfFaceName);
  if (family.empty()) family = FallbackFamily(font);
  const String folded = FoldCase(family);
  // The faces that have the character, in fontconfig's order: family, file and index.
  std::vector<std::tuple<String, std::string, int>> faces;
  {
    std::lock_guard<std::mutex> lock(FcMutex());
    const FcFontSet* set = SortedFonts(family, FcWeight(font.lfWeight), font.lfItalic != 0);
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
      FcPattern* candidate = set->fonts[i];
      FcCharSet* chars = nullptr;
      FcBool outline = FcFalse;
      FcChar8* name = nullptr;
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetCharSet(candidate, FC_CHARSET, 0, &chars) != FcResultMatch || !FcCharSetHasChar(chars, codePoint) ||
          FcPatternGetBool(candidate, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline ||
          !IsString(candidate, FC_FONTFORMAT, "TrueType") ||
          FcPatternGetString(candidate, FC_FAMILY, 0, &name) != FcResultMatch ||
          FcPatternGetString(candidate, FC_FILE, 0, &file) != FcResultMatch)
        continue;
      FcPatternGetInteger(candidate, FC_INDEX, 0, &index);
      String found = Utf8ToString(reinterpret_cast<const char*>(name));
      if (FoldCase(found) != folded) faces.emplace_back(found, reinterpret_cast<const char*>(file), index);
    }
  }
  // A family serves only when its face for the weight and slant asked for has the character
  // (a family's styles may cover different characters).
  for (const auto& [found, file, index] : faces) {
    const TFontLocation* location = StyledFace(found, font);
    if (location && location->FilePath == file && location->FaceIndex == index) return found;
  }
  return {};
}

String ResolveFamilyName(const String& faceName) {
  String folded = FoldCase(faceName);
  for (const TAlias& a : kAliases)
    if (FoldCase(S(a.Name)) == folded) return S(a.Family);
  for (const TAlias& a : kGenericNames)
    if (FoldCase(S(a.Name)) == folded) return S(a.Family);
  if (const String* installed = FindInstalled(faceName)) return *installed;
  return {};
}

TFontLocation ResolveFont(const TLogFont& font) {
  TFontLocation location;
  String family = ResolveFamilyName(font.lfFaceName);
  if (family.empty() || !FindInstalled(family)) {
    family = FallbackFamily(font);
    location.FaceName = family;
  } else if (const String* installed = FindInstalled(font.lfFaceName)) {
    location.FaceName = *installed;
  } else {
    location.FaceName = family;
  }
  if (!MatchFile(family, font, location)) throw EFontError(S("Keine Schriftart installiert"));
  return location;
}

const std::vector<String>& InstalledFontFamilies() { return FamilyLists().All; }

const std::vector<String>& TrueTypeFontFamilies() { return FamilyLists().TrueType; }

bool IsFontInstalled(const String& faceName) { return FindInstalled(faceName) != nullptr; }
