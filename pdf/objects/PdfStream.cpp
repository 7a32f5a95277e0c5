#include "pdf/objects/PdfStream.h"

#include "pdf/helpers/Deflate.h"

TPdfStream::TPdfStream(TPdfObjectMgr* objectMgr, bool compress, int codePage)
    : attributes_(std::make_unique<TPdfDictionary>(objectMgr)),
      content_(std::make_unique<THeapMemoryStream>()),
      writer_(std::make_unique<TPdfWrite>(*content_, codePage)) {
  attributes_->AddItem("Length", std::make_unique<TPdfNumber>(0));
  filter_ = attributes_->AddItem("Filter", std::make_unique<TPdfArray>(objectMgr));
  if (compress) filter_->AddItem(std::make_unique<TPdfName>("FlateDecode"));
}

TPdfStream::~TPdfStream() = default;

void TPdfStream::FreshContent() {
  int codePage = writer_->CodePage();
  writer_.reset();
  content_ = std::make_unique<THeapMemoryStream>();
  writer_ = std::make_unique<TPdfWrite>(*content_, codePage);
}

void TPdfStream::ClearContent() {
  FreshContent();
  packed_ = false;
  std::string().swap(packedBytes_);
}

void TPdfStream::Pack() {
  if (packed_ || filter_ == nullptr || filter_->FindName("FlateDecode") == nullptr) return;
  writer_->Flush();
  if (writer_->Position() < kMinCompressedLength) return;
  THeapMemoryStream packed;
  size_t n = CompressBuffer(content_->Memory(), static_cast<size_t>(content_->Size()), packed, kCompressionLevel, true);
  packedBytes_.assign(static_cast<const char*>(packed.Memory()), n);
  FreshContent();
  packed_ = true;
}

void TPdfStream::Unpack() {
  int codePage = writer_->CodePage();
  auto content = std::make_unique<THeapMemoryStream>();
  DecompressBuffer(packedBytes_.data(), packedBytes_.size(), *content);
  writer_.reset();
  content_ = std::move(content);
  writer_ = std::make_unique<TPdfWrite>(*content_, codePage);
  packed_ = false;
  std::string().swap(packedBytes_);
}

void TPdfStream::SetLength(int64_t length) const {
  if (auto* n = attributes_->ValueAs<TPdfNumber>("Length"))
    n->Value = length;
  else
    attributes_->AddItem("Length", std::make_unique<TPdfNumber>(length));
}

void TPdfStream::WriteDirectTo(TPdfWrite& w) const {
  // Writing settles the filter and the length: the stream's own state changes.
  auto* self = const_cast<TPdfStream*>(this);
  // A packed stream whose filter was changed after packing is written plain.
  if (packed_ && (filter_ == nullptr || filter_->FindName("FlateDecode") == nullptr)) self->Unpack();
  if (packed_) {
    SetLength(static_cast<int64_t>(packedBytes_.size()));
    attributes_->WriteDirectTo(w);
    w.Add("\nstream\n").Add(packedBytes_.data(), packedBytes_.size()).Add("\nendstream");
    return;
  }
  writer_->Flush();
  int64_t length = writer_->Position();
  if (filter_ != nullptr && filter_->FindName("FlateDecode") != nullptr) {
    if (length >= kMinCompressedLength) {
      THeapMemoryStream packed;
      size_t n = CompressBuffer(content_->Memory(), static_cast<size_t>(content_->Size()), packed, kCompressionLevel, true);
      SetLength(static_cast<int64_t>(n));
      attributes_->WriteDirectTo(w);
      w.Add("\nstream\n").Add(packed.Memory(), static_cast<size_t>(packed.Size())).Add("\nendstream");
      return;
    }
    filter_->RemoveName("FlateDecode");
  }
  SetLength(length);
  if (filter_ != nullptr && filter_->ItemCount() == 0) {
    attributes_->RemoveItem("Filter");
    self->filter_ = nullptr;
  }
  attributes_->WriteDirectTo(w);
  w.Add("\nstream\n").Add(content_->Memory(), static_cast<size_t>(content_->Size())).Add("\nendstream");
}
