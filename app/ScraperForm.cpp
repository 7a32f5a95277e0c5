#include "app/ScraperForm.h"

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"Form4");
  SetCaption(u"FB-Page-Scraper");
}
