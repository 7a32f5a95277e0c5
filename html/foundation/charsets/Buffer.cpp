#include "html/foundation/charsets/Buffer.h"

#include <algorithm>
#include <cstring>

#include "html/foundation/charsets/ConverterRegistry.h"
#include "platform/rtl/Streams.h"

namespace {

// Position of the first occurrence of a pattern in [start, start + length), or null.
const uint8_t* FindByteSequence(const uint8_t* start, size_t length, const uint8_t* pattern, size_t patternLength) {
  if (length < patternLength) return nullptr;
  const uint8_t* last = start + length - patternLength;
  for (const uint8_t* p = start; p <= last; ++p) {
    p = static_cast<const uint8_t*>(std::memchr(p, pattern[0], static_cast<size_t>(last - p) + 1));
    if (!p) return nullptr;
    if (std::memcmp(p, pattern, patternLength) == 0) return p;
  }
  return nullptr;
}

}  // namespace

bool HasIso2022JpEscapes(const uint8_t* start, size_t length) {
  static constexpr uint8_t kJis1978[] = {0x1B, 0x24, 0x40}, kJis1983[] = {0x1B, 0x24, 0x42};
  static constexpr uint8_t kRoman[] = {0x1B, 0x28, 0x4A}, kAscii[] = {0x1B, 0x28, 0x42};
  const uint8_t* a = FindByteSequence(start, length, kJis1978, 3);
  const uint8_t* b = FindByteSequence(start, length, kJis1983, 3);
  const uint8_t* from = !a ? b : !b ? a : std::max(a, b);
  if (!from) return false;
  size_t rest = length - static_cast<size_t>(from - start);
  return FindByteSequence(from, rest, kRoman, 3) || FindByteSequence(from, rest, kAscii, 3);
}

std::unique_ptr<TBuffer> TBuffer::CreateFromStream(TStream& stream, const String& name) {
  std::unique_ptr<TBuffer> buffer(new TBuffer);
  buffer->LoadBytes(stream);
  buffer->SourceName = name;
  buffer->SniffEncoding();
  return buffer;
}

std::unique_ptr<TBuffer> TBuffer::CreateFromText(const String& text, const String& name, int codePage) {
  std::unique_ptr<TBuffer> buffer(new TBuffer);
  buffer->Bytes.resize(text.size() * 2 + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    buffer->Bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
    buffer->Bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
  }
  buffer->ResetBounds();
  buffer->SourceName = name;
  buffer->ReplaceConverter(codePage, 1200);
  buffer->Flags |= CodePageFixed;
  return buffer;
}

void TBuffer::LoadBytes(TStream& stream) {
  std::int64_t n = std::max<std::int64_t>(0, stream.Size() - stream.Position());
  Bytes.assign(static_cast<size_t>(n) + 2, 0);
  if (n > 0) stream.ReadBuffer(Bytes.data(), n);
  ResetBounds();
}

void TBuffer::ResetBounds() {
  ContentStart = Bytes.data();
  ContentEnd = ContentStart + ContentSize();
}

void TBuffer::SniffEncoding() {
  converter_.reset();
  DropBlock();
  size_t n = static_cast<size_t>(ContentEnd - ContentStart);
  const uint8_t* p = ContentStart;
  int mark = 0, codePage = 0;
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    mark = 3;
    codePage = 65001;
  } else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    mark = 2;
    codePage = 1200;
  } else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
    mark = 2;
    codePage = 1201;
  }
  if (mark) {
    ContentStart += mark;
    SwitchCodePage(codePage);
    Flags |= CodePageFixed;
  } else if (HasIso2022JpEscapes(ContentStart, n)) {
    SwitchCodePage(50220);
    Flags |= CodePageFixed;
  } else {
    SwitchCodePage(0);
  }
}

Char TBuffer::DecodeNextBlock() {
  if (!converter_) return 0;
  blockStart_ = static_cast<int32_t>(converter_->ReadPtr - Bytes.data());
  count_ = converter_->DecodeBlock(block_, ends_, kBlockSize, Bytes.data());
  block_[count_] = 0;
  next_ = 1;
  return block_[0];
}

