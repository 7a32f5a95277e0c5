#include "pdf/objects/PdfXref.h"

#include "platform/rtl/Unicode.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfWrite.h"

TPdfXref::TPdfXref() {
  TPdfXrefEntry free;
  free.EntryType = 'f';
  free.GenerationNumber = 65535;
  entries_.push_back(std::move(free));
}

void TPdfXref::AddObject(TPdfObject* object) {
  if (object == nullptr || object->ObjectType() != otDirectObject) throw EPdfInvalidOperation(S("AddObject"));
  TPdfXrefEntry entry;
  entry.GenerationNumber = object->GenerationNumber();
  entry.Value.reset(object);
  entries_.push_back(std::move(entry));
  object->SetObjectNumber(static_cast<int32_t>(entries_.size()) - 1);
}

TPdfObject* TPdfXref::GetObject(int32_t number) const {
  if (number < 0 || number >= static_cast<int32_t>(entries_.size())) return nullptr;
  return entries_[static_cast<size_t>(number)].Value.get();
}

void TPdfXref::WriteTo(TPdfWrite& w) const {
  w.Add("xref\n0 ").AddInteger(static_cast<int64_t>(entries_.size())).Add('\n');
  for (const auto& e : entries_)
    w.AddPadded(e.ByteOffset, 10).AddPadded(e.GenerationNumber, 5).Add(e.EntryType).Add(" \n");
}

TPdfTrailer::TPdfTrailer(TPdfObjectMgr* objectMgr) : Attributes(objectMgr) {
  Attributes.AddItem("Size", std::make_unique<TPdfNumber>(0));
}

void TPdfTrailer::WriteTo(TPdfWrite& w) const {
  w.Add("trailer\n");
  Attributes.WriteDirectTo(w);
  w.Add("\nstartxref\n").AddInteger(XrefAddress).Add("\n%%EOF\n");
}
