#include "pdf/helpers/HeapMemoryStream.h"

#include <new>
#include <stdexcept>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

void THeapMemoryStream::SetCapacity(std::int64_t capacity) {
  if (capacity <= 0) {
    if (capacity == 0) {
      Clear();
      std::string().swap(data_);
      capacity_ = 0;
    }
    return;
  }
  if (capacity == Size() || capacity <= Capacity()) return;
  std::int64_t rounded = (capacity + kGrowth - 1) / kGrowth * kGrowth;
  try {
    data_.reserve(static_cast<size_t>(rounded));
    capacity_ = rounded;
  } catch (const std::bad_alloc&) {
    throw EStreamError(S("THeapMemoryStream"));
  } catch (const std::length_error&) {
    throw EStreamError(S("THeapMemoryStream"));
  }
}

std::int64_t THeapMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count > 0) {
    std::int64_t end = Position() + count;
    if (end > Capacity()) SetCapacity(end);
  }
  return TMemoryStream::Write(buffer, count);
}
