// The converter registry: one row per code page with its published name, its GDI font
// charset and the converter class that decodes it.
#pragma once

#include <memory>
#include <vector>

#include "html/foundation/charsets/BuffConverter.h"
#include "platform/rtl/Types.h"

struct TBuffConvInfo {
  String Description;
  int CodePage = 0;
  int16_t Charset = -1;  // a GDI font charset; -1 none
  TBuffConverterClass ConverterClass = nullptr;
};

class TBuffConvInfoList {
 public:
  // Filled with the 162 rows in ascending code-page order.
  TBuffConvInfoList();

  int Count() const { return static_cast<int>(rows_.size()); }
  const TBuffConvInfo& operator[](int index) const { return *rows_.at(static_cast<size_t>(index)); }
  void Add(std::unique_ptr<TBuffConvInfo> row);
  // Row index of a code page, or -1 (sorts the rows by code page first when needed).
  int IndexOfCodePage(int codePage);

  bool SortedByCodePage = false;

 private:
  std::vector<std::unique_ptr<TBuffConvInfo>> rows_;
};

// The registry singleton; null after ShutDownCharsetRegistries.
TBuffConvInfoList* ConverterInfos();
// The font charset of a code page; 1 (DEFAULT_CHARSET) without a registry, without a row,
// or for a row without a charset.
int FontCharsetOfCodePage(int codePage);
// Frees both registries (this one and the charset-name list) for good: from then on the
// accessors answer null and the lookups "not found".
void ShutDownCharsetRegistries();
bool CharsetRegistriesShutDown();
