#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError(S("Stream-Lesefehler"));
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError(S("Stream-Schreibfehler"));
}

std::int64_t TStream::Position() { return Seek(0, soFromCurrent); }

void TStream::SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }

std::int64_t TStream::Size() {
  const std::int64_t here = Seek(0, soFromCurrent);
  const std::int64_t end = Seek(0, soFromEnd);
  Seek(here, soFromBeginning);
  return end;
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count <= 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr std::int64_t kChunk = 64 * 1024;
  std::vector<char> buffer(static_cast<size_t>(std::min(count, kChunk)));
  for (std::int64_t left = count; left > 0;) {
    const std::int64_t n = std::min(left, kChunk);
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  const std::int64_t size = Size();
  if (count <= 0 || position_ >= size) return 0;
  const std::int64_t n = std::min(count, size - position_);
  std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position_ + count;
  if (end > Size()) data_.resize(static_cast<size_t>(end), '\0');
  std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, int origin) {
  std::int64_t base = 0;
  if (origin == soFromCurrent) base = position_;
  if (origin == soFromEnd) base = Size();
  const std::int64_t target = base + offset;
  if (target < 0) return -1;
  position_ = target;
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  data_.resize(static_cast<size_t>(std::max<std::int64_t>(size, 0)), '\0');
  position_ = std::min(position_, Size());
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const std::int64_t size = source.Size();
  std::string bytes(static_cast<size_t>(size), '\0');
  source.ReadBuffer(bytes.data(), size);
  data_ = std::move(bytes);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) const {
  target.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const String& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}
