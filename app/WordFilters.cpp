#include "app/WordFilters.h"

TBlacklist::TBlacklist(const TStrings& lines) {
  for (int i = 0; i < lines.Count(); ++i) {
    String line = lines.Get(i);
    if (!line.empty()) words_.insert(std::move(line));
  }
}
