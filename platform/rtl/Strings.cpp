#include "platform/rtl/Strings.h"

#include "platform/rtl/Compare.h"
#include "platform/rtl/ListErrors.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextFiles.h"

void TStrings::Put(int index, const String& s) {
  void* object = GetObject(index);
  TUpdateScope update(*this);
  Delete(index);
  InsertObject(index, s, object);
}

void* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, void*) {}

void TStrings::InsertObject(int index, const String& s, void* object) {
  Insert(index, s);
  PutObject(index, object);
}

int TStrings::Add(const String& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const String& s, void* object) {
  const int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& strings) {
  const int n = strings.Count();
  std::vector<TStringItem> items;
  items.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) items.push_back({strings.Get(i), strings.GetObject(i)});
  TUpdateScope update(*this);
  AddItems(std::move(items));
}

void TStrings::AddItems(std::vector<TStringItem>&& items) {
  for (auto& item : items) AddObject(item.text, item.object);
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  TUpdateScope update(*this);
  Clear();
  Delimiter = source.Delimiter;
  QuoteChar = source.QuoteChar;
  NameValueSeparator = source.NameValueSeparator;
  StrictDelimiter = source.StrictDelimiter;
  AddStrings(source);
}

void TStrings::Exchange(int index1, int index2) {
  TUpdateScope update(*this);
  const String s1 = Get(index1);
  void* o1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s1);
  PutObject(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  // Checked first, so that a bad target does not lose the line taken out.
  if (newIndex < 0 || newIndex >= Count()) ListIndexError(newIndex);
  TUpdateScope update(*this);
  const String s = Get(curIndex);
  void* object = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
}

int TStrings::IndexOf(const String& s) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    const String line = Get(i);
    const size_t at = line.find(NameValueSeparator);
    if (at != String::npos && CompareStrings(line.substr(0, at), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const void* object) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

String TStrings::Names(int index) const {
  const String line = Get(index);
  const size_t at = line.find(NameValueSeparator);
  return at == String::npos ? String() : line.substr(0, at);
}

String TStrings::Values(const String& name) const {
  const int index = IndexOfName(name);
  return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValue(const String& name, const String& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const String line = name + NameValueSeparator + value;
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

String TStrings::ValueFromIndex(int index) const {
  if (index < 0) return {};
  const String line = Get(index);
  const size_t at = line.find(NameValueSeparator);
  return at == String::npos ? String() : line.substr(at + 1);
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const String& a, const String& b) const {
  return a == b ? 0 : AnsiCompareText(a, b);
}

void TStrings::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::LoadFromStream(TStream& stream) {
  const std::int64_t size = stream.Size() - stream.Position();
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  SetText(DecodeTextFileBytes(bytes));
}

void TStrings::SaveToFile(const String& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string bytes = EncodeTextFileBytes(Text());
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}
