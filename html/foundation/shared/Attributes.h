// The attributes of one tag as the parser read them, with the accessors the document
// model uses.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/FreeList.h"
#include "platform/rtl/Types.h"

// Attribute symbols the accessors look for.
enum : uint8_t {
  ClassAttrSy = 17, CoordsAttrSy = 23, HrefAttrSy = 30, IdAttrSy = 33, NoHrefAttrSy = 47,
  ShapeAttrSy = 67, StyleAttrSy = 72, TargetAttrSy = 74, TitleAttrSy = 76
};
// Attribute symbols of images, panels and links.
enum : uint8_t {
  ActiveAttrSy = 2, AlignAttrSy = 3, AltAttrSy = 4, BorderAttrSy = 8, HeightAttrSy = 29, HSpaceAttrSy = 31,
  IsMapAttrSy = 34, NameAttrSy = 46, SrcAttrSy = 70, TabIndexAttrSy = 73, TranspAttrSy = 78, TypeAttrSy = 79,
  UseMapAttrSy = 80, VSpaceAttrSy = 84, WidthAttrSy = 85
};

class TAttribute {
 public:
  TAttribute(uint8_t symbol, double number, const String& name, const String& valueText, int codePage);
  static std::unique_ptr<TAttribute> CreateFrom(const TAttribute& source) {
    return std::make_unique<TAttribute>(source);
  }

  uint8_t Symbol;
  String AttrName;
  int32_t IntValue;
  double Number;
  String ValueText;
  int32_t TextCodePage;
};

class TAttributeList : public TFreeList<TAttribute> {
 public:
  TAttributeList() : TFreeList(true) {}
  static std::unique_ptr<TAttributeList> CreateFrom(const TAttributeList& source);
  ~TAttributeList() override;

  void Clear() override;
  TAttribute* AttributeAt(int index) const { return Items(index); }
  bool FindSymbol(uint8_t symbol, TAttribute*& attribute) const;
  // "name=value" per attribute, in order.
  std::vector<String> ToNameValueList() const;
  // The classes lower-cased, sorted and joined by "." (duplicates dropped).
  String GetClassNames() const;
  // The ID lower-cased; remembered until Clear.
  String GetIdentifier();
  String GetTitleText() const;
  // The STYLE attribute parsed into properties that the list owns; nil without one.
  TProperties* GetStyleProperties();

  std::unique_ptr<TProperties> StyleProps;
  String CachedId;
};
