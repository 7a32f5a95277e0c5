#include "pdf/document/PdfEnvironment.h"

#include <chrono>
#include <ctime>
#include <memory>
#include <random>

#include "platform/gdi/fonts/FontResolver.h"
#include "pdf/helpers/DateParts.h"

namespace {

TDateTime LocalNow() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  TDateParts p{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
               local.tm_sec > 59 ? 59 : local.tm_sec};
  TDateTime value = 0;
  TryEncodeDateParts(p, value);
  return value;
}

}  // namespace

TPdfEnvironment DefaultPdfEnvironment() {
  TPdfEnvironment env;
  env.Now = LocalNow;
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  env.Random31 = [engine] { return static_cast<uint32_t>((*engine)() & 0x7FFFFFFF); };
  env.TrueTypeFamilies = [] { return TrueTypeFontFamilies(); };
  return env;
}
