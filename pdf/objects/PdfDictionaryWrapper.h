// Base of the engine's objects that stand for one dictionary (fonts, the information
// dictionary, the catalog, outline entries). The dictionary itself belongs to the registry.
#pragma once

#include "pdf/objects/PdfContainers.h"

class TPdfDictionaryWrapper {
 public:
  virtual ~TPdfDictionaryWrapper() = default;
  virtual void AttachDictionary(TPdfDictionary* dictionary) { Dictionary = dictionary; }
  TPdfDictionary* Dictionary = nullptr;
};
