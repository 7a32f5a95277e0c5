#include "app/CsvFields.h"

std::vector<String> ParseCsvFields(const String& line) {
  std::vector<String> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    Char c = line[i];
    if (quoted) {
      if (c != u'"') {
        fields.back().push_back(c);
      } else if (i + 1 < line.size() && line[i + 1] == u'"') {
        fields.back().push_back(u'"');
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}
