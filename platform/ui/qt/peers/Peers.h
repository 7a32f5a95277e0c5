// The peers of each kind of control. Each Make... returns nullptr for a control of
// another kind; the backend asks them in turn.
#pragma once

#include <memory>

#include "platform/ui/qt/QtPeer.h"

std::unique_ptr<TQtPeer> MakeFormPeer(TControl& control);
std::unique_ptr<TQtPeer> MakeButtonPeer(TControl& control);
std::unique_ptr<TQtPeer> MakeEditPeer(TControl& control);
std::unique_ptr<TQtPeer> MakeListPeer(TControl& control);
std::unique_ptr<TQtPeer> MakeContainerPeer(TControl& control);
std::unique_ptr<TQtPeer> MakeGridPeer(TControl& control);
std::unique_ptr<TQtPeer> MakePaintPeer(TControl& control);

// A caption with "&" access keys as plain text: "&Datei" -> "Datei", "A&&B" -> "A&B".
QString WithoutAccessKeys(const QString& caption);
