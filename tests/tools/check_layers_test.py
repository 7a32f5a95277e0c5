#!/usr/bin/env python3
"""Runs tools/check_layers.py on small source folders made for the purpose: it must pass
a clean folder and fail on each kind of forbidden include above platform/."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parent.parent.parent / "tools" / "check_layers.py"

# Includes every folder may have: our own headers (also json's QxJSON ones), the standard
# library and the libraries the upper layers use directly.
CLEAN_FILES = {
    "platform/gdi/dc/RasterShapes.cpp": "#include <cairo.h>\n#include <ft2build.h>\n#include FT_FREETYPE_H\n",
    "platform/ui/qt/QtPeer.h": "#include <QWidget>\n",
    "platform/net/HttpClient.cpp": "#include <curl/curl.h>\n",
    "json/QxJSON.cpp": '#include "json/QxJSONText.h"\n#include "QxJSONText.h"\n#include <string>\n',
    "pdf/fonts/FontShaper.cpp": "#include <hb.h>\n#include <zlib.h>\n",
    "html/foundation/css/Colours.cpp": '#include "platform/gdi/Colors.h"\n',
    "main.cpp": '#include "platform/ui/qt/QtBackend.h"\n',
    "tests/app/Screenshot.cpp": "#include <QImage>\n",
}

# One wrong include each, in a file above platform/.
BAD_FILES = [
    ("pdf/canvas/Bad.cpp", "#include <cairo.h>\n"),
    ("pdf/canvas/Bad.h", "#include <cairo-pdf.h>\n"),
    ("html/document/Bad.cpp", "#include <QWidget>\n"),
    ("app/Bad.cpp", "  #  include <QtGui/QImage>\n"),
    ("export/Bad.cpp", "#include <QtCore>\n"),
    ("json/Bad.cpp", "#include <ft2build.h>\n"),
    ("pdf/fonts/Bad.cpp", "#include FT_FREETYPE_H\n"),
    ("html/foundation/Bad.inc", "#include <freetype/freetype.h>\n"),
    ("app/net/Bad.cpp", "#include <curl/curl.h>\n"),
    ("pdf/Bad.cpp", '#include "fontconfig/fontconfig.h"\n'),
    ("main.cpp", "#include <QApplication>\n"),
]


def make_tree(root, files):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


def run_check(root):
    return subprocess.run([sys.executable, str(SCRIPT), str(root)], capture_output=True, text=True)


class CheckLayersTest(unittest.TestCase):
    def test_clean_tree_passes(self):
        with tempfile.TemporaryDirectory() as tmp:
            make_tree(pathlib.Path(tmp), CLEAN_FILES)
            result = run_check(tmp)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
            self.assertEqual(result.stdout, "")

    def test_each_wrong_include_fails(self):
        for name, text in BAD_FILES:
            with self.subTest(file=name), tempfile.TemporaryDirectory() as tmp:
                make_tree(pathlib.Path(tmp), {**CLEAN_FILES, name: text})
                result = run_check(tmp)
                self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                self.assertTrue(result.stdout.startswith(name + ":1: "), result.stdout)
                self.assertEqual(len(result.stdout.splitlines()), 1, result.stdout)

    def test_folder_without_platform_is_refused(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(run_check(tmp).returncode, 2)


if __name__ == "__main__":
    unittest.main()
