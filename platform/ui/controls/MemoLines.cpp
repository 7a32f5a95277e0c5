#include "platform/ui/controls/MemoLines.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextFiles.h"
#include "platform/rtl/Unicode.h"

TMemoLines::TMemoLines(std::function<void()> changed) : changed_(std::move(changed)) {}

int TMemoLines::Count() const {
  int n = static_cast<int>(lines_.size());
  return lines_.back().empty() ? n - 1 : n;
}

String TMemoLines::Get(int index) const {
  if (index < 0 || index >= static_cast<int>(lines_.size())) return String();
  return lines_[index];
}

const String& TMemoLines::Line(int index) const {
  CheckIndex(index, Count() - 1);
  return lines_[index];
}

void TMemoLines::SetLines(std::vector<String> lines) {
  lines_ = std::move(lines);
  lines_.emplace_back();
  Changed();
}

void TMemoLines::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit)
    throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
}

void TMemoLines::Put(int index, const String& s) {
  CheckIndex(index, Count() - 1);
  lines_[index] = s;
  Changed();
}

void TMemoLines::Insert(int index, const String& s) {
  CheckIndex(index, Count());
  if (index < static_cast<int>(lines_.size())) {
    // Before an existing line (the empty last one included): the line and a break.
    lines_.insert(lines_.begin() + index, s);
  } else {
    // After a last line without a break: a break and the line.
    lines_.push_back(s);
  }
  Changed();
}

int TMemoLines::Add(const String& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

void TMemoLines::Delete(int index) {
  CheckIndex(index, Count() - 1);
  if (index + 1 < static_cast<int>(lines_.size()))
    lines_.erase(lines_.begin() + index);
  else
    lines_[index].clear();  // the last line without a break: the break before it stays
  Changed();
}

void TMemoLines::Clear() {
  lines_.assign(1, String());
  Changed();
}

void TMemoLines::AddItems(std::vector<TStringItem>&& items) {
  if (items.empty()) return;
  // As Add line by line: a text that ends with a break keeps ending with one; lines added
  // after a last line without a break go on without one.
  bool endsWithBreak = lines_.back().empty();
  if (endsWithBreak) lines_.pop_back();
  lines_.reserve(lines_.size() + items.size() + 1);
  for (auto& item : items) lines_.push_back(std::move(item.text));
  if (endsWithBreak) lines_.emplace_back();
  Changed();
}

String TMemoLines::Text() const {
  String text;
  text.reserve(TextLength());
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) text += u"\r\n";
    text += lines_[i];
  }
  return text;
}

void TMemoLines::SetText(const String& text) {
  size_t breaks = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) ++breaks;
  std::vector<String> lines;
  lines.reserve(breaks + 1);
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  lines_ = std::move(lines);
  Changed();
}

void TMemoLines::SetTextOf(const TMemoLines& source) {
  if (&source == this) return;
  for (const String& line : source.lines_)
    if (line.find_first_of(u"\r\n") != String::npos) {
      SetText(source.Text());  // a line holding a break becomes two
      return;
    }
  lines_ = source.lines_;
  Changed();
}

size_t TMemoLines::TextLength() const {
  size_t size = 2 * (lines_.size() - 1);
  for (const String& line : lines_) size += line.size();
  return size;
}

void TMemoLines::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoLines::LoadFromStream(TStream& stream) {
  const std::int64_t size = stream.Size() - stream.Position();
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  SetText(DecodeTextFileBytes(bytes));
}

void TMemoLines::SaveToFile(const String& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TMemoLines::SaveToStream(TStream& stream) const {
  const std::string bytes = EncodeTextFileBytes(Text());
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TMemoLines::SetUpdateState(bool updating) {
  if (!updating && pending_) {
    pending_ = false;
    changed_();
  }
}

void TMemoLines::Changed() {
  if (UpdateCount() > 0)
    pending_ = true;
  else
    changed_();
}
