// String routines for the links and file references of documents. Positions are 1-based
// in the comments; all text is UTF-16. None of them raises: malformed input stays as it is.
#pragma once

#include "platform/rtl/Types.h"

// The directory part of a URL, ending in "/" ("page.html" gives "page.html/").
String UrlBase(const String& url);
// Dir and Name joined with exactly one backslash.
String JoinDosPath(const String& dir, const String& name);
// True when the text (cut at the first "?") has "://" before any other "/", or begins with
// "mailto:" or "data:" (ignoring case).
bool IsFullUrl(const String& text);
// The lower-case protocol of a URL: the text before "://"; "http" for a URL that begins
// with "/" or "http:"; "mailto", "data"; else empty.
String GetProtocol(const String& url);
// A relative reference resolved against a base ("../" and "./" segments resolved).
String CombineUrl(const String& base, const String& relative);
// Splits at the first "#": the address before it and the fragment with its "#".
void SplitUrlFragment(const String& url, String& address, String& fragment);
// %-escapes decoded, sequences of escapes as UTF-8 (beyond U+FFFF as a surrogate pair).
// Malformed escapes, and "%00", stay as they are.
String DecodeUrlEscapes(const String& text);
// A file: URL as a Windows path: "file:///C|/x/y.html" gives "C:\x\y.html".
String UrlToDosPath(const String& url);
// UrlToDosPath, trimmed; a result that begins with a single "\" gets Base in front.
String UrlToDosPathWithBase(const String& url, const String& base);
// Where a URL or a path of a document reaches the file system: the POSIX path. A file: URL
// keeps its absolute path ("file:///home/a.html" gives "/home/a.html"); backslashes become
// slashes; a drive ("C:" or "C|") is dropped, its path kept from the root.
String UrlToFileSystemPath(const String& urlOrPath);
