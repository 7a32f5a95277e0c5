// The input of one parse: the raw bytes of a document, style sheet or style attribute (or
// the UTF-16 units of a string) and the converter that decodes them one character at a
// time. Positions are byte offsets from the start of the bytes (a byte-order mark counts).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "html/foundation/charsets/BuffConverter.h"
#include "platform/rtl/Types.h"

class TStream;
class TMemoryStream;

class TBuffer {
 public:
  enum : int { CodePageFixed = 1 };

  // Reads the stream from its position to its end, then settles the code page from a
  // byte-order mark or ISO-2022-JP escapes (fixed), else code page 0 (open to change).
  static std::unique_ptr<TBuffer> CreateFromStream(TStream& stream, const String& name);
  // The UTF-16 units of Text, decoded under CodePage (callers pass 1200); fixed.
  static std::unique_ptr<TBuffer> CreateFromText(const String& text, const String& name, int codePage = 1200);
  virtual ~TBuffer() = default;
  TBuffer(const TBuffer&) = delete;
  TBuffer& operator=(const TBuffer&) = delete;

  // The next character; 0 at the end of the content.
  Char ReadChar();
  // The next character without moving on.
  Char LookAhead() const;
  int ReadOffset() const;
  // Moves the read position; offsets outside the bytes are clamped to them.
  void SeekOffset(int offset);
  // The characters between two byte offsets; the read position is unchanged afterwards.
  String TextBetween(int fromOffset, int toOffset);

  // Switches the decoding from the read position on, unless the code page is fixed.
  void SwitchCodePage(int codePage);
  void ReplaceConverter(int codePage, int physicalCodePage);

  int ContentSize() const { return static_cast<int>(Bytes.size()) - 2; }
  void ResetBounds();
  // A copy that reads from the start of its content.
  virtual void CopyFrom(const TBuffer& source);
  // The content (a byte-order mark included) into a memory stream; nothing for null.
  virtual void CopyToMemoryStream(TMemoryStream* stream) const;

  int CodePage() const { return Converter ? Converter->CodePage : 0; }
  bool IsCodePageFixed() const { return (Flags & CodePageFixed) != 0; }

  std::vector<uint8_t> Bytes;  // the content followed by two zero bytes
  const uint8_t* ContentStart = nullptr;
  const uint8_t* ContentEnd = nullptr;
  String SourceName;
  std::unique_ptr<TBuffConverter> Converter;
  int Flags = 0;

 protected:
  TBuffer() = default;

 private:
  void LoadBytes(TStream& stream);
  void SniffEncoding();
};

// True when the bytes hold ESC $ @ or ESC $ B and, after the later of the two, ESC ( J or
// ESC ( B.
bool HasIso2022JpEscapes(const uint8_t* start, size_t length);
