#!/usr/bin/env python3
"""Checks that no file above platform/ includes a header of the libraries the platform
layer wraps: Qt (platform/ui/qt), Cairo, FreeType and fontconfig (platform/gdi) and curl
(platform/net). The layers above reach them only through the platform's own classes.

Run: python3 tools/check_layers.py [SOURCE_DIR]   (default: the folder above tools/)
Prints every offending include as FILE:LINE: TEXT and exits with 1 when there is one.
"""
import pathlib
import re
import sys

# Folders and files above platform/, relative to the source folder.
UPPER_LAYERS = ["json", "html", "pdf", "export", "app", "main.cpp"]
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inc"}

# "#include <name>" or "#include "name"", and FreeType's macro form "#include FT_FREETYPE_H".
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:[<"]([^>"]+)[>"]|(FT_[A-Z0-9_]+))')
FORBIDDEN = [
    # Qt's class headers (<QWidget>) and module folders (<QtGui/QImage>, <QtCore>).
    ("Qt", re.compile(r"^(Q[A-Z][A-Za-z0-9]*|Qt[A-Za-z0-9]*(/.*)?)$")),
    ("Cairo", re.compile(r"^cairo([-/.]|$)")),
    ("FreeType", re.compile(r"^(ft2build\.h|freetype2?/)")),
    ("fontconfig", re.compile(r"^fontconfig/")),
    ("curl", re.compile(r"^curl/")),
]


def offences(path):
    """(line number, library, line) of each forbidden include of one file."""
    found = []
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        m = INCLUDE.match(line)
        if not m:
            continue
        if m.group(2):
            found.append((number, "FreeType", line.strip()))
            continue
        for library, pattern in FORBIDDEN:
            if pattern.search(m.group(1)):
                found.append((number, library, line.strip()))
                break
    return found


def upper_layer_files(root):
    for name in UPPER_LAYERS:
        entry = root / name
        if entry.is_file():
            yield entry
        elif entry.is_dir():
            yield from sorted(p for p in entry.rglob("*") if p.is_file() and p.suffix in SOURCE_SUFFIXES)


def main(argv):
    root = pathlib.Path(argv[1]) if len(argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    if not (root / "platform").is_dir():
        print(f"{root}: no platform/ folder; not a source folder", file=sys.stderr)
        return 2
    failed = False
    for path in upper_layer_files(root):
        for number, library, line in offences(path):
            print(f"{path.relative_to(root)}:{number}: includes {library} above platform/: {line}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
