#include "html/foundation/fonts/FirstAvailableFont.h"

#include "html/foundation/globals/TextHelpers.h"
#include "platform/gdi/fonts/FontResolver.h"

namespace {
String GenericFace(const String& family) {
  const String lower = LowerCaseText(family);
  if (lower == u"serif") return u"Times New Roman";
  if (lower == u"monospace") return u"Courier New";
  if (lower == u"sans-serif") return u"Arial";
  if (lower == u"cursive") return u"Lucida Handwriting";
  if (lower == u"helvetica") return u"Arial";
  return family;
}
}  // namespace

String FirstAvailableFont(const String& families) {
  size_t pos = 0;
  while (pos <= families.size()) {
    const size_t comma = families.find(u',', pos);
    const size_t end = comma == String::npos ? families.size() : comma;
    String family = TrimText(families.substr(pos, end - pos));
    if (family.empty()) return String();
    family = GenericFace(family);
    if (family.size() >= 2 && (family[0] == u'"' || family[0] == u'\'') && family.back() == family[0])
      family = family.substr(1, family.size() - 2);
    if (!family.empty() && IsFontInstalled(family)) return family;
    if (comma == String::npos) break;
    pos = comma + 1;
  }
  return String();
}
