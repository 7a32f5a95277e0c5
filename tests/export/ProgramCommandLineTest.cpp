// The program run as a script runs it: unattended conversions on a machine without a
// display, their exit codes and what they write on standard error.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

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

// A display number where no X server runs.
std::string FreeDisplay() {
  for (int n = 900;; ++n) {
    const std::string number = std::to_string(n);
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + number) && !std::filesystem::exists("/tmp/.X" + number + "-lock"))
      return ":" + number;
  }
}

// A start that opens the windows where Qt can open no display (none named, one named where
// no server runs, a platform whose display is missing): a plain message and exit code 1, not
// Qt's abort and its English advice to reinstall.
TEST(ProgramCommandLine, WindowsWithoutADisplayEndWithAMessageAndExitCodeOne) {
  const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
  const std::pair<std::string, std::string> starts[] = {
      {noDisplay, ""},
      {noDisplay, "notes.txt"},
      {noDisplay, "-platform xcb"},
      {noDisplay + " QT_QPA_PLATFORM=wayland", ""},
      {"env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=" + FreeDisplay(), ""},
      {noDisplay, "-display " + FreeDisplay()},
  };
  for (const auto& [environment, args] : starts) {
    SCOPED_TRACE(environment + " wendrel " + args);
    TTempDirectory home;
    home.WriteFile("notes.txt", "not a page");
    TCommandResult r = RunCommand("cd " + ShellQuote(home.Path()) + " && " + environment + " WENDREL_HOME=" +
                                      ShellQuote(home.Path()) + " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " " + args,
                                  {}, TErrorOutput::Separate);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Output, "");
    EXPECT_EQ(r.Errors,
              "wendrel: there is no display to show the windows on (none is named, or it cannot be opened).\n"
              "To convert an HTML file without windows: wendrel page.html [out.pdf]\n");
    EXPECT_FALSE(home.Exists("wendrel.ini"));
  }
}

// Every way Qt finds its display works: here the -display argument with DISPLAY unset, on
// an X server of the test's own (Xvfb). The main window appears on it.
TEST(ProgramCommandLine, WindowsOpenOnTheDisplayNamedByTheDisplayArgument) {
  TTempDirectory home;
  const std::string script = R"sh(
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>display 2>/dev/null & xvfb=$!
    i=0; while [ ! -s display ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done
    n=":$(cat display)"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM WENDREL_HOME="$PWD" "$WENDREL" -display "$n" 2>errors & app=$!
    shown=no; i=0
    while [ $i -lt 600 ] && kill -0 $app 2>/dev/null; do
      if xwininfo -display "$n" -root -tree 2>/dev/null | grep -q 'tarnwick wendrel'; then shown=yes; break; fi
      sleep 0.1; i=$((i+1))
    done
    kill $app 2>/dev/null; wait $app 2>/dev/null
    kill $xvfb; wait $xvfb 2>/dev/null
    echo "$shown"; cat errors)sh";
  TCommandResult r = RunCommand("cd " + ShellQuote(home.Path()) + " && WENDREL=" + ShellQuote(WENDREL_BUILD_DIR "/wendrel") +
                                    " sh -c " + ShellQuote(script),
                                {}, TErrorOutput::Separate);
  EXPECT_EQ(r.Output.substr(0, 4), "yes\n") << r.Output << r.Errors;
}

// Arguments the command line does not know: the reason and the usage on standard error,
// exit code 2, and nothing written: no PDF (an existing one keeps its bytes), no file named
// after an option, no settings.
TEST(ProgramCommandLine, ArgumentsItDoesNotKnowAreRefusedWithTheUsageAndExitTwo) {
  struct Case {
    const char* args;
    const char* why;
  };
  const Case cases[] = {
      {"page.html out.pdf extra", "too many arguments: \"extra\" and what follows it"},
      {"/silent page.html", "too many arguments: \"page.html\""},
      {"notes.txt page.html", "too many arguments: \"page.html\""},
      {"page.html --landscape", "unknown option \"--landscape\"."},
      {"--quiet page.html", "unknown option \"--quiet\"."},
      {"--version", "unknown option \"--version\"."},
      {"-silent", "unknown option \"-silent\"."},
      {"page.html -platform", "the option \"-platform\" needs a value."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    TTempDirectory home;
    home.WriteFile("page.html", "<p>Hello</p>");
    home.WriteFile("notes.txt", "not a page");
    home.WriteFile("page.pdf", "an older PDF");
    TCommandResult r = RunWendrel(home, c.args);
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Output, "");
    EXPECT_TRUE(r.Errors.starts_with(std::string("wendrel: ") + c.why)) << r.Errors;
    EXPECT_NE(r.Errors.find("\nUsage: wendrel page.html [out.pdf]"), std::string::npos) << r.Errors;
    EXPECT_EQ(home.ReadFile("page.pdf"), "an older PDF");
    for (const char* never : {"out.pdf", "--landscape", "extra", "wendrel.ini"}) EXPECT_FALSE(home.Exists(never)) << never;
  }
}

TEST(ProgramCommandLine, HelpPrintsTheUsageWithTheExitCodesAndDoesNothingElse) {
  for (const char* args : {"--help", "page.html --help"}) {
    SCOPED_TRACE(args);
    TTempDirectory home;
    home.WriteFile("page.html", "<p>Hello</p>");
    TCommandResult r = RunWendrel(home, args);
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Errors, "");
    EXPECT_TRUE(r.Output.starts_with("Usage: wendrel page.html [out.pdf]")) << r.Output;
    EXPECT_NE(r.Output.find("Exit codes: 0 the PDF was written, 1 it was not"), std::string::npos) << r.Output;
    EXPECT_FALSE(home.Exists("page.pdf"));
    EXPECT_FALSE(home.Exists("wendrel.ini"));
  }
}

}  // namespace
