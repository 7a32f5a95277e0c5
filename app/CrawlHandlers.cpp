// The handlers of the keyword, hashtag and text workflows.
#include "app/MainForm.h"

void TForm1::ConnectCrawlHandlers() {
  Button6->OnClick = Workflow(&TForm1::Button6Click);
  Button26->OnClick = Workflow(&TForm1::Button26Click);
  Button23->OnClick = Workflow(&TForm1::Button23Click);
  Button12->OnClick = Workflow(&TForm1::Button12Click);
  Button13->OnClick = Workflow(&TForm1::Button13Click);
  Button25->OnClick = Workflow(&TForm1::Button13Click);
  Button14->OnClick = Workflow(&TForm1::Button14Click);
  Button24->OnClick = Workflow(&TForm1::Button14Click);
  Button15->OnClick = Workflow(&TForm1::Button15Click);
  Button16->OnClick = Workflow(&TForm1::Button16Click);
  Button20->OnClick = Workflow(&TForm1::Button16Click);
  Button18->OnClick = Workflow(&TForm1::Button18Click);
  zuDiagram1->OnClick = [this](TComponent* s) { zuDiagram1Click(s); };
  Button29->OnClick = Workflow(&TForm1::Button29Click);
  Button30->OnClick = Workflow(&TForm1::Button30Click);
  Button19->OnClick = Workflow(&TForm1::Button19Click);
  Button27->OnClick = Workflow(&TForm1::Button27Click);
  Generiere1->OnClick = Workflow(&TForm1::Generiere1Click);
}
