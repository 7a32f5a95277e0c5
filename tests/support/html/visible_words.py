#!/usr/bin/env python3
"""The words of an HTML file's visible text, one per line (UTF-8), as a reader sees them.

An extraction independent of the HTML engine, by Python's html.parser: the bytes are
decoded as a browser decodes them (byte-order mark, then a charset in a META tag or the
XML declaration within the first 1024 bytes, else windows-1252), character references
are resolved, and the text of SCRIPT, STYLE, TITLE (the head), and of form controls whose
text is not document text (TEXTAREA, SELECT's OPTION lists) is dropped. Block elements
separate words. Elements that the page's style sheets hide at the width in question
(display: none) are named with --hide: each a simple selector (tag, .class, tag.class or
#id); their content is dropped too. Words are split at the characters of WHITE_SPACE; soft hyphens and
zero-width spaces are removed first. The test that compares the engine's text splits it
at the same characters.

    visible_words.py [--hide SELECTOR]... FILE.html
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


# Items whose end tag may be left out: the start tags that end them, and the end tags of
# their lists.
ITEM_ENDS = {"li": {"li"}, "dt": {"dt", "dd"}, "dd": {"dt", "dd"}}
LIST_ENDS = {"li": {"ul", "ol", "menu", "dir"}, "dt": {"dl"}, "dd": {"dl"}}
# Elements without content: they never open a hidden range.
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source", "track", "wbr"}


def matches(selector, tag, attrs):
    name, _, rest = selector.partition("#")
    if rest:
        return (not name or name == tag) and dict(attrs).get("id") == rest
    name, _, cls = selector.partition(".")
    if name and name != tag:
        return False
    return not cls or cls in (dict(attrs).get("class") or "").split()


class VisibleText(HTMLParser):
    def __init__(self, hide=()):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.hidden = 0
        self.hide = hide
        self.hiding = None  # [tag, depth, lists opened inside] of the element being hidden

    def end_hiding(self):
        self.hiding = None
        self.hidden -= 1

    def handle_starttag(self, tag, attrs):
        hiding = self.hiding
        if hiding is not None:
            name, _, lists = hiding
            if name in ITEM_ENDS and lists == 0 and tag in ITEM_ENDS[name]:
                self.end_hiding()  # the next item ends an item without an end tag
            elif tag == name:
                hiding[1] += 1
            elif tag in LIST_ENDS.get(name, ()):
                hiding[2] += 1
        if self.hiding is None and tag not in VOID and any(matches(s, tag, attrs) for s in self.hide):
            self.hiding = [tag, 1, 0]
            self.hidden += 1
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
        hiding = self.hiding
        if hiding is not None:
            name, depth, lists = hiding
            if name in ITEM_ENDS:
                # Items nest only inside lists of their own; the list's end ends the last one.
                if lists == 0 and (tag == name or tag in LIST_ENDS[name]):
                    self.end_hiding()
                elif tag in LIST_ENDS[name]:
                    hiding[2] -= 1
            elif tag == name:
                hiding[1] -= 1
                if hiding[1] == 0:
                    self.end_hiding()
        if tag in BLOCKS:
            self.parts.append(" ")

    def handle_data(self, data):
        if self.hidden == 0:
            self.parts.append(data)


def words(path, hide=()):
    with open(path, "rb") as f:
        data = f.read()
    parser = VisibleText(hide)
    parser.feed(data.decode(declared_encoding(data), "replace"))
    parser.close()
    text = "".join(parser.parts)
    text = text.translate({ord(c): None for c in REMOVED})
    return [w for w in re.split("[" + re.escape(WHITE_SPACE) + "]+", text) if w]


if __name__ == "__main__":
    args = sys.argv[1:]
    hide = []
    while len(args) > 2 and args[0] == "--hide":
        hide.append(args[1])
        args = args[2:]
    if len(args) != 1:
        sys.exit(__doc__)
    sys.stdout.buffer.write("".join(w + "\n" for w in words(args[0], hide)).encode("utf-8"))
