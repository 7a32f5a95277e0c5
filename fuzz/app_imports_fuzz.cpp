// The readers of outside text in the application's URL imports: the sitemap reader (the
// <loc> split, URL extraction and XML reference decoding) and the CSV field splitter. The
// input is UTF-8 text; the first byte chooses the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/CsvFields.h"
#include "app/SitemapUrls.h"
#include "platform/rtl/Unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const String text = Utf8ToString(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  switch (data[0] % 3) {
    case 0:
      // A value is a piece of the text (trimmed, references decoded): never longer.
      for (const String& url : ExtractSitemapUrls(SplitAtLocTags(text)))
        if (url.size() > text.size()) std::abort();
      break;
    case 1:
      if (DecodeXmlReferences(text).size() > text.size()) std::abort();
      break;
    default: {
      size_t total = 0;
      for (const String& field : ParseCsvFields(text)) total += field.size();
      if (total > text.size()) std::abort();  // quotes and commas are dropped, nothing added
      break;
    }
  }
  return 0;
}
