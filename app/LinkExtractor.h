// TExtractLinksFromTextFile: finds the HTML links in a text file, one per line at most,
// with their address and caption. Created and freed by its user, it lives for one run.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

class TLinkObj {
 public:
  String AnchorText;   // the anchor from "<a href" up to its closing "a>"
  String LinkUrl;      // between the anchor's first two double quotes
  String LinkCaption;  // between the anchor's "\">" and "</a>"
};

class TExtractLinksFromTextFile {
 public:
  using TLinkTextEvent = std::function<void(TExtractLinksFromTextFile* Sender, const String& Text)>;

  // The file to read; set it before ExtractLinks.
  String SourceFileName;
  // The links found, in the order of the file's lines.
  std::vector<std::unique_ptr<TLinkObj>> LinkList;
  // Called with each anchor, caption and address as it is found.
  TLinkTextEvent OnAnchor;
  TLinkTextEvent OnCaption;
  TLinkTextEvent OnUrl;

  // ExtractAnchors, ExtractUrls and ExtractCaptions in this order. A file that cannot be
  // read raises the file error.
  void ExtractLinks();
  // The first anchor of every line of the file becomes a new link.
  void ExtractAnchors();
  // Each link's address: empty when its anchor has fewer than two double quotes.
  void ExtractUrls();
  // Each link's caption: empty when its anchor has no "\">" followed by "</a>".
  void ExtractCaptions();
};
