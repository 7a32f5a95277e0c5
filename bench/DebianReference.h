// A large real document for the load, layout and viewer benchmarks: the chapters of the
// Debian Reference (debian-reference-en, HTML with tables, lists, preformatted text and many
// links), their bodies joined and repeated behind the first chapter's head to a given size.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace debian_reference {

// The folder of the chapters; a document named in it finds the Reference's images.
inline const char* const Folder = "/usr/share/debian-reference/";

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + " is missing: install the Debian package debian-reference-en");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The part between the BODY tag's ">" and "</body>".
inline std::string BodyOf(const std::string& html) {
  const size_t tag = html.find("<body");
  const size_t start = html.find('>', tag) + 1;
  return html.substr(start, html.rfind("</body>") - start);
}

// The first chapter's head, then the bodies of all chapters over and over until the text
// has `megabytes` MB, then the end tags.
inline std::string Manual(int megabytes) {
  std::string chapters;
  for (int i = 1; i <= 12; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "ch%02d.en.html", i);
    chapters += BodyOf(ReadFile(std::string(Folder) + name));
  }
  const std::string first = ReadFile(std::string(Folder) + "ch01.en.html");
  std::string text = first.substr(0, first.find('>', first.find("<body")) + 1);
  const size_t size = static_cast<size_t>(megabytes) << 20;
  while (text.size() < size) text += chapters.substr(0, size - text.size());
  return text + "</body></html>";
}

}  // namespace debian_reference
