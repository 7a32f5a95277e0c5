#include "tests/support/html/HtmlCorpus.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/support/CaseNames.h"
#include "tests/support/Process.h"

std::vector<TCorpusFile> CorpusFiles() {
  std::ifstream list(std::string(WENDREL_SOURCE_DIR) + "/tests/fixtures/html-corpus/files.txt");
  std::vector<TCorpusFile> files;
  for (std::string line; std::getline(list, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    TCorpusFile file;
    fields >> file.Sha256 >> file.Package >> file.Path;
    for (std::string field; fields >> field;) {
      if (field.starts_with("min=")) {
        file.MinAgreement = std::stod(field.substr(4));
      } else if (field.starts_with("pdfmin=")) {
        file.MinPdfWords = std::stod(field.substr(7));
      } else if (field.starts_with("hide=")) {
        std::istringstream selectors(field.substr(5));
        for (std::string selector; std::getline(selectors, selector, ',');) file.Hidden.push_back(selector);
      } else {
        throw std::runtime_error("unknown field " + field + " in the corpus list");
      }
    }
    files.push_back(file);
  }
  return files;
}

std::string CorpusFileProblem(const TCorpusFile& file) {
  if (!std::filesystem::exists(file.Path))
    return file.Path + " is missing: install the Debian package " + file.Package + " (tools/setup)";
  const std::string line = RunTool("sha256sum " + ShellQuote(file.Path));
  if (line.substr(0, line.find(' ')) != file.Sha256)
    return file.Path + " is not the file the corpus list was made from: the Debian package " + file.Package +
           " installed here has another version";
  return {};
}

namespace {
std::string FileNameOf(const TCorpusFile& file) { return std::filesystem::path(file.Path).filename().string(); }
}  // namespace

std::string CorpusCaseName(const TCorpusFile& file, size_t index, const std::vector<TCorpusFile>& list) {
  const std::string name = FileNameOf(file);
  size_t same = 0;
  for (const TCorpusFile& other : list) same += FileNameOf(other) == name;
  return same > 1 ? CaseName(name, index) : CaseLabel(name);
}

std::string CorpusCaseName(const TCorpusFile& file, size_t index) {
  static const std::vector<TCorpusFile> list = CorpusFiles();
  return CorpusCaseName(file, index, list);
}

void PrintTo(const TCorpusFile& file, std::ostream* os) { *os << file.Path; }
