// The real-HTML corpus of the tests (tests/fixtures/html-corpus/files.txt): Debian's
// documentation files, each with its checksum, its package, the selectors of what its style
// sheets hide and the word agreement it reaches.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

struct TCorpusFile {
  std::string Sha256;
  std::string Package;
  std::string Path;
  double MinAgreement = 0.99;
  double MinPdfWords = 0.99;        // of the shown words that the PDF must hold
  std::vector<std::string> Hidden;  // selectors of what the page's style sheets hide at 800 pixels
};

// Every file of the list, in its order; raises std::runtime_error on an unknown field.
std::vector<TCorpusFile> CorpusFiles();

// Empty when the file is there and is the one the list names; else why it is not, with the
// package to install.
std::string CorpusFileProblem(const TCorpusFile& file);

// A test name for the file of the list at index: its file name ("git-config.html" gives
// "git_config_html"), so that a case keeps its name when the list grows; a file name that
// the list holds more than once is followed by the index.
std::string CorpusCaseName(const TCorpusFile& file, size_t index, const std::vector<TCorpusFile>& list);
// The same within CorpusFiles().
std::string CorpusCaseName(const TCorpusFile& file, size_t index);

// How GoogleTest shows a case of the corpus (in "GetParam() = ..." of a failure): its path.
void PrintTo(const TCorpusFile& file, std::ostream* os);
