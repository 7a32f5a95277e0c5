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

// A start that opens the windows, where there is no display and no Qt platform that needs
// none: a plain message and exit code 1, not Qt's abort.
TEST(ProgramCommandLine, WindowsWithoutADisplayEndWithAMessageAndExitCodeOne) {
  const char* const startsTheWindows[] = {"", "notes.txt", "-platform xcb"};
  for (const char* args : startsTheWindows) {
    SCOPED_TRACE(args);
    TTempDirectory home;
    home.WriteFile("notes.txt", "not a page");
    TCommandResult r = RunCommand("cd " + ShellQuote(home.Path()) +
                                      " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM WENDREL_HOME=" +
                                      ShellQuote(home.Path()) + " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " " + args,
                                  {}, TErrorOutput::Separate);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Output, "");
    EXPECT_EQ(r.Errors,
              "wendrel: there is no display to show the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
              "To convert an HTML file without windows: wendrel page.html [out.pdf]\n");
    EXPECT_FALSE(home.Exists("wendrel.ini"));
  }
}

}  // namespace
