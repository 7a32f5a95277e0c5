#include "tests/html/document/forms/OffscreenBackend.h"

#include "platform/ui/qt/QtBackend.h"

namespace {
int argc = 1;
char arg0[] = "htmldocument_tests";
char* argv[] = {arg0, nullptr};
}  // namespace

std::unique_ptr<TUiBackend> MakeQtBackendForTests() { return std::make_unique<TQtBackend>(argc, argv); }
