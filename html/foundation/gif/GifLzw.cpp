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

  std::vector<uint16_t> prefix(kMaxCodes, 0);
  std::vector<uint8_t> suffix(kMaxCodes, 0);
  std::vector<uint8_t> stack;
  stack.reserve(kMaxCodes);
  TCodeReader reader(ImageData);
  TPixelCursor cursor(image);

  // Pushes a code's string (last byte first) and returns its first byte.
  auto pushString = [&](int code) {
    while (code > highestRoot) {
      stack.push_back(suffix[static_cast<size_t>(code)]);
      code = prefix[static_cast<size_t>(code)];
    }
    stack.push_back(static_cast<uint8_t>(code));
    return static_cast<uint8_t>(code);
  };
  auto rootOf = [&](int code) {
    while (code > highestRoot) code = prefix[static_cast<size_t>(code)];
    return static_cast<uint8_t>(code);
  };
  auto addEntry = [&](int oldCode, uint8_t first) {
    if (nextFree >= kMaxCodes) return;
    prefix[static_cast<size_t>(nextFree)] = static_cast<uint16_t>(oldCode);
    suffix[static_cast<size_t>(nextFree)] = first;
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
      pushString(code);
    } else if (code < nextFree) {
      uint8_t first = pushString(code);
      addEntry(oldCode, first);
      oldCode = code;
      grow();
    } else if (code == nextFree) {
      uint8_t first = rootOf(oldCode);
      addEntry(oldCode, first);
      grow();
      pushString(code);
      oldCode = code;
    } else {
      RaiseGifError(gifInvalidLzwData);
    }
    while (!stack.empty()) {
      cursor.Put(stack.back());
      stack.pop_back();
    }
    if (!reader.HasMore(width)) break;
    code = reader.Read(width);
  }
}
