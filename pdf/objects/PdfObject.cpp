#include "pdf/objects/PdfObject.h"

#include "platform/rtl/Unicode.h"
#include "pdf/helpers/AnsiConvert.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfWrite.h"

void TPdfObject::SetObjectNumber(int32_t number) {
  objectNumber_ = number;
  objectType_ = number > 0 ? otIndirectObject : otDirectObject;
}

void TPdfObject::WriteTo(TPdfWrite& w) const {
  if (objectType_ == otDirectObject)
    WriteDirectTo(w);
  else
    w.AddIntegerWithSpace(objectNumber_).AddIntegerWithSpace(generationNumber_).Add('R');
}

void TPdfObject::WriteValueTo(TPdfWrite& w) const {
  if (objectType_ != otIndirectObject) throw EPdfInvalidOperation(S("WriteValueTo"));
  w.AddIntegerWithSpace(objectNumber_).AddIntegerWithSpace(generationNumber_).Add("obj\n");
  WriteDirectTo(w);
  w.Add("\nendobj\n");
}

void TPdfObject::WriteDirectTo(TPdfWrite&) const {}

TPdfVirtualObject::TPdfVirtualObject(int32_t number) {
  objectType_ = otVirtualObject;
  objectNumber_ = number;
}

void TPdfNull::WriteDirectTo(TPdfWrite& w) const { w.Add("null"); }

void TPdfNumber::WriteDirectTo(TPdfWrite& w) const { w.AddInteger(Value); }

void TPdfReal::WriteDirectTo(TPdfWrite& w) const { w.AddReal(Value); }

void TPdfText::WriteDirectTo(TPdfWrite& w) const { w.Add('(').AddEscaped(Value).Add(')'); }

void TPdfRawText::WriteDirectTo(TPdfWrite& w) const { w.Add(Value); }

void TPdfName::WriteDirectTo(TPdfWrite& w) const { w.Add('/').AddEscapedName(Value); }

TPdfTextUTF8::TPdfTextUTF8(const String& text) : Value(StringToUtf8(text)) {}

String TPdfTextUTF8::ValueAsString() const { return Utf8ToString(Value); }

void TPdfTextUTF8::WriteDirectTo(TPdfWrite& w) const {
  TVevAnsiFixedWidth& winAnsi = WinAnsiConverter();
  if (winAnsi.IsWinAnsiUtf8(Value))
    w.Add('(').AddEscaped(winAnsi.Utf8ToAnsiText(Value)).Add(')');
  else
    w.Add("<FEFF").AddUnicodeHexText(Utf8ToString(Value)).Add('>');
}
