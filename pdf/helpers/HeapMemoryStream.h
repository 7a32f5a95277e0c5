// A memory stream whose buffer grows in 32 KB steps: stream contents grow by many small
// appends.
#pragma once

#include <cstdint>

#include "platform/rtl/Streams.h"

class THeapMemoryStream : public TMemoryStream {
 public:
  std::int64_t Write(const void* buffer, std::int64_t count) override;

  std::int64_t Capacity() const { return capacity_; }
  // A request equal to the size changes nothing; any other positive one is rounded up to
  // a multiple of 32 KB and only ever grows the buffer; 0 frees it (and empties the
  // stream). Raises EStreamError "THeapMemoryStream" when memory cannot be had.
  void SetCapacity(std::int64_t capacity);

  static constexpr std::int64_t kGrowth = 32768;

 private:
  std::int64_t capacity_ = 0;
};
