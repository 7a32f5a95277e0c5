// Selector texts to the keys of the style list.
#include <algorithm>
#include <vector>

#include "html/foundation/css/StyleList.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/globals/TextHelpers.h"

String SortSimpleSelector(const String& step) {
  std::vector<std::pair<int, String>> tokens;
  size_t i = 0;
  while (i < step.size()) {
    int rank = 0;
    String token;
    if (step[i] == u'.' || step[i] == u'#' || step[i] == u':') {
      rank = step[i] == u'.' ? 1 : step[i] == u'#' ? 2 : 3;
      token += step[i++];
    }
    while (i < step.size() && (step[i] == u'-' || step[i] == u'_' || (step[i] >= u'0' && step[i] <= u'9') ||
                               (step[i] >= u'a' && step[i] <= u'z') || step[i] >= 160))
      token += step[i++];
    if (token.empty()) {
      ++i;  // a character no token holds
      continue;
    }
    tokens.emplace_back(rank, token);
  }
  std::sort(tokens.begin(), tokens.end());
  tokens.erase(std::unique(tokens.begin(), tokens.end()), tokens.end());
  String result;
  for (const auto& t : tokens) result += t.second;
  return result;
}

String MakeSelectorKey(const String& selector, bool compound, TStyleList& styles) {
  // Child combinators: glued to the parent step, followed by one blank.
  String text = selector;
  if (!text.empty() && text.front() == u'>') text.erase(0, 1);
  if (!text.empty() && text.back() == u'>') text.pop_back();
  String glued;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'>') {
      while (!glued.empty() && glued.back() == u' ') glued.pop_back();
      glued += u"> ";
      while (i + 1 < text.size() && text[i + 1] == u' ') ++i;
    } else {
      glued += text[i];
    }
  }
  text = TrimText(glued);
  auto norm = [&](const String& step) {
    if (!compound) return step;
    const bool child = !step.empty() && step.back() == u'>';
    String sorted = SortSimpleSelector(child ? step.substr(0, step.size() - 1) : step);
    return child ? sorted + u">" : sorted;
  };
  std::vector<String> steps;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t blank = text.find(u' ', pos);
    if (blank == String::npos) blank = text.size();
    if (blank > pos) steps.push_back(text.substr(pos, blank - pos));
    pos = blank + 1;
  }
  if (steps.size() <= 1) return steps.empty() ? String() : norm(steps[0]);
  String ancestors;
  for (size_t k = 0; k + 1 < steps.size(); ++k) ancestors = norm(steps[k]) + u" " + ancestors;
  const size_t n = steps.size() - 1;
  String digits;
  for (char c : std::to_string(n)) digits += static_cast<Char>(c);
  return norm(steps.back()) + u" " + digits + styles.NextRuleKey() + ancestors;
}
