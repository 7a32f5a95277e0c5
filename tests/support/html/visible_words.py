#!/usr/bin/env python3
"""The words of an HTML file's visible text, one per line (UTF-8), as a reader sees them.

An extraction independent of the HTML engine, by Python's html.parser: the bytes are
decoded as a browser decodes them (byte-order mark, then a charset in a META tag or the
XML declaration within the first 1024 bytes, else windows-1252), character references
are resolved, and the text of SCRIPT, STYLE, TITLE (the head), and of form controls whose
text is not document text (TEXTAREA, SELECT's OPTION lists) is dropped. Block elements
separate words. Words are split at the characters of WHITE_SPACE; soft hyphens and
zero-width spaces are removed first. The test that compares the engine's text splits it
at the same characters.

    visible_words.py FILE.html
"""
import codecs
import re
import sys
from html.parser import HTMLParser

# The characters that separate words; the C++ side uses the same set.
WHITE_SPACE = "\t\n\x0b\x0c\r \x85\xa0\u1680\u2000\u2001\u2002\u2003\u2004\u2005\u2006\u2007\u2008\u2009\u200a\u2028\u2029\u202f\u205f\u3000"
REMOVED = "\u00ad\u200b"

HIDDEN = {"script", "style", "title", "textarea", "select"}
BLOCKS = {
    "address", "article", "aside", "blockquote", "body", "br", "caption", "center", "dd", "div", "dl",
    "dt", "fieldset", "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6",
    "header", "hr", "html", "legend", "li", "main", "nav", "ol", "p", "pre", "section",
    "table", "tbody", "td", "tfoot", "th", "thead", "tr", "ul", "menu", "dir", "option",
}


def declared_encoding(data):
    if data.startswith(codecs.BOM_UTF8):
        return "utf-8-sig"
    if data.startswith(codecs.BOM_UTF16_LE) or data.startswith(codecs.BOM_UTF16_BE):
        return "utf-16"
    head = data[:1024].decode("ascii", "replace")
    match = re.search(r"<\?xml[^>]*encoding\s*=\s*[\"']([A-Za-z0-9._:-]+)", head) or re.search(
        r"<meta[^>]*charset\s*=\s*[\"']?\s*([A-Za-z0-9._:-]+)", head, re.IGNORECASE)
    if match:
        name = match.group(1).lower()
        try:
            codecs.lookup(name)
        except LookupError:
            return "cp1252"
        # As browsers do: Latin-1 and ASCII labels mean windows-1252.
        return "cp1252" if codecs.lookup(name).name in ("latin-1", "iso8859-1", "ascii") else name
    return "cp1252"


class VisibleText(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.hidden = 0

    def handle_starttag(self, tag, attrs):
        if tag in HIDDEN:
            self.hidden += 1
        if tag in BLOCKS:
            self.parts.append(" ")

    def handle_startendtag(self, tag, attrs):
        if tag in BLOCKS:
            self.parts.append(" ")

    def handle_endtag(self, tag):
        if tag in HIDDEN and self.hidden > 0:
            self.hidden -= 1
        if tag in BLOCKS:
            self.parts.append(" ")

    def handle_data(self, data):
        if self.hidden == 0:
            self.parts.append(data)


def words(path):
    with open(path, "rb") as f:
        data = f.read()
    parser = VisibleText()
    parser.feed(data.decode(declared_encoding(data), "replace"))
    parser.close()
    text = "".join(parser.parts)
    text = text.translate({ord(c): None for c in REMOVED})
    return [w for w in re.split("[" + re.escape(WHITE_SPACE) + "]+", text) if w]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.stdout.buffer.write("".join(w + "\n" for w in words(sys.argv[1])).encode("utf-8"))
