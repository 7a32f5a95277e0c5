#include <gtest/gtest.h>

#include "platform/gdi/codecs/ImageFormat.h"

using namespace std::string_literals;

namespace {

TEST(DetectImageFormat, FirstBytes) {
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  std::string notEmf = emf;
  notEmf[41] = 'X';
  struct {
    std::string head;
    TImageFormat format;
  } cases[] = {
      {"BM\x36\x00"s, TImageFormat::Bmp},
      {"GIF89a"s, TImageFormat::Gif},
      {"GIF87a"s, TImageFormat::Gif},
      {"\x89PNG\r\n\x1A\n"s, TImageFormat::Png},
      {"\x89PNG\r\n"s, TImageFormat::Unknown},  // cut short
      {"\xFF\xD8\xFF\xE0"s, TImageFormat::Jpeg},
      {"II\x2A\x00"s, TImageFormat::Tiff},
      {"MM\x00\x2A"s, TImageFormat::Tiff},
      {emf, TImageFormat::Emf},
      {notEmf, TImageFormat::Unknown},
      {"\xD7\xCD\xC6\x9A\x00\x00"s, TImageFormat::Wmf},
      {"\x01\x00\x09\x00\x00\x03"s, TImageFormat::Wmf},
      {"\x01\x00\x09\x00\x00\x02"s, TImageFormat::Unknown},
      {"B"s, TImageFormat::Unknown},
      {""s, TImageFormat::Unknown},
      {"<html>"s, TImageFormat::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectImageFormat(c.head), c.format) << testing::PrintToString(c.head);
}

}  // namespace
