// The lines of a memo, kept as a multi-line edit box keeps them: the text split at its
// line breaks, so there is always at least one (possibly empty) last line.
//  - Count leaves out an empty last line: "a\r\nb\r\n" has two lines, "" none.
//  - Get past the last line gives an empty string.
//  - Text is the memo's text as it stands (lines joined by CR LF, a break at the end only
//    when there is one); SaveToFile writes exactly that.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Strings.h"

class TMemoLines : public TStrings {
 public:
  explicit TMemoLines(std::function<void()> changed);

  int Count() const override;
  String Get(int index) const override;
  // Raises EListError past the last line.
  void Put(int index, const String& s) override;
  // A line at Count goes after the last one; past that EListError.
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const String& s) override;
  // The line at index (0 .. Count() - 1) itself, not a copy; EListError outside.
  const String& Line(int index) const;
  // The memo holds these lines, each ended by a break (as Clear and Add of each would).
  void SetLines(std::vector<String> lines);

  // The memo's text as it stands. These hide TStrings' versions (which add a break after
  // every line), so a file loaded and saved again keeps its last line as it was.
  String Text() const;
  void SetText(const String& text);
  // SetText(source.Text()) without joining and splitting the text again.
  void SetTextOf(const TMemoLines& source);
  // Text().size(), without making the text.
  size_t TextLength() const;
  void LoadFromFile(const String& fileName);
  void LoadFromStream(TStream& stream);
  void SaveToFile(const String& fileName) const;
  void SaveToStream(TStream& stream) const;

 protected:
  void SetUpdateState(bool updating) override;
  void AddItems(std::vector<TStringItem>&& items) override;

 private:
  void Changed();
  void CheckIndex(int index, int limit) const;

  std::vector<String> lines_{String()};
  std::function<void()> changed_;
  bool pending_ = false;
};
