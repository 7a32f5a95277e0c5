#include "pdf/document/PdfEnvironment.h"

#include <memory>
#include <random>

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/rtl/Clock.h"

TPdfEnvironment DefaultPdfEnvironment() {
  TPdfEnvironment env;
  env.Now = [] { return Now(); };
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  env.Random31 = [engine] { return static_cast<uint32_t>((*engine)() & 0x7FFFFFFF); };
  env.TrueTypeFamilies = [] { return TrueTypeFontFamilies(); };
  env.FallbackFamily = FallbackFamilyForChar;
  return env;
}
