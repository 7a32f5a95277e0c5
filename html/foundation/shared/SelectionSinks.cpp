#include "html/foundation/shared/SelectionSinks.h"

void SelTextCount::AddChars(const Char* p, int n) {
  for (int i = 0; i < n; ++i)
    if (p[i] != 2 && p[i] != 4) ++SelCount;
}

void SelTextCount::AddCharsLine(const Char* p, int n) {
  AddChars(p, n);
  static const Char crlf[] = {u'\r', u'\n'};
  AddChars(crlf, 2);
}

void SelTextBuf::AddChars(const Char* p, int n) {
  for (int i = 0; i < n && SelCount < BufferLength - 1; ++i)
    if (p[i] != 2 && p[i] != 4 && p[i] != 8) Buffer[SelCount++] = p[i];
}

int SelTextBuf::Finish() {
  if (BufferLength > 0) Buffer[SelCount] = 0;
  return SelCount + 1;
}
