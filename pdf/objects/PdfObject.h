// The PDF value classes: the object base with its number, references, null, numbers,
// reals, strings and names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

class TPdfWrite;

enum TPdfObjectType : uint8_t { otDirectObject = 0, otIndirectObject = 1, otVirtualObject = 2 };

class TPdfObject {
 public:
  TPdfObject() = default;
  virtual ~TPdfObject() = default;
  TPdfObject(const TPdfObject&) = delete;
  TPdfObject& operator=(const TPdfObject&) = delete;

  TPdfObjectType ObjectType() const { return objectType_; }
  int32_t ObjectNumber() const { return objectNumber_; }
  int32_t GenerationNumber() const { return generationNumber_; }
  bool IsDirect() const { return objectType_ == otDirectObject; }

  // Stores the number; the object becomes indirect for a number above 0, else direct.
  void SetObjectNumber(int32_t number);

  // The value itself for a direct object, else a reference ("12 0 R").
  void WriteTo(TPdfWrite& w) const;
  // The numbered body "n 0 obj\n" value "\nendobj\n"; only for an indirect object, any
  // other raises EPdfInvalidOperation "WriteValueTo".
  void WriteValueTo(TPdfWrite& w) const;
  virtual void WriteDirectTo(TPdfWrite& w) const;

 protected:
  TPdfObjectType objectType_ = otDirectObject;
  int32_t objectNumber_ = -1;
  int32_t generationNumber_ = 0;
};

// A reference to the indirect object of that number; always written as a reference.
class TPdfVirtualObject : public TPdfObject {
 public:
  explicit TPdfVirtualObject(int32_t number);
};

class TPdfNull : public TPdfObject {
 public:
  void WriteDirectTo(TPdfWrite& w) const override;
};

class TPdfNumber : public TPdfObject {
 public:
  explicit TPdfNumber(int64_t value) : Value(value) {}
  void WriteDirectTo(TPdfWrite& w) const override;
  int64_t Value;
};

class TPdfReal : public TPdfObject {
 public:
  explicit TPdfReal(double value) : Value(value) {}
  void WriteDirectTo(TPdfWrite& w) const override;
  double Value;
};

// A byte string in the document's code page, written as a literal string.
class TPdfText : public TPdfObject {
 public:
  explicit TPdfText(std::string value) : Value(std::move(value)) {}
  void WriteDirectTo(TPdfWrite& w) const override;
  std::string Value;
};

// Bytes copied to the output unchanged.
class TPdfRawText : public TPdfText {
 public:
  using TPdfText::TPdfText;
  void WriteDirectTo(TPdfWrite& w) const override;
};

// A name, held without its slash.
class TPdfName : public TPdfText {
 public:
  using TPdfText::TPdfText;
  void WriteDirectTo(TPdfWrite& w) const override;
};

// A UTF-8 text: a literal in code page 1252 when every character has its place there,
// else UTF-16 in hexadecimal with a byte-order mark.
class TPdfTextUTF8 : public TPdfObject {
 public:
  explicit TPdfTextUTF8(std::string utf8) : Value(std::move(utf8)) {}
  explicit TPdfTextUTF8(const String& text);
  void WriteDirectTo(TPdfWrite& w) const override;
  String ValueAsString() const;
  std::string Value;
};

class TPdfTextString : public TPdfTextUTF8 {
 public:
  using TPdfTextUTF8::TPdfTextUTF8;
};
