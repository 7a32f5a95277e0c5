// String helpers of the HTML engine, on UTF-16 text.
#pragma once

#include <cstddef>

#include "platform/rtl/Types.h"

void AppendChar(String& s, Char ch);
void AppendText(String& s, const String& t);
// Locale-aware case mapping (the runtime library's).
String LowerCaseText(const String& s);
String UpperCaseText(const String& s);
// Without leading and trailing blanks and control characters.
String TrimText(const String& s);
// Case-sensitive.
bool TextStartsWith(const String& prefix, const String& s);
bool TextEndsWith(const String& suffix, const String& s);
// Without the leading and trailing characters below 33.
String TrimLowChars(const String& s);

// Zero-terminated texts. The first occurrence of Sub in Str; null when either is null, Sub
// is empty or longer than Str.
const Char* FindWideSubstring(const Char* str, const Char* sub);
// The first occurrence of Ch in Str, the terminating zero included (Ch 0 finds the end).
const Char* FindFirstWideChar(const Char* str, Char ch);
// The last occurrence of Ch in Str; null when absent.
const Char* FindLastWideChar(const Char* str, Char ch);
// The 1-based position of Sub in S; 0 when absent.
int WideSubstringPos(const String& sub, const String& s);
bool WideStringsEqual(const String& a, const String& b);
// A - B in bytes.
std::ptrdiff_t PointerDistance(const void* a, const void* b);
