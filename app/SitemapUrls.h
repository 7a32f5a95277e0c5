// Reading the URLs out of a sitemap's text.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

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
