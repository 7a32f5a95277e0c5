// The document information dictionary (Info): dates and text entries.
#pragma once

#include <string_view>

#include "pdf/objects/PdfDictionaryWrapper.h"
#include "platform/rtl/Types.h"

class TPdfInfo : public TPdfDictionaryWrapper {
 public:
  void SetCreationDate(TDateTime value);
  void SetModDate(TDateTime value);
  // The parsed entry; 0 when absent or not a date of the form "D:yyyymmddhhnnss".
  TDateTime CreationDate() const;
  TDateTime ModDate() const;

  // The text entries; empty when absent. Setting an empty text removes the entry.
  String Author() const { return Text("Author"); }
  String Creator() const { return Text("Creator"); }
  String Title() const { return Text("Title"); }
  String Subject() const { return Text("Subject"); }
  String Keywords() const { return Text("Keywords"); }
  String Producer() const { return Text("Producer"); }
  void SetAuthor(const String& v) { SetText("Author", v); }
  void SetCreator(const String& v) { SetText("Creator", v); }
  void SetTitle(const String& v) { SetText("Title", v); }
  void SetSubject(const String& v) { SetText("Subject", v); }
  void SetKeywords(const String& v) { SetText("Keywords", v); }

 private:
  String Text(std::string_view key) const;
  void SetText(std::string_view key, const String& value);
  TDateTime Date(std::string_view key) const;
};
