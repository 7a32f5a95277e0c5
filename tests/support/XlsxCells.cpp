#include "tests/support/XlsxCells.h"

#include <sstream>
#include <stdexcept>

#include "platform/rtl/Unicode.h"
#include "tests/support/Process.h"

namespace {

const char* const script = R"PY(
import re, sys, zipfile, xml.etree.ElementTree as ET
m = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
z = zipfile.ZipFile(sys.argv[1])
if z.testzip() is not None: sys.exit(3)
def text(node): return "".join(t.text or "" for t in node.iter(m + "t"))
def unescape(s): return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda g: chr(int(g.group(1), 16)), s)
shared = []
if "xl/sharedStrings.xml" in z.namelist():
    shared = [text(si) for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall(m + "si")]
sheet = ET.fromstring(z.read("xl/worksheets/sheet%s.xml" % sys.argv[2]))
for c in sheet.iter(m + "c"):
    t, v = c.get("t"), c.find(m + "v")
    if t == "s": s = shared[int(v.text)]
    elif t == "inlineStr": s = text(c)
    else: s = v.text if v is not None else ""
    print(c.get("r"), unescape(s).encode("utf-8").hex())
)PY";

}  // namespace

std::map<std::string, String> ReadXlsxCells(const std::string& path, int sheet) {
  TCommandResult read = RunCommand(std::string("python3 -c ") + ShellQuote(script) + " " + ShellQuote(path) + " " +
                                       std::to_string(sheet),
                                   {}, TErrorOutput::Separate);
  if (read.ExitCode != 0) throw std::runtime_error("no readable .xlsx: " + path);
  const std::string& output = read.Output;
  std::map<std::string, String> cells;
  std::istringstream lines(output);
  std::string ref, hex;
  while (lines >> ref) {
    std::string bytes;
    if (lines.peek() == ' ') lines.get();
    std::getline(lines, hex);
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    cells[ref] = Utf8ToString(bytes);
  }
  return cells;
}
