// Code-page converters of the PDF engine: byte strings in a Windows ANSI code page to and
// from UTF-16 and UTF-8. TVevAnsiFixedWidth serves the single-byte code pages 1250 to 1257
// from two lookup tables; TVevAnsiConvert serves any other code page through rtl.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

class TVevAnsiConvert {
 public:
  explicit TVevAnsiConvert(int codePage);
  virtual ~TVevAnsiConvert() = default;
  TVevAnsiConvert(const TVevAnsiConvert&) = delete;
  TVevAnsiConvert& operator=(const TVevAnsiConvert&) = delete;

  int CodePage() const { return codePage_; }

  virtual String AnsiToWideString(std::string_view ansi) const;
  virtual std::string AnsiToUtf8Text(std::string_view ansi) const;
  // Characters the code page cannot hold become '?'.
  virtual std::string WideToAnsiText(std::u16string_view wide) const;
  virtual std::string Utf8ToAnsiText(std::string_view utf8) const;

 private:
  int codePage_;
};

class TVevAnsiFixedWidth : public TVevAnsiConvert {
 public:
  // Only 1250 to 1257; any other code page raises EVevException.
  explicit TVevAnsiFixedWidth(int codePage);

  String AnsiToWideString(std::string_view ansi) const override;
  std::string AnsiToUtf8Text(std::string_view ansi) const override;
  std::string WideToAnsiText(std::u16string_view wide) const override;
  std::string Utf8ToAnsiText(std::string_view utf8) const override;

  // True when every character of the UTF-8 text sits in the code page at its own
  // position (code point at most 255, kept by the table); an empty text is true.
  bool IsWinAnsiUtf8(std::string_view utf8) const;
  // The code-page byte of a UTF-16 unit, or -1 when the code page lacks it.
  int WideCharToAnsiCode(Char unit) const;

  const std::array<Char, 256>& AnsiToWideTable() const { return ansiToWide_; }

 private:
  std::array<Char, 256> ansiToWide_{};
  std::unique_ptr<std::array<unsigned char, 65536>> wideToAnsi_;
};

// The shared converter of a code page (a TVevAnsiFixedWidth for 1250 to 1257); the same
// object on every call. An unknown code page raises EConvertError on first use.
TVevAnsiConvert& ConverterForCodePage(int codePage);
// The converter of code page 1252.
TVevAnsiFixedWidth& WinAnsiConverter();

// The Windows character set of a code page (0, ANSI, for 1252 and every unlisted one).
int CharSetOfCodePage(int codePage);
