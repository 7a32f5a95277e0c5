// Fonts, TrueType family lookups and XObjects of TPdfDocument.
#include "platform/gdi/fonts/FontCache.h"
#include "platform/rtl/Unicode.h"
#include "pdf/fonts/NameTable.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/helpers/TextHelpers.h"
#include "pdf/objects/PdfExceptions.h"

int TPdfDocument::FindTrueTypeFont(std::string_view familyUtf8) {
  if (lastFontIndex_ >= 0 && CompareAsciiNoCase(familyUtf8, lastFontName_) == 0) return lastFontIndex_;
  int lo = 0, hi = static_cast<int>(trueTypeFontNames_.size()) - 1;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareAsciiNoCase(trueTypeFontNames_[static_cast<size_t>(mid)], familyUtf8);
    if (c == 0) {
      lastFontName_ = std::string(familyUtf8);
      lastFontIndex_ = mid;
      return mid;
    }
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return -1;
}

std::string TPdfDocument::TrueTypeFontName(std::string_view family, uint8_t style) {
  std::string name;
  for (char c : family)
    if (static_cast<unsigned char>(c) > 32 && static_cast<unsigned char>(c) <= 126) name += c;
  if ((style & fsBold) && (style & fsItalic))
    name += ",BoldItalic";
  else if (style & fsItalic)
    name += ",Italic";
  else if (style & fsBold)
    name += ",Bold";
  return name;
}

std::string TPdfDocument::TrueTypeFontPostScriptName(int familyIndex, uint8_t style, const TLogFont& logFont) const {
  const std::string& family = trueTypeFontNames_.at(static_cast<size_t>(familyIndex));
  std::string name = TrueTypeFontName(family, style);
  if (IsSevenBitText(family)) return name;
  std::string postScript = PostScriptNameFromNameTable(RealizeFont(logFont)->TableData(0x656D616E));  // 'name', first character in the low byte
  return postScript.empty() ? name : postScript;
}

TPdfFont& TPdfDocument::RegisterFont(std::unique_ptr<TPdfFont> font) {
  font->ResourceName = "F" + std::to_string(fontList_.size());
  if (font->Dictionary != nullptr) font->Dictionary->AddItem("Name", std::make_unique<TPdfName>(font->ResourceName));
  fontList_.push_back(std::move(font));
  return *fontList_.back();
}

TPdfFont* TPdfDocument::FindFontByName(std::string_view name) const {
  for (const auto& font : fontList_)
    if (font->FontIndex == 0 && font->Name == name) return font.get();
  return nullptr;
}

int TPdfDocument::RegisterXObject(TPdfXObject* xobject, std::string_view name) {
  if (xobject == nullptr) throw EPdfInvalidValue(S("RegisterXObject: no AObject"));
  if (xobject->Attributes().TypeOf() != "XObject") throw EPdfInvalidValue(S("RegisterXObject: no XObject"));
  if (xobject->ObjectType() == otDirectObject) xref_->AddObject(xobject);
  if (xobject->Attributes().ValueByName("Name") != nullptr) return -1;
  if (GetXObject(name) != nullptr)
    throw EPdfInvalidValue(S("RegisterXObject: dup name " + std::string(name)));
  int index = xobjectList_->AddItem(xobject);
  xobject->Attributes().AddItem("Name", std::make_unique<TPdfName>(std::string(name)));
  return index;
}

int TPdfDocument::AddXObject(std::string_view name, TPdfXObject* image) {
  if (GetXObject(name) != nullptr) throw EPdfInvalidValue(S("AddXObject: dup name " + std::string(name)));
  if (image == nullptr || image->Attributes().TypeOf() != "XObject" ||
      image->Attributes().ValueByName("Subtype") == nullptr)
    throw EPdfInvalidValue(S("AddXObject: invalid TPdfImage " + std::string(name)));
  if (image->ObjectType() == otDirectObject) xref_->AddObject(image);
  return RegisterXObject(image, name);
}

TPdfXObject* TPdfDocument::GetXObject(std::string_view name) const {
  for (int i = 0; i < xobjectList_->ItemCount(); ++i) {
    TPdfObject* item = xobjectList_->Item(i);
    if (item->ObjectType() == otVirtualObject) item = xref_->GetObject(item->ObjectNumber());
    auto* xobject = dynamic_cast<TPdfXObject*>(item);
    if (xobject == nullptr) continue;
    auto* n = dynamic_cast<TPdfName*>(xobject->Attributes().ValueByName("Name"));
    if (n != nullptr && n->Value == name) return xobject;
  }
  return nullptr;
}
