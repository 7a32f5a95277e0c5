// TStrings: the abstract line list. A memo's lines, a grid's rows and columns, a combo
// box's items and TStringList all are TStrings; a derived class supplies the storage
// (Count, Get, Insert, Delete, Clear and, if it keeps them, objects) and everything else
// here works through those.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

class TStream;

// One line with the opaque pointer a list keeps beside it.
struct TStringItem {
  String text;
  void* object = nullptr;
};

class TStrings {
 public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  // Storage.
  virtual int Count() const = 0;
  virtual String Get(int index) const = 0;
  // Replaces a line and keeps its object. The default deletes and inserts.
  virtual void Put(int index, const String& s);
  // Lists without objects give null and ignore PutObject.
  virtual void* GetObject(int index) const;
  virtual void PutObject(int index, void* object);
  virtual void Insert(int index, const String& s) = 0;
  virtual void InsertObject(int index, const String& s, void* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  String operator[](int index) const { return Get(index); }
  String Strings(int index) const { return Get(index); }
  void* Objects(int index) const { return GetObject(index); }

  // Appends (a sorted list places the line instead) and returns the line's index.
  virtual int Add(const String& s);
  virtual int AddObject(const String& s, void* object);
  void AddStrings(const TStrings& strings);
  // Copies the lines, objects and the separator settings of another list.
  virtual void Assign(const TStrings& source);
  virtual void Exchange(int index1, int index2);
  // Takes the line at curIndex out and puts it in at newIndex.
  virtual void Move(int curIndex, int newIndex);

  // First line equal to s by CompareStrings (case-insensitive unless the list says
  // otherwise), or -1.
  virtual int IndexOf(const String& s) const;
  // First line "name=value" whose name equals name by CompareStrings, or -1.
  int IndexOfName(const String& name) const;
  int IndexOfObject(const void* object) const;

  // Every line followed by CR LF.
  virtual String Text() const;
  // Splits at CR LF, LF or CR (LF CR is two breaks). A break at the very end does not
  // start another line: "a\r\nb\r\n" is two lines, "a\r\n\r\n" is "a" and "", "" none.
  virtual void SetText(const String& text);

  // The lines joined by Delimiter. A line that holds the quote character, the delimiter
  // or (unless StrictDelimiter) a blank or control character is quoted, with inner
  // quotes doubled. A single empty line gives two quotes.
  String DelimitedText() const;
  // Replaces the lines by the parts of text: quoted parts lose their quotes (doubled
  // quotes become one); without StrictDelimiter blanks and control characters also
  // separate parts and are skipped around them; a delimiter at the end adds an empty line.
  void SetDelimitedText(const String& text);
  // DelimitedText with "," and '"' whatever Delimiter and QuoteChar are.
  String CommaText() const;
  void SetCommaText(const String& text);

  // "name=value" lines (NameValueSeparator). A line without separator has no name.
  String Names(int index) const;
  String Values(const String& name) const;
  // Sets the value of the first line of that name, adding one when there is none; an
  // empty value deletes the line.
  void SetValue(const String& name, const String& value);
  // The text after the first separator of a line; empty when it has none.
  String ValueFromIndex(int index) const;

  Char Delimiter = u',';
  Char QuoteChar = u'"';
  Char NameValueSeparator = u'=';
  bool StrictDelimiter = false;

  // Brackets a batch of changes: a list that notifies about changes does so once, at
  // the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Text files and streams by the rule of TextFiles.h. Loading reads from the stream's
  // position to its end.
  void LoadFromFile(const String& fileName);
  virtual void LoadFromStream(TStream& stream);
  void SaveToFile(const String& fileName) const;
  virtual void SaveToStream(TStream& stream) const;

  // <0, 0, >0. By default AnsiCompareText: case-insensitive, German collation.
  virtual int CompareStrings(const String& a, const String& b) const;

 protected:
  // Called with true when the first BeginUpdate starts a batch and with false when the
  // last EndUpdate ends it.
  virtual void SetUpdateState(bool updating);
  // Appends many lines at once; a list with fast storage overrides this.
  virtual void AddItems(std::vector<TStringItem>&& items);

 private:
  int updateCount_ = 0;
};

// BeginUpdate for the lifetime of the object, EndUpdate when it goes, also when an
// exception passes.
class TUpdateScope {
 public:
  explicit TUpdateScope(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
  ~TUpdateScope() noexcept(false) { strings_.EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TStrings& strings_;
};
