#include "pdf/document/PdfPage.h"

#include "pdf/document/PdfDocument.h"

TPdfPage::TPdfPage(TPdfDocument& document) : TPdfDictionary(&document.Xref()), Document(document) {
  MediaBoxArray = AddItem("MediaBox", TPdfArray::FromIntegers(nullptr, {0, 0, document.PageWidth(), document.PageHeight()}));
}

void TPdfPage::SetPageWidth(int32_t width) { static_cast<TPdfNumber*>(MediaBoxArray->Item(2))->Value = width; }
void TPdfPage::SetPageHeight(int32_t height) { static_cast<TPdfNumber*>(MediaBoxArray->Item(3))->Value = height; }
int32_t TPdfPage::PageWidthOf() const { return static_cast<int32_t>(static_cast<TPdfNumber*>(MediaBoxArray->Item(2))->Value); }
int32_t TPdfPage::PageHeightOf() const { return static_cast<int32_t>(static_cast<TPdfNumber*>(MediaBoxArray->Item(3))->Value); }
