// Commands run through /bin/sh with their input, exit code and both outputs.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/Process.h"

namespace {

TEST(RunCommand, ExitCodeAndOutputs) {
  TCommandResult merged = RunCommand("echo out; echo err >&2; echo again; exit 3");
  EXPECT_EQ(merged.ExitCode, 3);
  EXPECT_EQ(merged.Output, "out\nerr\nagain\n");
  EXPECT_EQ(merged.Errors, "");
  TCommandResult separate = RunCommand("echo out; echo err >&2", {}, TErrorOutput::Separate);
  EXPECT_EQ(separate.ExitCode, 0);
  EXPECT_EQ(separate.Output, "out\n");
  EXPECT_EQ(separate.Errors, "err\n");
  EXPECT_EQ(RunCommand("kill -9 $$").ExitCode, -1);
}

// More input and output than a pipe holds, both ways at once: nothing waits for the other.
TEST(RunCommand, LargeInputAndOutputFlowTogether) {
  std::string input;
  for (int i = 0; i < 200000; ++i) input += std::to_string(i) + "\n";
  TCommandResult r = RunCommand("cat; cat >&2 < /dev/null", input);
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Output, input);
}

TEST(RunCommand, ACommandThatStopsReadingEndsNormally) {
  TCommandResult r = RunCommand("head -c 5", std::string(1 << 20, 'x'));
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Output, "xxxxx");
}

TEST(RunTool, RaisesWithTheErrorsOfAFailingTool) {
  EXPECT_EQ(RunTool("tr a-z A-Z", "abc"), "ABC");
  try {
    RunTool("echo broken >&2; exit 2");
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("exit code 2: broken"), std::string::npos) << e.what();
  }
}

TEST(ShellQuote, ArgumentsReachTheCommandUnchanged) {
  for (std::string text : {"plain", "it's", "'", "$HOME `x` \"q\" \\ ; |", ""})
    EXPECT_EQ(RunTool("printf %s " + ShellQuote(text)), text) << text;
}

}  // namespace
