// Streams: an attribute dictionary and content bytes gathered through a TPdfWrite in
// memory; content of 100 bytes or more is deflated when the filter asks for it.
#pragma once

#include <memory>

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
  TPdfWrite& Writer() { return *writer_; }
  // Drops the content written so far.
  void ClearContent();

  // Flushes the content; with /FlateDecode and 100 bytes or more it is compressed (zlib
  // format, level 7), else /FlateDecode leaves the filter for good and an empty filter
  // leaves the dictionary. Then: attributes "\nstream\n" bytes "\nendstream".
  void WriteDirectTo(TPdfWrite& w) const override;

  static constexpr int kCompressionLevel = 7;
  static constexpr int64_t kMinCompressedLength = 100;

 private:
  void SetLength(int64_t length) const;

  std::unique_ptr<TPdfDictionary> attributes_;
  TPdfArray* filter_;
  std::unique_ptr<THeapMemoryStream> content_;
  std::unique_ptr<TPdfWrite> writer_;
};

// Image and form XObjects.
class TPdfXObject : public TPdfStream {
 public:
  using TPdfStream::TPdfStream;
};
