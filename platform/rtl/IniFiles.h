// Ini files: sections of "key=value" lines.
//
// Section and key names compare case-insensitively (German collation, as line lists do).
// Typed values are text: integers in decimal (a "0x" prefix reads as hexadecimal),
// Booleans as "1" and "0" (any non-zero integer reads as true), floats with "." in their
// shortest exact form; a float is read with "." or "," as decimal separator, so that a
// settings file reads the same under every locale. A value that does not convert to its
// type reads as the default.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Types.h"

WENDREL_DECLARE_EXCEPTION(EIniFileException, Exception);

// True when the value, written as "key=value", reads back from the file as the same one
// value: it holds no line break (which would add lines, sections or keys to the file), has
// no blank or control character at either end (reading trims them) and nothing the
// file's text cannot hold (a lone surrogate, such as a byte of a file name that is not
// UTF-8). WriteString refuses any other value.
bool IniValueStorable(const String& value);

class TCustomIniFile {
 public:
  explicit TCustomIniFile(String fileName) : fileName_(std::move(fileName)) {}
  virtual ~TCustomIniFile() = default;
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;

  const String& FileName() const { return fileName_; }

  virtual String ReadString(const String& section, const String& ident, const String& fallback) const = 0;
  // Raises EIniFileException for a value that IniValueStorable refuses, and for a section
  // or key name that would not read back as itself; the file then stays as it was.
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  int ReadInteger(const String& section, const String& ident, int fallback) const;
  void WriteInteger(const String& section, const String& ident, int value);
  bool ReadBool(const String& section, const String& ident, bool fallback) const;
  void WriteBool(const String& section, const String& ident, bool value);
  double ReadFloat(const String& section, const String& ident, double fallback) const;
  void WriteFloat(const String& section, const String& ident, double value);

  // Replace the list's lines with the keys of a section / the names of all sections.
  virtual void ReadSection(const String& section, TStrings& keys) const = 0;
  virtual void ReadSections(TStrings& sections) const = 0;
  // True when the file has the section, also when it is empty.
  virtual bool SectionExists(const String& section) const = 0;
  virtual bool ValueExists(const String& section, const String& ident) const = 0;
  virtual void EraseSection(const String& section) = 0;
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  // Writes the settings to the file.
  virtual void UpdateFile() = 0;

 private:
  String fileName_;
};

// Parses a float written with "." or "," as decimal separator (blanks around it and a
// leading sign allowed); false for anything else, infinities and NaN included.
bool TryParseIniFloat(const String& text, double& value);
// The shortest text with "." that reads back as exactly the same double.
String FormatIniFloat(double value);

// Holds the whole file in memory: the constructor reads it (when it exists), UpdateFile
// writes it back through the text-file rule with WriteWholeFile (raising EFileWriteError),
// nothing is written otherwise.
//
// Reading: lines are trimmed; empty lines and lines starting with ";" are skipped; a line
// "[name]" starts a section (a section that appears twice is one section); blanks around
// the first "=" are dropped; lines before the first section are ignored. Writing: each
// section as "[name]", its lines, and an empty line.
class TMemIniFile : public TCustomIniFile {
 public:
  explicit TMemIniFile(const String& fileName);

  String ReadString(const String& section, const String& ident, const String& fallback) const override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  bool SectionExists(const String& section) const override;
  bool ValueExists(const String& section, const String& ident) const override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override;

  // The file's lines as UpdateFile would write them; SetStrings replaces all settings.
  void GetStrings(TStrings& lines) const;
  void SetStrings(const TStrings& lines);
  void Clear() { sections_.clear(); }

 private:
  struct Section {
    String name;
    std::unique_ptr<TStringList> lines;  // "key=value"
  };
  const Section* FindSection(const String& name) const;
  TStringList& AddSection(const String& name);

  std::vector<Section> sections_;
};
