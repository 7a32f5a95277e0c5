// File dialogs. Filter pairs a description with patterns: "CSV-Tabellen|*.csv|Alle|*.*".
#pragma once

#include <vector>

#include "platform/ui/Component.h"

struct TFileFilter {
  String Description;
  String Patterns;  // separated by ";"
};

// The description and pattern pairs of a filter; a trailing description without patterns
// is dropped.
std::vector<TFileFilter> ParseFileFilter(const String& filter);

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner);

  String Filter;
  int FilterIndex = 1;  // 1-based, as the window system counts
  String FileName;
  String DefaultExt;  // with or without the leading "."
  String InitialDir;
  String Title;

  // Shows the dialog; true when the user chose a file (then in FileName).
  virtual bool Execute();
  std::vector<TFileFilter> FilterList() const { return ParseFileFilter(Filter); }
  // The name with DefaultExt appended when it has no extension of its own.
  String WithDefaultExt(const String& name) const;
  // The folder the dialog opens in: InitialDir, else the folder FileName names, else the
  // program folder (never the process's working folder). The program folder also stands
  // in for a folder on a pseudo file system (/proc, /sys, /dev, ...).
  String StartFolder() const;
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;
  bool Execute() override;
};
