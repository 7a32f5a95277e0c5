// The kinds of document that file names stand for, by their extension.
#pragma once

#include "html/document/viewer/ViewerEvents.h"

// The document kind of a file name's extension (ignoring case); OtherType when the
// extension is none of the known ones.
THtmlFileType GetFileType(const String& FileName);
// An address of another protocol than file: ("http://host/page.html"): the viewer takes it
// as it stands and never reads it.
bool IsRemoteAddress(const String& Name);
