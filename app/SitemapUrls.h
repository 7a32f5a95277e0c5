// Reading the URLs out of a sitemap's text.
#pragma once

#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

// A sitemap's bytes as text, decoded as XML prescribes: a byte-order mark (UTF-8, UTF-16)
// or a UTF-16 start without one, else the encoding named by the XML declaration, else
// UTF-8. Bytes that are no UTF-8 and name no encoding are read as code page 1252, as
// older sitemaps without a declaration were written. An encoding the program does not
// know raises EConvertError naming it.
String DecodeSitemapBytes(std::string_view bytes);
// The file's bytes decoded by DecodeSitemapBytes; a file that cannot be read raises
// EFOpenError.
String LoadSitemapFile(const String& fileName);

// Puts every "<loc>" (any case) at the end of a line and every "</loc>" at the start of
// one, so that a URL stands on a line of its own after its "<loc>" line.
String SplitAtLocTags(const String& text);
// The text of every <loc> element (any case) up to its "</loc>" (or the next "<loc>", or
// the end of the text),
// blanks and line breaks around it removed and XML references decoded, in order. A
// sitemap index yields the addresses of its sitemaps.
std::vector<String> ExtractSitemapUrls(const String& text);
// The text with the XML entities (&amp; &lt; &gt; &quot; &apos;) and character references
// (&#38; &#x26;) replaced by their characters; anything else that starts with "&" stays.
String DecodeXmlReferences(const String& text);
