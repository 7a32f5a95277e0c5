#include "platform/rtl/Compare.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Unicode.h"
#include "platform/rtl/WholeFileWrite.h"

namespace {

// A section name reads back as itself when it is not empty, has no blank at either end
// and holds no line break.
bool StorableSection(const String& name) { return !name.empty() && IniValueStorable(name); }

// A key name also holds no "=" and does not start like a comment or a section.
bool StorableKey(const String& name) {
  return StorableSection(name) && name.find(u'=') == String::npos && name.front() != u';' && name.front() != u'[';
}

}  // namespace

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) {
  if (fileName.empty() || !FileExists(fileName)) return;
  TStringList lines;
  lines.LoadFromFile(fileName);
  SetStrings(lines);
}

const TMemIniFile::Section* TMemIniFile::FindSection(const String& name) const {
  for (const Section& section : sections_)
    if (section.name == name || AnsiSameText(section.name, name)) return &section;
  return nullptr;
}

TStringList& TMemIniFile::AddSection(const String& name) {
  if (const Section* found = FindSection(name)) return *found->lines;
  sections_.push_back({name, std::make_unique<TStringList>()});
  return *sections_.back().lines;
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  Clear();
  TStringList* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = Trim(lines[i]);
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[' && line.back() == u']') {
      current = &AddSection(Trim(line.substr(1, line.size() - 2)));
    } else if (current != nullptr) {
      const size_t at = line.find(u'=');
      current->Add(at == String::npos ? line
                                      : Trim(line.substr(0, at)) + u'=' + Trim(line.substr(at + 1)));
    }
  }
}

void TMemIniFile::GetStrings(TStrings& lines) const {
  TUpdateScope update(lines);
  lines.Clear();
  for (const Section& section : sections_) {
    lines.Add(u'[' + section.name + u']');
    lines.AddStrings(*section.lines);
    lines.Add({});
  }
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& fallback) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return fallback;
  const int index = found->lines->IndexOfName(ident);
  return index < 0 ? fallback : found->lines->ValueFromIndex(index);
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  if (!IniValueStorable(value))
    throw EIniFileException(u"[" + section + u"] " + ident + S(": der Wert lässt sich nicht als eine Zeile in ") +
                            FileName() + S(" speichern."));
  if (!StorableSection(section) || !StorableKey(ident))
    throw EIniFileException(u"[" + section + u"] " + ident + S(": ungültiger Name für ") + FileName() + u".");
  TStringList& lines = AddSection(section);
  const int index = lines.IndexOfName(ident);
  const String line = ident + u'=' + value;
  if (index < 0)
    lines.Add(line);
  else
    lines.Put(index, line);
}

void TMemIniFile::ReadSection(const String& section, TStrings& keys) const {
  TUpdateScope update(keys);
  keys.Clear();
  const Section* found = FindSection(section);
  if (found == nullptr) return;
  for (int i = 0; i < found->lines->Count(); ++i)
    if (found->lines->Get(i).find(u'=') != String::npos) keys.Add(found->lines->Names(i));
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  TUpdateScope update(sections);
  sections.Clear();
  for (const Section& section : sections_) sections.Add(section.name);
}

bool TMemIniFile::SectionExists(const String& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const String& section, const String& ident) const {
  const Section* found = FindSection(section);
  return found != nullptr && found->lines->IndexOfName(ident) >= 0;
}

void TMemIniFile::EraseSection(const String& section) {
  std::erase_if(sections_, [&](const Section& s) { return AnsiSameText(s.name, section); });
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
  const Section* found = FindSection(section);
  if (found == nullptr) return;
  const int index = found->lines->IndexOfName(ident);
  if (index >= 0) found->lines->Delete(index);
}

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(lines);
  WriteWholeFile(FileName(), [&lines](TStream& file) { lines.SaveToStream(file); });
}
