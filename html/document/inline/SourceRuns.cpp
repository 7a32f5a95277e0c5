#include "html/document/inline/SourceRuns.h"

std::vector<IndexObj> CompressSourceIndexes(const int32_t* positions, int count) {
  std::vector<IndexObj> runs;
  for (int i = 0; i < count; ++i)
    if (i == 0 || positions[i] != positions[i - 1] + 1) runs.push_back({i, positions[i]});
  return runs;
}
