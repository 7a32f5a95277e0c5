// The Qt backend for tests of the document, made where the document's headers are not
// seen (Qt's platform headers and the style property names share names).
#pragma once

#include <memory>

#include "platform/ui/Backend.h"

std::unique_ptr<TUiBackend> MakeQtBackendForTests();
