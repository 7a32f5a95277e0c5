// The computed style of one element, and the body of one style rule: 65 property values
// with the element's identity, colours, character set and font sizes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "html/foundation/css/PropValue.h"
#include "html/foundation/css/PropertyIndex.h"
#include "platform/gdi/Colors.h"
#include "platform/rtl/Types.h"

class TPropStack;
class TStyleList;
class TMyFont;
class ThtFontInfo;
class TFontInfoArray;

// The charset that the font layer realises for a requested one (asked once per value).
uint8_t CharsetOfFont(uint8_t charset);

class TProperties {
 public:
  TProperties();
  TProperties(TPropStack* stack, bool quirks);
  explicit TProperties(bool quirks);
  ~TProperties();
  TProperties(const TProperties&) = delete;
  TProperties& operator=(const TProperties&) = delete;
  static std::unique_ptr<TProperties> CreateClone(const TProperties& source);

  void CopyValues(const TProperties& source);
  void CopyAll(const TProperties& source);
  void TakeParentValues(const String& tagName, const TProperties& parent);
  void MergeUnsetValues(const TProperties& source, TStyleList& styles, int stackIndex);

  void SetOwnValue(const TPropValue& value, TStylePropIndex index);
  void StoreDeclaration(TStylePropIndex index, const String& text);
  void StoreNamedDeclaration(const String& name, const String& text);
  void FillIfUnset(TStylePropIndex index, const TPropValue& value);
  void FillSetIfUnset(std::initializer_list<TStylePropIndex> indexes, const TPropValue& value);
  void ApplyCodePage(int codePage);
  void ApplyCharsetAndCodePage(uint8_t charset, int codePage);

  // Readers.
  bool BackgroundImageUrl(String& url) const;
  String ListStyleImageUrl() const;
  bool ReadVerticalAlign(int& kind) const;
  bool HidesOverflow() const;
  bool ReadFloatSide(int& kind) const;
  bool TakeClear(int& kind);
  int ReadDisplayKind() const;
  int ReadListStyleKind() const;
  int ReadPositionKind() const;
  int ReadVisibilityKind() const;
  int32_t ReadZOrder() const;
  bool HasCollapsedBorders() const;
  bool EmptyCellsShown() const;
  int32_t LineHeightPixels(int32_t fontHeight) const;
  int32_t TextIndentValue(bool& isPercent) const;
  int ReadCaseTransform() const;
  String FontVariantText() const;
  void ReadPageBreakFlags(bool& before, bool& after, bool& avoidInside) const;
  TColor OwnBackgroundColor() const;
  TColor OwnTextColor() const;
  TColor TakeBackgroundColor();
  bool ReadBorderStyle(TStylePropIndex index, int& style) const;
  bool BorderStyleDeclared() const;
  bool HasVisibleBorder() const;

  // Fonts (fonts/FontFromProperties.cpp).
  void FillFontInfo(ThtFontInfo& info) const;
  std::unique_ptr<TMyFont> MakeFont();
  void CopyLinkFontInfos(TFontInfoArray& target) const;

  // Style rules (StyleRules.cpp).
  void ApplyStyleRules(TStyleList& styles, const String& tag, int stackIndex,
                       TProperties* styleAttr, const String& title, const String& pseudo,
                       const String& id, const String& classText);

  const TPropValue& operator[](int index) const { return Values[index]; }

  TPropStack* OwnerStack = nullptr;
  std::unique_ptr<TMyFont> CachedFont;
  bool IsLink = false;
  String FallbackFontName;
  bool QuirksMode = false;
  uint8_t TagSymbol = 0;
  String TagName, ClassText, IdText, PseudoName, TitleText;
  TProperties* StyleAttrProps = nullptr;
  TColor TextBackground = clNone;
  uint8_t Charset = 1;
  int32_t CodePage = 0;
  int32_t EmHeight = 0, ExHeight = 0;
  std::array<TPropValue, PropertyCount> Values;
  std::array<bool, PropertyCount> OwnFlags{};
  std::unique_ptr<TFontInfoArray> LinkFontInfos;
  int32_t SerialNumber = 0;

 private:
  friend class TStyleList;
  friend struct TRuleMerger;
  // The points a relative font size is taken of: the element's size, and its link fonts',
  // as they were before the first rule of the element. Every pass of the rules (one a class)
  // takes them; a pass answers sizes in points, which the next must not scale again.
  struct TRelativeSizeBase {
    double Own = 0;
    std::array<double, 4> Link{};
  };
  // One pass of the rules for one class (or none).
  void ApplyStyleRulesPass(TStyleList& styles, int stackIndex, const String& tag, const String& cls,
                           const String& id, const String& pseudo, TProperties* styleAttr,
                           const TRelativeSizeBase& base);
  void BuildLinkFonts(TStyleList& styles, int stackIndex);
};