Char TBuffer::ReadZeroOrNextBlock() {
  if (next_ >= count_) return DecodeNextBlock();
  ++next_;
  return 0;
}

void TBuffer::SettleConverter() {
  if (next_ < count_) {
    int32_t at = next_ > 0 ? ends_[next_ - 1] : blockStart_;
    converter_->ReadPtr = Bytes.data() + at;
    converter_->ClearPending();
    // A unit that consumed no bytes was decoded from bytes already read: it stays pending.
    if (ends_[next_] == at) converter_->SetPending(block_[next_]);
  }
  DropBlock();
}

bool TBuffer::HasPending() const {
  if (next_ < count_) return block_[next_] != 0 && ends_[next_] == (next_ > 0 ? ends_[next_ - 1] : blockStart_);
  return converter_ && converter_->HasPending();
}

Char TBuffer::LookAhead() const {
  if (next_ < count_) return block_[next_];
  return converter_ ? converter_->PeekChar() : Char(0);
}

int TBuffer::ReadOffset() const {
  if (next_ > 0) return ends_[next_ - 1];
  return converter_ ? static_cast<int>(converter_->ReadPtr - Bytes.data()) : 0;
}

void TBuffer::SeekOffset(int offset) {
  if (!converter_) return;
  DropBlock();
  offset = std::clamp(offset, 0, static_cast<int>(ContentEnd - Bytes.data()));
  converter_->ReadPtr = Bytes.data() + offset;
  converter_->ClearPending();
}

String TBuffer::TextBetween(int fromOffset, int toOffset) {
  String text;
  if (toOffset - fromOffset <= 0 || !converter_) return text;
  SettleConverter();
  text.reserve(static_cast<size_t>(toOffset - fromOffset));
  // The position, with the low half of a surrogate pair still to be handed out.
  struct Restore {
    TBuffer* self;
    int offset;
    Char pending;
    ~Restore() {
      self->SeekOffset(offset);
      self->converter_->SetPending(pending);
    }
  } restore{this, ReadOffset(), converter_->PendingUnit()};
  SeekOffset(fromOffset);
  while (ReadOffset() < toOffset || HasPending()) {
    Char ch = ReadChar();
    if (ch == 0) break;
    text += ch;
  }
  return text;
}

void TBuffer::SwitchCodePage(int codePage) {
  if (IsCodePageFixed()) return;
  ReplaceConverter(codePage, converter_ ? converter_->PhysicalCodePage : codePage);
}

void TBuffer::ReplaceConverter(int codePage, int physicalCodePage) {
  TBuffConvInfoList* infos = ConverterInfos();
  if (!infos) return;
  int row = infos->IndexOfCodePage(codePage);
  if (row < 0) row = infos->IndexOfCodePage(-1);
  TBuffConverterClass cls = (*infos)[row].ConverterClass;
  if (converter_) {
    if (converter_->CodePage == codePage) return;
    SettleConverter();  // the new code page decodes from the read position on
    converter_->CodePage = codePage;
    converter_->PhysicalCodePage = physicalCodePage;
    converter_ = TBuffConverter::CreateCopy(cls, *converter_);
  } else {
    converter_ = cls(ContentStart, ContentEnd, codePage, physicalCodePage);
  }
}

void TBuffer::CopyFrom(const TBuffer& source) {
  Bytes = source.Bytes;
  ResetBounds();
  ContentStart += source.ContentStart - source.Bytes.data();
  SourceName = source.SourceName;
  converter_.reset();
  DropBlock();
  if (source.converter_)
    converter_ = source.converter_->ClassType()(ContentStart, ContentEnd, source.converter_->CodePage,
                                                source.converter_->PhysicalCodePage);
  Flags = source.Flags;
}

void TBuffer::CopyToMemoryStream(TMemoryStream* stream) const {
  if (!stream) return;
  stream->SetSize(ContentSize());
  if (ContentSize() > 0) std::memcpy(stream->Memory(), Bytes.data(), static_cast<size_t>(ContentSize()));
}
