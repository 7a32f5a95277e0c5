#include <gtest/gtest.h>

#include <functional>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

std::string ReadAll(TStream& s) {
  s.SetPosition(0);
  std::string bytes(static_cast<size_t>(s.Size()), '\0');
  s.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

template <class E>
String MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  ADD_FAILURE() << "no exception";
  return {};
}

}  // namespace

TEST(MemoryStream, SeekFromEachOriginAndRefusesBeforeStart) {
  TStringStream s("0123456789");
  struct Case {
    std::int64_t start, offset;
    int origin;
    std::int64_t expected;
  };
  const Case cases[] = {
      {5, 2, soFromBeginning, 2}, {5, 2, soFromCurrent, 7}, {5, -3, soFromEnd, 7},
      {5, 4, soFromEnd, 14},      {5, -6, soFromCurrent, -1}, {5, -1, soFromBeginning, -1},
  };
  for (const auto& c : cases) {
    s.SetPosition(c.start);
    EXPECT_EQ(s.Seek(c.offset, c.origin), c.expected) << c.offset << " from " << c.origin;
    EXPECT_EQ(s.Position(), c.expected < 0 ? c.start : c.expected);
  }
}

TEST(MemoryStream, WritePastEndFillsGapWithZeros) {
  TMemoryStream s;
  s.WriteBuffer("ab", 2);
  s.Seek(2, soFromCurrent);
  s.WriteBuffer("c", 1);
  EXPECT_EQ(ReadAll(s), std::string("ab\0\0c", 5));
  s.SetPosition(1);
  s.WriteBuffer("XY", 2);  // overwrites inside
  EXPECT_EQ(ReadAll(s), std::string("aXY\0c", 5));
}

TEST(MemoryStream, SetSizeShrinksAndPullsPositionBack) {
  TStringStream s("abcdef");
  s.SetPosition(6);
  s.SetSize(3);
  EXPECT_EQ(s.Position(), 3);
  EXPECT_EQ(s.DataString(), "abc");
  s.SetSize(5);
  EXPECT_EQ(s.DataString(), std::string("abc\0\0", 5));
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, ShortReadRaisesReadError) {
  TStringStream s("abc");
  char buffer[4];
  EXPECT_EQ(s.Read(buffer, 4), 3);
  EXPECT_EQ(s.Read(buffer, 4), 0);
  s.SetPosition(1);
  EXPECT_EQ(MessageOf<EReadError>([&] { s.ReadBuffer(buffer, 3); }), u"Stream-Lesefehler");
}

TEST(Stream, CopyFromCopiesRestOrWholeSource) {
  TStringStream source("hello world");
  TStringStream part;
  source.SetPosition(6);
  EXPECT_EQ(part.CopyFrom(source, 5), 5);
  EXPECT_EQ(part.DataString(), "world");

  TStringStream whole;
  EXPECT_EQ(whole.CopyFrom(source, 0), 11);  // from the start, whatever the position was
  EXPECT_EQ(whole.DataString(), "hello world");

  source.SetPosition(8);
  TStringStream tooMuch;
  EXPECT_THROW(tooMuch.CopyFrom(source, 5), EReadError);
}

TEST(Stream, CopyFromLargerThanOneChunk) {
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  TStringStream source(big);
  TMemoryStream target;
  target.CopyFrom(source, 0);
  EXPECT_EQ(ReadAll(target), big);
}

TEST(FileStream, CreateWriteReopenAndRead) {
  TempFolder dir;
  {
    TFileStream f(dir.Name("a.bin"), fmCreate);
    f.WriteBuffer("abc\0def", 7);
    EXPECT_EQ(f.Size(), 7);
  }
  EXPECT_EQ(dir.Read("a.bin"), std::string("abc\0def", 7));
  {
    TFileStream f(dir.Name("a.bin"), fmOpenReadWrite);
    f.Seek(-3, soFromEnd);
    f.WriteBuffer("XYZW", 4);
    f.SetSize(5);
    EXPECT_EQ(f.Position(), 5);
  }
  EXPECT_EQ(dir.Read("a.bin"), std::string("abc\0X", 5));
  {
    TFileStream f(dir.Name("a.bin"), fmCreate);  // truncates
  }
  EXPECT_EQ(dir.Read("a.bin"), "");
}

TEST(FileStream, NonAsciiFileNameIsUtf8OnDisk) {
  TempFolder dir;
  {
    TFileStream f(dir.Name("Grüße.txt"), fmCreate);
    f.WriteBuffer("x", 1);
  }
  EXPECT_EQ(dir.Read("Grüße.txt"), "x");
}

TEST(FileStream, FailuresRaiseGermanCreateAndOpenErrors) {
  TempFolder dir;
  const String missing = dir.Name("fehlt.txt");
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }),
            u"Datei " + missing +
                S(" kann nicht geöffnet werden. Das System kann die angegebene Datei nicht finden."));
  const String inMissingFolder = dir.Name("nicht/da.txt");
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(inMissingFolder, fmCreate); }),
            u"Datei " + inMissingFolder +
                S(" kann nicht erstellt werden. Das System kann die angegebene Datei nicht finden."));
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(dir.Name(""), fmCreate); }),
            u"Datei " + dir.Name("") + S(" kann nicht erstellt werden. Zugriff verweigert."));
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(dir.Name(""), fmOpenRead); }),
            u"Datei " + dir.Name("") + S(" kann nicht geöffnet werden. Zugriff verweigert."));
}

TEST(FileStream, WriteOnReadOnlyStreamRaisesWriteError) {
  TempFolder dir;
  dir.Write("r.txt", "abc");
  TFileStream f(dir.Name("r.txt"), fmOpenRead);
  EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
  char c;
  f.ReadBuffer(&c, 1);
  EXPECT_EQ(c, 'a');
}

TEST(FileStream, ShareModes) {
  TempFolder dir;
  dir.Write("s.txt", "keep");
  const String name = dir.Name("s.txt");
  {
    TFileStream exclusive(name, fmOpenReadWrite | fmShareExclusive);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    // A refused create must not truncate the file another stream holds exclusively.
    EXPECT_THROW(TFileStream(name, fmCreate), EFCreateError);
  }
  EXPECT_EQ(dir.Read("s.txt"), "keep");
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    TFileStream second(name, fmOpenRead | fmShareDenyNone);
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareExclusive), EFOpenError);
  }
  TFileStream afterwards(name, fmOpenWrite | fmShareExclusive);  // all locks are gone
}

TEST(MemoryStream, LoadAndSaveFile) {
  TempFolder dir;
  TStringStream s(std::string("\xFF\0\r\n", 4));
  s.SaveToFile(dir.Name("m.bin"));
  EXPECT_EQ(dir.Read("m.bin"), std::string("\xFF\0\r\n", 4));
  TMemoryStream loaded;
  loaded.WriteBuffer("old content", 11);
  loaded.LoadFromFile(dir.Name("m.bin"));
  EXPECT_EQ(loaded.Position(), 0);
  EXPECT_EQ(ReadAll(loaded), std::string("\xFF\0\r\n", 4));
  EXPECT_THROW(loaded.LoadFromFile(dir.Name("none")), EFOpenError);
}
