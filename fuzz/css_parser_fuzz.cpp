// libFuzzer target for the CSS parser: the first byte picks a linked sheet, the text of a
// STYLE element or a STYLE attribute; the rest is the style text (UTF-8 or any bytes).
// Sheets are then applied to a small element stack so that every stored key is matched.
#include <cstddef>
#include <cstdint>
#include <string>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "platform/rtl/Streams.h"

namespace {
struct FuzzStyleList : TStyleList {
  void NoteHoverRule(bool) override {}
};

void Push(TPropStack& stack, TStyleList& styles, const char16_t* tag, const char16_t* cls, const char16_t* pseudo) {
  auto props = std::make_unique<TProperties>(&stack, styles.QuirksMode);
  props->TakeParentValues(tag, *stack.TopProps());
  TProperties* p = stack.Add(std::move(props));
  p->ApplyStyleRules(styles, tag, stack.Count() - 1, nullptr, u"", pseudo, u"", cls);
  TVMarginArray values;
  TIntBoxArray box;
  int autos;
  ReadBoxValues(*p, values);
  ConvertBoxValues(values, 500, 300, box, autos, 4, 8, 16);
}
}  // namespace

// fontconfig keeps its configuration until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// The font layer's caches are filled before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzStyleList styles;
  styles.BuildDefaultSheet(u"Arial", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, true, 1252, 0, 8, 10);
  TPropStack stack;
  auto base = std::make_unique<TProperties>(&stack, false);
  base->CopyAll(*styles.DefaultProperties);
  stack.Add(std::move(base));
  Push(stack, styles, u"a", u"", u"link");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int mode = data[0] % 3;
  TStringStream stream(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  auto buffer = TBuffer::CreateFromStream(stream, u"fuzz.css");
  if (mode == 2) {
    TProperties props;
    ParseStyleBuffer(*buffer, props);
    return 0;
  }
  FuzzStyleList styles;
  styles.QuirksMode = (data[0] & 4) != 0;
  styles.BuildDefaultSheet(u"Arial", u"Courier New", 12, 0, 0xff0000, 0x800080, 0xff, true, 1252, 0, 8, 10);
  Char ch = 1;
  ParseStyleSheet(styles, ch, *buffer, styles.QuirksMode, mode == 0, u"http://example.test/css/");
  if (ch != 0 && ch != u'<') __builtin_trap();
  if (mode == 0 && ch != 0) __builtin_trap();  // a linked sheet is read to its end
  TPropStack stack;
  auto base = std::make_unique<TProperties>(&stack, styles.QuirksMode);
  base->CopyAll(*styles.DefaultProperties);
  stack.Add(std::move(base));
  Push(stack, styles, u"div", u"x.y", u"");
  Push(stack, styles, u"ul", u"", u"");
  Push(stack, styles, u"li", u"x", u"");
  Push(stack, styles, u"a", u"", u"link");
  return 0;
}
