// Picture files as netpbm's tools read and write them: PNG both ways, PNM of each kind.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/Pictures.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

// 7 x 5 (odd sizes catch row padding) with every channel varying; half transparent with alpha.
TTestPicture Pattern(bool alpha) {
  TTestPicture picture(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      picture.Set(x, y, uint32_t(x * 40) << 16 | uint32_t(y * 60) << 8 | uint32_t((x + y) * 20),
                  alpha ? uint8_t(x * 40 + y) : 255);
  return picture;
}

TEST(PictureFiles, OurPngIsWhatNetpbmReads) {
  TTempDirectory dir;
  for (bool alpha : {false, true}) {
    WritePictureFile(Pattern(alpha), dir.PathOf("p.png"));
    EXPECT_EQ(ReadPnm(RunTool("pngtopam -alphapam " + ShellQuote(dir.PathOf("p.png")))), Pattern(alpha)) << alpha;
  }
}

TEST(PictureFiles, NetpbmsPngAndPnmAreWhatWeRead) {
  TTempDirectory dir;
  WritePictureFile(Pattern(false), dir.PathOf("p.ppm"));
  EXPECT_EQ(dir.ReadFile("p.ppm"), PpmOf(Pattern(false)));
  EXPECT_EQ(ReadPictureFile(dir.PathOf("p.ppm")), Pattern(false));
  dir.WriteFile("p.png", RunTool("pnmtopng " + ShellQuote(dir.PathOf("p.ppm"))));
  EXPECT_EQ(ReadPictureFile(dir.PathOf("p.png")), Pattern(false));
  // Grey and bits: each sample becomes grey, a set bit black.
  TTestPicture grey = ReadPnm(RunTool("ppmtopgm " + ShellQuote(dir.PathOf("p.ppm"))));
  EXPECT_EQ(grey.Width, 7);
  EXPECT_EQ(grey.Rgb(6, 4) % 0x010101u, 0u);
  TTestPicture bits = ReadPnm(RunTool("pbmmake -black 9 2"));
  EXPECT_EQ(bits, TTestPicture(9, 2, 0x000000));
}

TEST(PictureFiles, HandWrittenPnmKinds) {
  TTestPicture pam = ReadPnm("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 2\nMAXVAL 255\nTUPLTYPE GRAYSCALE_ALPHA\nENDHDR\n\x10\x20\x30\x40");
  EXPECT_EQ(pam.Rgb(0, 0), 0x101010u);
  EXPECT_EQ(pam.Alpha(0, 0), 0x20);
  EXPECT_EQ(pam.Alpha(1, 0), 0x40);
  TTestPicture bits = ReadPnm("P4\n# a comment\n10 1\n\xA0\x40");
  EXPECT_EQ(bits.Rgb(0, 0), 0u);
  EXPECT_EQ(bits.Rgb(1, 0), 0xFFFFFFu);
  EXPECT_EQ(bits.Rgb(9, 0), 0u);
}

TEST(PictureFiles, BrokenFilesRaise) {
  for (const char* bytes : {"", "P6\n2 2\n255\nabc", "P6\n2 2\n65535\n", "P3\n1 1\n255\n0 0 0", "P6\nx 1\n255\n",
                            "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 5\nMAXVAL 255\nENDHDR\n12345", "\x89PNG\r\n\x1a\n"})
    EXPECT_THROW(std::string(bytes).compare(0, 4, "\x89PNG") == 0 ? ReadPng(bytes) : ReadPnm(bytes),
                 std::runtime_error)
        << bytes;
}

}  // namespace
