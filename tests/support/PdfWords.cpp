#include "tests/support/PdfWords.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "tests/support/Process.h"

namespace {

std::string Unescaped(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities)
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::string(entity).size(), character);
  return text;
}

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out += c;
  return out;
}

bool SameLine(const TPdfWord& a, const TPdfWord& b) {
  const double middle = (b.YMin + b.YMax) / 2;
  return middle > a.YMin && middle < a.YMax;
}

}  // namespace

std::vector<TPdfWord> PdfWords(const std::string& pdfPath) {
  std::istringstream in(RunTool("pdftotext -bbox " + ShellQuote(pdfPath) + " -"));
  std::vector<TPdfWord> words;
  int page = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.find("<page ") != std::string::npos) ++page;
    TPdfWord w;
    w.Page = page;
    int textStart = 0;
    if (std::sscanf(line.c_str(), " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\">%n", &w.XMin, &w.YMin, &w.XMax,
                    &w.YMax, &textStart) == 4 &&
        textStart > 0) {
      const size_t end = line.find("</word>", static_cast<size_t>(textStart));
      w.Text = Unescaped(line.substr(static_cast<size_t>(textStart), end - static_cast<size_t>(textStart)));
      words.push_back(w);
    }
  }
  return words;
}

bool HasTextBlock(const std::vector<TPdfWord>& words, const std::string& text) {
  const std::string target = WithoutBlanks(text);
  if (target.empty()) return true;
  for (const TPdfWord& first : words) {
    if (first.Text.empty() || target.compare(0, first.Text.size(), first.Text) != 0) continue;
    size_t matched = first.Text.size();
    const TPdfWord* current = &first;
    double left = first.XMin, right = first.XMax;
    while (matched < target.size()) {
      // The next word that goes on with the text: the nearest one to the right on the same
      // line, else the first of the next line down within the columns spanned so far.
      const TPdfWord* onLine = nullptr;
      const TPdfWord* below = nullptr;
      for (const TPdfWord& w : words) {
        if (w.Page != current->Page || &w == current || w.Text.empty() ||
            target.compare(matched, w.Text.size(), w.Text) != 0)
          continue;
        if (SameLine(*current, w) && w.XMin >= current->XMax - 1) {
          if (onLine == nullptr || w.XMin < onLine->XMin) onLine = &w;
        } else if (w.YMin >= current->YMax - 2 && w.YMin < current->YMax + (current->YMax - current->YMin) &&
                   w.XMax > left - 2 && w.XMin < right + 2) {
          if (below == nullptr || w.YMin < below->YMin - 1 || (std::abs(w.YMin - below->YMin) <= 1 && w.XMin < below->XMin))
            below = &w;
        }
      }
      const TPdfWord* next = onLine ? onLine : below;
      if (next == nullptr) break;
      matched += next->Text.size();
      left = std::min(left, next->XMin);
      right = std::max(right, next->XMax);
      current = next;
    }
    if (matched == target.size()) return true;
  }
  return false;
}
