// Streams: an attribute dictionary and content bytes gathered through a TPdfWrite in
// memory; content of 100 bytes or more is deflated when the filter asks for it.
#pragma once

#include <memory>
#include <string>

#include "pdf/helpers/HeapMemoryStream.h"
#include "pdf/objects/PdfContainers.h"
#include "pdf/objects/PdfWrite.h"

class TPdfStream : public TPdfObject {
 public:
  // An unregistered stream; with `compress` its filter starts with /FlateDecode. Register
  // it with TPdfXref::AddObject (or TPdfXref::Add) to make it indirect.
  TPdfStream(TPdfObjectMgr* objectMgr, bool compress, int codePage);
  ~TPdfStream() override;

  TPdfDictionary& Attributes() { return *attributes_; }
  // The filter names; null once an empty filter was dropped at a write.
  TPdfArray* Filter() const { return filter_; }
  // The content's writer; a packed stream gets its plain content back first.
  TPdfWrite& Writer() {
    if (packed_) Unpack();
    return *writer_;
  }
  // Drops the content written so far.
  void ClearContent();
  // Compresses the content now, when the write would compress it (/FlateDecode, 100 bytes
  // or more), and frees the plain bytes: a finished page need not hold them until the
  // save. The file gets the same bytes as without packing.
  void Pack();
  bool Packed() const { return packed_; }

  // Flushes the content; with /FlateDecode and 100 bytes or more it is compressed (zlib
  // format, level 7), else /FlateDecode leaves the filter for good and an empty filter
  // leaves the dictionary. Then: attributes "\nstream\n" bytes "\nendstream".
  void WriteDirectTo(TPdfWrite& w) const override;

  static constexpr int kCompressionLevel = 7;
  static constexpr int64_t kMinCompressedLength = 100;

 private:
  void SetLength(int64_t length) const;
  void Unpack();
  void FreshContent();

  std::unique_ptr<TPdfDictionary> attributes_;
  TPdfArray* filter_;
  std::unique_ptr<THeapMemoryStream> content_;
  std::unique_ptr<TPdfWrite> writer_;
  bool packed_ = false;
  std::string packedBytes_;  // the zlib-format content while packed
};

// Image and form XObjects.
class TPdfXObject : public TPdfStream {
 public:
  using TPdfStream::TPdfStream;
};
