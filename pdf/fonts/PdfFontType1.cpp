#include "pdf/fonts/PdfFontType1.h"

#include "pdf/objects/PdfXref.h"

TPdfFontType1::TPdfFontType1(TPdfXref& xref, const TStandardFontMetrics* metrics, std::string name)
    : TPdfFontWinAnsi(xref, std::move(name)) {
  TPdfDictionary& d = *Dictionary;
  d.AddItem("Type", std::make_unique<TPdfName>("Font"));
  d.AddItem("Subtype", std::make_unique<TPdfName>("Type1"));
  d.AddItem("Encoding", std::make_unique<TPdfName>("WinAnsiEncoding"));
  d.AddItem("FirstChar", std::make_unique<TPdfNumber>(32));
  d.AddItem("LastChar", std::make_unique<TPdfNumber>(255));
  d.AddItem("BaseFont", std::make_unique<TPdfName>(Name));
  if (metrics != nullptr) {
    Ascent = metrics->Ascent;
    Descent = metrics->Descent;
    d.AddItem("Widths", TPdfArray::FromWords(&xref, metrics->Widths, 224), true);
  } else {
    DefaultWidth = 600;
    Ascent = 833;
    Descent = -300;
  }
  AttachDictionary(Dictionary);
}

void TPdfFontType1::AttachDictionary(TPdfDictionary* dictionary) {
  TPdfFontWinAnsi::AttachDictionary(dictionary);
  if (dictionary == nullptr) return;
  auto* missing = dictionary->ValueAs<TPdfNumber>("MissingWidth");
  uint16_t fill = missing != nullptr ? static_cast<uint16_t>(missing->Value) : DefaultWidth;
  AnsiWidths = std::make_unique<TAnsiWidths>();
  AnsiWidths->fill(fill);
  auto number = [](TPdfDictionary* d, const char* key, int32_t fallback) {
    auto* n = d->ValueAs<TPdfNumber>(key);
    return n != nullptr ? static_cast<int32_t>(n->Value) : fallback;
  };
  FirstChar = number(dictionary, "FirstChar", 32);
  LastChar = number(dictionary, "LastChar", 255);
  auto* widths = dictionary->ValueAs<TPdfArray>("Widths");
  if (widths == nullptr) return;
  for (int i = 0; i < widths->ItemCount(); ++i) {
    TPdfObject* item = widths->Item(i);
    if (item->ObjectType() == otVirtualObject && widths->ObjectMgr != nullptr)
      item = widths->ObjectMgr->GetObject(item->ObjectNumber());
    auto* n = dynamic_cast<TPdfNumber*>(item);
    int code = FirstChar + i;
    if (n == nullptr || code < 32 || code > 255) continue;
    (*AnsiWidths)[static_cast<size_t>(code - 32)] = static_cast<uint16_t>(n->Value);
  }
}
