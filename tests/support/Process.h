// Running command-line tools from tests: a shell command line with its input on standard
// input, its exit code and what it wrote.
#pragma once

#include <string>

// Where the command's standard error goes.
enum class TErrorOutput {
  Merged,    // into Output, interleaved with standard output as the command wrote them
  Separate,  // into Errors
};

struct TCommandResult {
  int ExitCode = -1;   // -1 when the command did not end by itself (a signal)
  std::string Output;  // standard output (and standard error when merged)
  std::string Errors;  // standard error when kept separate
};

// Runs the command line with /bin/sh, with `input` on its standard input, and waits for it.
// Raises std::runtime_error when the shell cannot be started.
TCommandResult RunCommand(const std::string& commandLine, const std::string& input = {},
                          TErrorOutput errors = TErrorOutput::Merged);

// The standard output of a command that must succeed; raises std::runtime_error naming the
// command and its standard error when it exits with another code than 0.
std::string RunTool(const std::string& commandLine, const std::string& input = {});

// The text single-quoted for the shell.
std::string ShellQuote(const std::string& text);
