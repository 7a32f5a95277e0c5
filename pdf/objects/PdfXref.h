// The registry that numbers indirect objects and writes the cross-reference section, and
// the trailer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pdf/objects/PdfContainers.h"

class TPdfObjectMgr {
 public:
  virtual ~TPdfObjectMgr() = default;
  virtual void AddObject(TPdfObject* object) = 0;
  virtual TPdfObject* GetObject(int32_t number) const = 0;
};

struct TPdfXrefEntry {
  char EntryType = 'n';  // 'n' in use, 'f' the free entry 0
  int64_t ByteOffset = -1;
  int32_t GenerationNumber = 0;
  std::unique_ptr<TPdfObject> Value;
};

class TPdfXref : public TPdfObjectMgr {
 public:
  TPdfXref();
  // Takes the object into the registry (which owns it from now on) and numbers it with
  // its entry's index. Null or an object that already has a number raises
  // EPdfInvalidOperation "AddObject" (and the registry takes nothing).
  void AddObject(TPdfObject* object) override;
  // The object of that number, or null (entry 0 and numbers outside the list).
  TPdfObject* GetObject(int32_t number) const override;

  // Makes and registers an object.
  template <class T, class... Args>
  T* Add(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    AddObject(object.get());
    return object.release();
  }

  int ItemCount() const { return static_cast<int>(entries_.size()); }
  TPdfXrefEntry& Entry(int index) { return entries_.at(static_cast<size_t>(index)); }

  // "xref\n0 <count>\n" and one 20-byte line per entry.
  void WriteTo(TPdfWrite& w) const;

 private:
  std::vector<TPdfXrefEntry> entries_;
};

class TPdfTrailer {
 public:
  explicit TPdfTrailer(TPdfObjectMgr* objectMgr);
  TPdfDictionary Attributes;
  int64_t XrefAddress = 0;
  // "trailer\n" dictionary "\nstartxref\n" address "\n%%EOF\n"
  void WriteTo(TPdfWrite& w) const;
};
