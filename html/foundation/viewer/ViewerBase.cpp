#include "html/foundation/viewer/ViewerBase.h"

TViewerBase::TViewerBase(TComponent* AOwner) : TCustomControl(AOwner) { SetQuirksMode(qmStandards); }
