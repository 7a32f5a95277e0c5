// TForm4: the page scraper window. Its controls and crawl come with the scraper's own
// workflow; until then it is an empty window with its caption.
#pragma once

#include "platform/ui/forms/Form.h"

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* AOwner);
};
