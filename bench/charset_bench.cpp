// Decoding 50 MB of UTF-8, windows-1252 and Shift_JIS text through the HTML input buffer
// (one virtual call per character, as the parser reads), next to glibc's iconv decoding the
// same bytes to UTF-16 in one call. Throughput is in bytes of input per second.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "html/foundation/charsets/Buffer.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr size_t kSize = 50u << 20;

std::string Utf8Source(int kind) {
  switch (kind) {
    case 0:  // mostly ASCII with some accents, as a Western page
      return "<p class=\"text\">Grüße aus Köln – the café’s menu costs 5 € today.</p>\r\n";
    default:  // Japanese text with markup
      return "<p>吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。</p>\n";
  }
}

std::string Encode(const std::string& utf8, const char* encoding) {
  iconv_t cd = iconv_open(encoding, "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t il = utf8.size();
  char* op = out.data();
  size_t ol = out.size();
  iconv(cd, &in, &il, &op, &ol);
  iconv_close(cd);
  out.resize(out.size() - ol);
  return out;
}

// 50 MB of the text in an encoding.
const std::string& Input(int codePage) {
  static std::string inputs[3];
  int i = codePage == 65001 ? 0 : codePage == 1252 ? 1 : 2;
  if (inputs[i].empty()) {
    std::string unit = codePage == 65001 ? Utf8Source(0)
                       : codePage == 1252 ? Encode(Utf8Source(0), "CP1252")
                                          : Encode(Utf8Source(1), "CP932");
    while (inputs[i].size() < kSize) inputs[i] += unit;
  }
  return inputs[i];
}

void Ours(benchmark::State& state) {
  int codePage = static_cast<int>(state.range(0));
  TStringStream stream(Input(codePage));
  auto buffer = TBuffer::CreateFromStream(stream, u"bench");
  buffer->SwitchCodePage(codePage);
  for (auto _ : state) {
    buffer->SeekOffset(0);
    uint32_t sum = 0;
    for (Char c = buffer->ReadChar(); c != 0; c = buffer->ReadChar()) sum += c;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Input(codePage).size()));
}

void Iconv(benchmark::State& state) {
  int codePage = static_cast<int>(state.range(0));
  const char* name = codePage == 65001 ? "UTF-8" : codePage == 1252 ? "CP1252" : "CP932";
  const std::string& input = Input(codePage);
  std::vector<char> out(input.size() * 2 + 16);
  iconv_t cd = iconv_open("UTF-16LE", name);
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    size_t il = input.size();
    char* op = out.data();
    size_t ol = out.size();
    iconv(cd, &in, &il, &op, &ol);
    benchmark::DoNotOptimize(out.data());
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}

}  // namespace

BENCHMARK(Ours)->Arg(65001)->Arg(1252)->Arg(932)->Unit(benchmark::kMillisecond);
BENCHMARK(Iconv)->Arg(65001)->Arg(1252)->Arg(932)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
