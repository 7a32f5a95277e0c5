// Code-page conversion between byte strings and UTF-16.
//
// Built in: 1252 (the ANSI code page the program assumes), 28591 (ISO-8859-1), 20127
// (US-ASCII), 65001 (UTF-8), 1200 and 1201 (UTF-16 little and big endian). Further code
// pages plug in through RegisterCodePage.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

constexpr int CP_ANSI = 1252;  // the system's ANSI code page, fixed for the whole program
constexpr int CP_UTF8 = 65001;
constexpr int CP_UTF16LE = 1200;
constexpr int CP_UTF16BE = 1201;

class TCodePageConverter {
 public:
  virtual ~TCodePageConverter() = default;
  virtual String Decode(std::string_view bytes) const = 0;
  // Characters the code page cannot hold become '?' and clear *lossless.
  virtual std::string Encode(const String& s, bool* lossless) const = 0;
};

// Adds or replaces the converter of a code page.
void RegisterCodePage(int codePage, std::shared_ptr<const TCodePageConverter> converter);

// The converter of a code page, or null when none is known.
const TCodePageConverter* FindCodePage(int codePage);

// Decode/encode in a code page; an unknown code page raises EConvertError.
String BytesToString(std::string_view bytes, int codePage);
std::string StringToBytes(const String& s, int codePage, bool* lossless = nullptr);

// Code page 1252 shorthands.
String AnsiToString(std::string_view bytes);
std::string StringToAnsi(const String& s, bool* lossless = nullptr);
// True when every character of s has a byte in code page 1252.
bool FitsAnsi(const String& s);
