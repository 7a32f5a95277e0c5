// The input of one parse: the raw bytes of a document, style sheet or style attribute (or
// the UTF-16 units of a string) and the converter that decodes them. Characters are
// decoded a block at a time into a buffer of UTF-16 units, each with the byte offset after
// it; the converter stands at the end of the block, and is put back to the read position
// before anything else uses it (a code page switch, a seek, Converter()). Positions are
// byte offsets from the start of the bytes (a byte-order mark counts).
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

  // The next character; 0 at the end of the content. A 0 follows the units of the block,
  // so a unit that is not 0 needs no other test.
  Char ReadChar() {
    const Char ch = block_[next_];
    if (ch == 0) return ReadZeroOrNextBlock();
    ++next_;
    return ch;
  }
  // Whether the next unit to read is the low half of a surrogate pair (or another unit
  // decoded from bytes already read), so the read position does not move with it.
  bool HasPending() const;
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

  int CodePage() const { return converter_ ? converter_->CodePage : 0; }
  bool IsCodePageFixed() const { return (Flags & CodePageFixed) != 0; }

  std::vector<uint8_t> Bytes;  // the content followed by two zero bytes
  const uint8_t* ContentStart = nullptr;
  const uint8_t* ContentEnd = nullptr;
  String SourceName;
  // The converter, standing at the read position.
  TBuffConverter* Converter() {
    SettleConverter();
    return converter_.get();
  }
  int Flags = 0;

 protected:
  TBuffer() { block_[0] = 0; }

 private:
  void LoadBytes(TStream& stream);
  void SniffEncoding();
  Char DecodeNextBlock();
  // ReadChar of a 0 unit: a zero character of the block, or the end of the block.
  Char ReadZeroOrNextBlock();
  // Puts the converter back to the read position and drops the units not read yet.
  void SettleConverter();
  void DropBlock() {
    next_ = count_ = 0;
    block_[0] = 0;
  }

  static constexpr int kBlockSize = 2048;
  std::unique_ptr<TBuffConverter> converter_;
  int next_ = 0;         // the next unit of the block to hand out
  int count_ = 0;        // the units in the block
  int32_t blockStart_ = 0;  // the byte offset where the block starts
  Char block_[kBlockSize + 1];  // the units, then 0
  int32_t ends_[kBlockSize];  // the byte offset after each unit
};

// True when the bytes hold ESC $ @ or ESC $ B and, after the later of the two, ESC ( J or
// ESC ( B.
bool HasIso2022JpEscapes(const uint8_t* start, size_t length);
