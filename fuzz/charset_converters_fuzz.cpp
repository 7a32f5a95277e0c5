// libFuzzer target over every converter of the HTML input buffer: the first two bytes pick
// a registry row (and with it the converter class), the rest is the document. The buffer
// is read to its end, with look-aheads and cuts between offsets on the way.
#include <cstddef>
#include <cstdint>
#include <string>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/charsets/ConverterRegistry.h"
#include "platform/rtl/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TBuffConvInfoList& infos = *ConverterInfos();
  int row = (data[0] | data[1] << 8) % infos.Count();
  int switchAt = data[1];
  TStringStream stream(std::string(reinterpret_cast<const char*>(data + 2), size - 2));
  auto buffer = TBuffer::CreateFromStream(stream, u"fuzz");
  int end = buffer->ContentSize();
  int steps = 0;
  while (buffer->ReadOffset() < end || buffer->HasPending()) {
    if (steps == switchAt) buffer->SwitchCodePage(infos[row].CodePage);
    Char peek = buffer->LookAhead();
    int before = buffer->ReadOffset();
    Char ch = buffer->ReadChar();
    if (ch != peek) __builtin_trap();
    if (ch >= 0xD800 && ch <= 0xDBFF && !buffer->HasPending() && buffer->CodePage() != 1200 &&
        buffer->CodePage() != 1201 && buffer->Converter()->PhysicalCodePage != 1200 &&
        buffer->Converter()->PhysicalCodePage != 1201)
      __builtin_trap();  // a high surrogate always comes with its low half
    if (steps % 7 == 0) buffer->TextBetween(before, buffer->ReadOffset() + 5);
    ++steps;
  }
  buffer->SwitchCodePage(infos[row].CodePage);
  buffer->SeekOffset(0);
  buffer->Converter()->RemainingText();
  return 0;
}
