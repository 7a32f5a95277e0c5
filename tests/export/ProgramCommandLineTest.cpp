// The program run as a script runs it: unattended conversions on a machine without a
// display, their exit codes and what they write on standard error.
#include <gtest/gtest.h>

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

// Runs the program in `home` (its program folder and working folder) with no display at
// all: an X or Wayland connection or a Qt platform plugin would fail it.
TCommandResult RunWendrel(const TTempDirectory& home, const std::string& args) {
  return RunCommand("cd " + ShellQuote(home.Path()) + " && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb WENDREL_HOME=" +
                        ShellQuote(home.Path()) + " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " " + args,
                    {}, TErrorOutput::Separate);
}

TEST(ProgramCommandLine, SilentWithoutStoredFilesFailsOnStandardErrorAndKeepsTheSettings) {
  TTempDirectory home;
  TCommandResult r = RunWendrel(home, "/SILENT");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_EQ(r.Output, "");
  EXPECT_EQ(r.Errors, "No HTML file to convert: the settings file \"" + home.PathOf("wendrel.ini") + "\" names none.\n");
  EXPECT_NE(home.ReadFile("wendrel.ini").find("[Margins]\r\nLeft=1\r\n"), std::string::npos);
}

}  // namespace
