// Reading the URLs out of a sitemap's text.
#pragma once

#include <vector>

#include "platform/rtl/Strings.h"
#include "platform/rtl/Types.h"

// Puts every "<loc>" (any case) at the end of a line and every "</loc>" at the start of
// one, so that a URL stands on a line of its own after its "<loc>" line.
String SplitAtLocTags(const String& text);
// The lines that follow a line holding "<loc>", blanks around them removed and XML
// references decoded. A sitemap index yields the addresses of its sitemaps.
std::vector<String> ExtractSitemapUrls(const TStrings& lines);
// The text with the XML entities (&amp; &lt; &gt; &quot; &apos;) and character references
// (&#38; &#x26;) replaced by their characters; anything else that starts with "&" stays.
String DecodeXmlReferences(const String& text);
