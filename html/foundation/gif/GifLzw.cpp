// The variable-length LZW decoder of GIF images, with interlaced row order.
#include <array>
#include <vector>

#include "html/foundation/gif/GifDecoder.h"

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeWidth = 12;

// Codes least-significant bit first from the collected data bytes.
class TCodeReader {
 public:
  explicit TCodeReader(const std::string& data) : data_(data) {}

  // More to read: unread bytes, or a whole code still in the bit buffer.
  bool HasMore(int width) const { return pos_ < data_.size() || bitCount_ >= width; }

  int Read(int width) {
    if (width > kMaxCodeWidth) RaiseGifError(gifInvalidCodeSize);
    while (bitCount_ < width) {
      uint32_t byte = pos_ < data_.size() ? static_cast<uint8_t>(data_[pos_++]) : 0;
      buffer_ |= byte << bitCount_;
      bitCount_ += 8;
    }
    int code = static_cast<int>(buffer_ & ((1u << width) - 1));
    buffer_ >>= width;
    bitCount_ -= width;
    return code;
  }

 private:
  const std::string& data_;
  size_t pos_ = 0;
  uint32_t buffer_ = 0;
  int bitCount_ = 0;
};

// Where the next pixel goes: rows in order, or the four interlace passes.
class TPixelCursor {
 public:
  TPixelCursor(TGifImage& image) : image_(image) {}

  void Put(uint8_t index) {
    if (row_ < image_.Height)
      image_.Pixels[static_cast<size_t>(row_) * static_cast<size_t>(image_.Width) + static_cast<size_t>(column_)] = index;
    if (++column_ < image_.Width) return;
    column_ = 0;
    if (!image_.Interlaced) {
      ++row_;
      return;
    }
    if (row_ >= image_.Height) return;  // every pass is done: the rest is dropped
    static constexpr int kStep[] = {8, 8, 4, 2};
    static constexpr int kStart[] = {0, 4, 2, 1};
    row_ += kStep[pass_];
    while (row_ >= image_.Height && pass_ < 3) row_ = kStart[++pass_];
  }

 private:
  TGifImage& image_;
  int column_ = 0;
  int row_ = 0;
  int pass_ = 0;  // 0..3 for passes 1..4
};

}  // namespace

void TGif::DecodeImage(TGifImage& image) {
  const int minSize = image.CodeSize;
  const int clear = 1 << minSize;
  const int end = clear + 1;
  const int highestRoot = clear - 1;
  int width = minSize + 1;
  int limit = 0;
  int nextFree = 0;

  // The code table: each entry is an earlier code plus one byte; the first byte and the
  // length of every code's string are kept beside it, so no string is walked twice.
  std::array<uint16_t, kMaxCodes> prefix;
  std::array<uint8_t, kMaxCodes> suffix;
  std::array<uint8_t, kMaxCodes> firstByte;
  std::array<uint16_t, kMaxCodes> length;
  for (int root = 0; root < clear; ++root) {
    prefix[static_cast<size_t>(root)] = 0;
    suffix[static_cast<size_t>(root)] = firstByte[static_cast<size_t>(root)] = static_cast<uint8_t>(root);
    length[static_cast<size_t>(root)] = 1;
  }
  std::array<uint8_t, kMaxCodes> string;  // a string is never longer than the table
  TCodeReader reader(ImageData);

  // Rows in order are appended as they come, and only what the data leaves short is
  // filled with zeros at the end; interlaced rows go through the cursor into a filled image.
  const size_t total = static_cast<size_t>(image.PixelCount);
  const bool sequential = !image.Interlaced;
  if (sequential) {
    image.Pixels.clear();
    image.Pixels.reserve(total);
  } else {
    image.Pixels.assign(total, 0);
  }
  // The image has all its pixels however decoding ends, a bad code included.
  struct TFillRest {
    std::vector<uint8_t>& pixels;
    size_t total;
    ~TFillRest() { pixels.resize(total, 0); }
  } fillRest{image.Pixels, total};
  TPixelCursor cursor(image);

  auto emit = [&](int code) {
    const size_t n = length[static_cast<size_t>(code)];
    uint8_t* p = string.data() + n;
    while (code > highestRoot) {
      *--p = suffix[static_cast<size_t>(code)];
      code = prefix[static_cast<size_t>(code)];
    }
    *--p = static_cast<uint8_t>(code);
    if (sequential) {
      const size_t room = total - image.Pixels.size();
      image.Pixels.insert(image.Pixels.end(), string.data(), string.data() + (n < room ? n : room));
    } else {
      for (size_t k = 0; k < n; ++k) cursor.Put(string[k]);
    }
  };
  auto addEntry = [&](int oldCode, uint8_t first) {
    if (nextFree >= kMaxCodes) return;
    const auto at = static_cast<size_t>(nextFree);
    prefix[at] = static_cast<uint16_t>(oldCode);
    suffix[at] = first;
    firstByte[at] = firstByte[static_cast<size_t>(oldCode)];
    length[at] = static_cast<uint16_t>(length[static_cast<size_t>(oldCode)] + 1);
    ++nextFree;
  };
  auto grow = [&] {
    if (nextFree >= limit && width < kMaxCodeWidth) {
      limit <<= 1;
      ++width;
    }
  };

  int code = reader.Read(width);
  if (code != clear) RaiseGifError(gifInvalidLzwData);
  int oldCode = 0;
  while (code != end) {
    if (code == clear) {
      width = minSize + 1;
      nextFree = clear + 2;
      limit = 1 << width;
      do code = reader.Read(width);
      while (code == clear);
      if (code == end) RaiseGifError(gifInvalidLzwData);
      if (code >= nextFree) code = 0;
      oldCode = code;
      emit(code);
    } else if (code < nextFree) {
      addEntry(oldCode, firstByte[static_cast<size_t>(code)]);
      emit(code);
      oldCode = code;
      grow();
    } else if (code == nextFree) {
      addEntry(oldCode, firstByte[static_cast<size_t>(oldCode)]);
      grow();
      emit(code);
      oldCode = code;
    } else {
      RaiseGifError(gifInvalidLzwData);
    }
    if (!reader.HasMore(width)) break;
    code = reader.Read(width);
  }
}
