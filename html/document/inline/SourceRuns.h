// The source positions of a finished text section, compressed into runs: each run starts
// at a character and holds consecutive source positions from there.
#pragma once

#include <cstdint>
#include <vector>

class IndexObj {
 public:
  int32_t CharIndex = 0;
  int32_t SourcePosition = 0;
};

// A run starts at index 0 and wherever a position is not the previous one plus 1.
std::vector<IndexObj> CompressSourceIndexes(const int32_t* positions, int count);
