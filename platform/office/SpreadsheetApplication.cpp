#include <spawn.h>
#include <cerrno>
#include <sys/wait.h>

#include "platform/office/Spreadsheet.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"

extern char** environ;

bool OpenWithDesktop(const String& fileName) {
  std::string path = StringToUtf8(fileName);
  char program[] = "xdg-open";
  char* argv[] = {program, path.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TSpreadsheetApplication::TSpreadsheetApplication() : Opener(OpenWithDesktop) {}

TWorkbook& TSpreadsheetApplication::WorkbooksAdd() {
  books_.push_back(std::make_unique<TWorkbook>());
  return *books_.back();
}

void TSpreadsheetApplication::SetVisible(bool value) {
  visible_ = value;
  if (!value) return;
  String folder = ProgramPath(u"\\export\\");
  ForceDirectories(folder);
  for (; written_ < books_.size(); ++written_) {
    String stamp = FormatDateTime(u"yyyymmdd_hhnnss", Now());
    String fileName = folder + stamp + u".xlsx";
    for (int n = 2; FileExists(fileName); ++n) fileName = folder + stamp + u"_" + IntToStr(n) + u".xlsx";
    books_[written_]->SaveAs(fileName);
    files_.push_back(fileName);
    if (!(Opener && Opener(fileName)) && OnNotOpened) OnNotOpened(fileName);
  }
}
