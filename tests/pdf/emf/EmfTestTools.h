// Helpers of the metafile renderer's tests: hand-made records inside a recorded metafile, and
// a metafile rendered onto a fresh page of an uncompressed document.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdf/document/PdfDocument.h"

// The metafile (as a recorder finishes it) with extra records before its end-of-file record;
// the header's size, record count and object table size (at least `handles`) adjusted.
std::string WithRecords(std::string emf, const std::vector<std::string>& records, uint16_t handles = 8);
// An empty 100 x 100 pixel metafile with the records.
std::string Records(const std::vector<std::string>& records);

// A document with the test families, uncompressed, one A4 page.
std::unique_ptr<TPdfDocument> NewTestDocument(bool outlines = false);
// The page's content stream after rendering the metafile at the scale and offsets.
std::string RenderedContent(TPdfDocument& doc, const std::string& emf, double scale = 1, float x = 0, float y = 0);
std::string RenderedContent(const std::string& emf, double scale = 1);
// How often `what` occurs in `text`.
int Occurrences(const std::string& text, const std::string& what);
