#include "app/LinkExtractor.h"

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"

// Positions are found in the lower-cased text, which keeps every character in its place,
// and applied to the text as read.

void TExtractLinksFromTextFile::ExtractLinks() {
  ExtractAnchors();
  ExtractUrls();
  ExtractCaptions();
}

void TExtractLinksFromTextFile::ExtractAnchors() {
  TStringList lines;
  lines.LoadFromFile(SourceFileName);
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = lines.Get(i);
    const String lower = AnsiLowerCase(line);
    const int p = Pos(u"<a href", lower);
    if (p == 0) continue;
    const int q = PosEx(u"a>", lower, p);
    if (q <= p) continue;
    auto link = std::make_unique<TLinkObj>();
    link->AnchorText = Copy(line, p, q + 2 - p);
    LinkList.push_back(std::move(link));
    if (OnAnchor) OnAnchor(this, LinkList.back()->AnchorText);
  }
}

void TExtractLinksFromTextFile::ExtractUrls() {
  for (const auto& link : LinkList) {
    const int first = Pos(u"\"", link->AnchorText);
    const int second = first > 0 ? PosEx(u"\"", link->AnchorText, first + 1) : 0;
    link->LinkUrl = second > 0 ? Copy(link->AnchorText, first + 1, second - first - 1) : String();
    if (OnUrl) OnUrl(this, link->LinkUrl);
  }
}

void TExtractLinksFromTextFile::ExtractCaptions() {
  for (const auto& link : LinkList) {
    const String lower = AnsiLowerCase(link->AnchorText);
    const int p = Pos(u"\">", lower);
    const int q = p > 0 ? PosEx(u"</a>", lower, p + 2) : 0;
    link->LinkCaption = q > 0 ? Copy(link->AnchorText, p + 2, q - p - 2) : String();
    if (OnCaption) OnCaption(this, link->LinkCaption);
  }
}
