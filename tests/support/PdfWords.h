// The words of a PDF file as poppler's pdftotext finds them, with their pages and boxes, and
// a search for a text that the layout may have broken over several lines of one box (a
// table cell).
#pragma once

#include <string>
#include <vector>

struct TPdfWord {
  int Page = 0;                                   // from 1
  double XMin = 0, YMin = 0, XMax = 0, YMax = 0;  // points, from the page's top left
  std::string Text;                               // UTF-8
};

// Every word of the file (pdftotext -bbox), page by page in poppler's reading order.
std::vector<TPdfWord> PdfWords(const std::string& pdfPath);

// True when the text, blanks left out, is spelt by words of one page that follow each other
// on a line or go on at the next line below within the same columns: the text of one table
// cell, wrapped or not, in one piece.
bool HasTextBlock(const std::vector<TPdfWord>& words, const std::string& text);
