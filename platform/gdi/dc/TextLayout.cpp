#include "platform/gdi/dc/TextLayout.h"

#include <algorithm>

namespace {

struct TMarkedText {
  String Text;
  std::vector<bool> Underlined;
};

// "&&" gives "&"; a single "&" is dropped and underlines the character after it.
TMarkedText StripPrefixes(std::u16string_view text, bool prefixes) {
  TMarkedText out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (prefixes && text[i] == u'&') {
      if (i + 1 < text.size() && text[i + 1] == u'&') {
        out.Text += u'&';
        out.Underlined.push_back(false);
        ++i;
      } else if (i + 1 < text.size()) {
        out.Text += text[i + 1];
        out.Underlined.push_back(true);
        ++i;
      }
      continue;
    }
    out.Text += text[i];
    out.Underlined.push_back(false);
  }
  return out;
}

String ExpandTabs(const TDeviceContext& dc, const String& line, int tabWidth) {
  String out;
  for (Char c : line) {
    if (c != u'\t') {
      out += c;
      continue;
    }
    int width = dc.GetTextExtentPoint32(out).cx;
    int target = (width / tabWidth + 1) * tabWidth;
    int space = std::max(1, dc.GetTextExtentPoint32(u" ").cx);
    do {
      out += u' ';
      width += space;
    } while (width < target);
  }
  return out;
}

}  // namespace

TTextLayout LayoutDrawText(const TDeviceContext& dc, std::u16string_view text, const TRect& rect, uint32_t format) {
  TTextLayout layout;
  TTextMetric tm = dc.GetTextMetrics();
  TMarkedText marked = StripPrefixes(text, !(format & DT_NOPREFIX));
  const int maxWidth = rect.Width();
  const bool singleLine = format & DT_SINGLELINE;
  const bool wordBreak = (format & DT_WORDBREAK) && !singleLine;

  struct TRaw {
    String Text;
    int Prefix = -1;
  };
  std::vector<TRaw> raw;
  TRaw current;
  auto flush = [&] {
    raw.push_back(std::move(current));
    current = {};
  };
  for (size_t i = 0; i < marked.Text.size(); ++i) {
    Char c = marked.Text[i];
    if (!singleLine && (c == u'\r' || c == u'\n')) {
      if (c == u'\r' && i + 1 < marked.Text.size() && marked.Text[i + 1] == u'\n') ++i;
      flush();
      continue;
    }
    if (marked.Underlined[i]) current.Prefix = static_cast<int>(current.Text.size());
    current.Text += c;
  }
  flush();

  std::vector<TRaw> lines;
  for (TRaw& line : raw) {
    if (format & DT_EXPANDTABS) line.Text = ExpandTabs(dc, line.Text, 8 * std::max(1, tm.tmAveCharWidth));
    if (!wordBreak || dc.GetTextExtentPoint32(line.Text).cx <= maxWidth) {
      lines.push_back(line);
      continue;
    }
    // Break at blanks: take as many words as fit; a single word too wide stays whole.
    size_t start = 0;
    const String& s = line.Text;
    while (start < s.size()) {
      size_t end = start, lastFit = std::u16string::npos;
      while (end <= s.size()) {
        size_t next = s.find(u' ', end);
        if (next == std::u16string::npos) next = s.size();
        if (dc.GetTextExtentPoint32(std::u16string_view(s).substr(start, next - start)).cx > maxWidth &&
            lastFit != std::u16string::npos)
          break;
        lastFit = next;
        end = next + 1;
        if (next == s.size()) break;
      }
      TRaw piece;
      piece.Text = s.substr(start, lastFit - start);
      if (line.Prefix >= static_cast<int>(start) && line.Prefix < static_cast<int>(lastFit))
        piece.Prefix = line.Prefix - static_cast<int>(start);
      lines.push_back(piece);
      start = lastFit;
      while (start < s.size() && s[start] == u' ') ++start;
    }
  }

  int lineHeight = tm.tmHeight;
  int total = lineHeight * static_cast<int>(lines.size());
  int top = rect.Top;
  if (singleLine && (format & DT_VCENTER))
    top = rect.Top + (rect.Height() - total) / 2;
  else if (singleLine && (format & DT_BOTTOM))
    top = rect.Bottom - total;
  int widest = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    TTextLayoutLine out;
    out.Text = lines[i].Text;
    out.Prefix = lines[i].Prefix;
    out.Width = dc.GetTextExtentPoint32(out.Text).cx;
    widest = std::max(widest, out.Width);
    if (format & DT_CENTER)
      out.X = rect.Left + (maxWidth - out.Width) / 2;
    else if (format & DT_RIGHT)
      out.X = rect.Right - out.Width;
    else
      out.X = rect.Left;
    out.Y = top + lineHeight * static_cast<int>(i);
    layout.Lines.push_back(std::move(out));
  }
  layout.Bounds = {rect.Left, rect.Top, rect.Left + widest, rect.Top + total};
  if (format & DT_CENTER) layout.Bounds = {rect.Left + (maxWidth - widest) / 2, rect.Top, 0, rect.Top + total};
  if (format & DT_CENTER) layout.Bounds.Right = layout.Bounds.Left + widest;
  if (format & DT_RIGHT) layout.Bounds = {rect.Right - widest, rect.Top, rect.Right, rect.Top + total};
  layout.Height = (top - rect.Top) + total;
  return layout;
}
