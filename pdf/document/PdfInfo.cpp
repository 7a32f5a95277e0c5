#include "pdf/document/PdfInfo.h"

#include "platform/rtl/Exceptions.h"
#include "pdf/objects/PdfWrite.h"

void TPdfInfo::SetCreationDate(TDateTime value) {
  Dictionary->AddItem("CreationDate", std::make_unique<TPdfText>(DateTimeToPdfDate(value)));
}

void TPdfInfo::SetModDate(TDateTime value) {
  Dictionary->AddItem("ModDate", std::make_unique<TPdfText>(DateTimeToPdfDate(value)));
}

TDateTime TPdfInfo::CreationDate() const { return Date("CreationDate"); }
TDateTime TPdfInfo::ModDate() const { return Date("ModDate"); }

TDateTime TPdfInfo::Date(std::string_view key) const {
  auto* text = Dictionary->ValueAs<TPdfText>(key);
  if (text == nullptr) return 0;
  try {
    return PdfDateToDateTime(text->Value);
  } catch (const EConvertError&) {
    return 0;
  }
}

String TPdfInfo::Text(std::string_view key) const {
  auto* text = Dictionary->ValueAs<TPdfTextUTF8>(key);
  return text != nullptr ? text->ValueAsString() : String();
}

void TPdfInfo::SetText(std::string_view key, const String& value) {
  if (value.empty())
    Dictionary->RemoveItem(key);
  else
    Dictionary->AddItem(key, std::make_unique<TPdfTextString>(value));
}
