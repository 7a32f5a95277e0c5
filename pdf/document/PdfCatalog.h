// The document catalog: page tree, page layout and open action.
#pragma once

#include "pdf/objects/PdfDictionaryWrapper.h"

class TPdfDestination;

enum TPdfPageLayout { plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };

class TPdfCatalog : public TPdfDictionaryWrapper {
 public:
  // Sets /PageLayout, replacing an existing name in place.
  void SetPageLayout(TPdfPageLayout layout);
  // Sets /Pages, only to a dictionary whose /Type is "Pages".
  void SetPages(TPdfDictionary* pages);
  // At save: /OpenAction becomes OpenAction's array, or leaves when there is none.
  void UpdateOpenAction();

  TPdfDestination* OpenAction = nullptr;
};
