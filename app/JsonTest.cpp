// The hidden test of the JSON library on the text of Memo2.
#include <string>

#include "app/MainForm.h"
#include "json/QxJSONParser.h"
#include "json/QxJSONValues.h"
#include "platform/rtl/Unicode.h"

void TForm1::Button7Click(TComponent*) {
  // The parser reads a UTF-8 document one byte per character, as web answers arrive.
  const std::string utf8 = StringToUtf8(Memo2->Text());
  String bytes;
  bytes.reserve(utf8.size());
  for (unsigned char c : utf8) bytes += static_cast<char16_t>(c);

  const std::unique_ptr<TqxJSONbase> root = TqxJSON::ParseDocument(bytes);
  const auto* object = dynamic_cast<const TqxJSONobject*>(root.get());
  if (!object) return;
  // The name is looked up with its double quotes.
  const TqxJSONbase* member = object->MemberByName(u"\"from.name\"");
  if (!member) return;
  const String value = VarToStr(member->GetVariantValue());
  Memo2->Lines().Add(u"");
  Memo2->Lines().Add(u" " + value);
  SetCaption(value);
}
