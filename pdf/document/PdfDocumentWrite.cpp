#include <new>

#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "platform/rtl/WholeFileWrite.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/helpers/TextHelpers.h"
#include "pdf/objects/PdfExceptions.h"

namespace {

// UTF-8 text as XML character data: & < > as entity references; control characters,
// which XML cannot hold, are left out.
std::string XmlText(const String& text) {
  std::string out;
  for (char c : StringToUtf8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
  return out;
}

}  // namespace

std::string TPdfDocument::XmpPacket() const {
  const TPdfInfo& info = *info_;
  std::string x;
  x += "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>";
  x += "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\" x:xmptk=\"VevAvu\">";
  x += "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">";
  x += "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">";
  x += "<xmp:CreateDate>" + DateTimeToIso8601Text(info.CreationDate(), true, 'T') + "</xmp:CreateDate>";
  x += "<xmp:ModifyDate>" + DateTimeToIso8601Text(info.ModDate(), true, 'T') + "</xmp:ModifyDate>";
  x += "<xmp:CreatorTool>" + XmlText(info.Creator()) + "</xmp:CreatorTool>";
  x += "</rdf:Description>";
  x += "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">";
  x += "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + XmlText(info.Title()) +
       "</rdf:li></rdf:Alt></dc:title>";
  x += "<dc:creator><rdf:Seq><rdf:li xml:lang=\"x-default\">" + XmlText(info.Author()) +
       "</rdf:li></rdf:Seq></dc:creator>";
  x += "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" + XmlText(info.Subject()) +
       "</rdf:li></rdf:Alt></dc:description>";
  x += "</rdf:Description>";
  x += "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">";
  x += "<pdf:Keywords>" + XmlText(info.Keywords()) + "</pdf:Keywords>";
  x += std::string("<pdf:Producer>") + kProducer + "</pdf:Producer>";
  x += "</rdf:Description>";
  // Conformance B: the document has no structure tree, which level A asks for.
  x += "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">";
  x += "<pdfaid:part>1</pdfaid:part><pdfaid:conformance>B</pdfaid:conformance>";
  x += "</rdf:Description>";
  x += "</rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>";
  return x;
}

void TPdfDocument::WriteToStream(TStream& destination, TDateTime modDate) {
  canvas_->GetPage();
  info_->SetModDate(modDate != 0 ? modDate : (env_.Now ? env_.Now() : 0));
  catalog_->UpdateOpenAction();
  if (outlineRoot_ != nullptr) outlineRoot_->WriteLinks();
  for (const auto& font : fontList_)
    if (font->FontIndex != 0) font->FinishFontObjects();

  if (pdfA1_) {
    metadata_->ClearContent();
    metadata_->Writer().Add(XmpPacket());
    std::string id = "<";
    for (int i = 0; i < 4; ++i) {
      uint32_t r = env_.Random31 ? env_.Random31() & 0x7FFFFFFF : 0;
      char bytes[4] = {static_cast<char>(r), static_cast<char>(r >> 8), static_cast<char>(r >> 16),
                       static_cast<char>(r >> 24)};
      id += BytesToHexUpper(std::string_view(bytes, 4));
    }
    id += ">";
    auto ids = std::make_unique<TPdfArray>(xref_.get());
    ids->AddItem(std::make_unique<TPdfRawText>(id));
    ids->AddItem(std::make_unique<TPdfRawText>(id));
    trailer_->Attributes.AddItem("ID", std::move(ids));
  }

  TPdfWrite w(destination, codePage_);
  w.Add(header_);
  for (int i = 1; i < xref_->ItemCount(); ++i) {
    TPdfXrefEntry& entry = xref_->Entry(i);
    entry.ByteOffset = w.Position();
    entry.Value->WriteValueTo(w);
  }
  trailer_->XrefAddress = w.Position();
  xref_->WriteTo(w);
  trailer_->Attributes.ValueAs<TPdfNumber>("Size")->Value = xref_->ItemCount();
  trailer_->WriteTo(w);
  w.Flush();
}

// A link is written through and a device or a pipe written into (see WriteWholeFile).
bool TPdfDocument::WriteToFile(const String& fileName) {
  try {
    WriteWholeFile(fileName, [this](TStream& file) { WriteToStream(file); });
    return true;
  } catch (const Exception&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}
