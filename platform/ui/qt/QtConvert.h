// Conversions between the control model's values and Qt's.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QKeySequence>
#include <QString>
#include <QStringList>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Types.h"
#include "platform/ui/Control.h"
#include "platform/gdi/canvas/GraphicsObjects.h"
#include "platform/ui/Events.h"
#include "platform/ui/menus/ShortCut.h"

inline QString ToQt(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
inline String FromQt(const QString& s) { return String(reinterpret_cast<const Char*>(s.utf16()), s.size()); }

// A colour of the model (system colours through the fixed table).
QColor ToQtColor(TColor color);
// The font the model realises for a control (family and em size as the model measures).
QFont ToQtFont(const TFont& font);
QKeySequence ToQtShortCut(TShortCut shortCut);
// "CSV-Tabellen|*.csv|Alle|*.*;*.txt" -> {"CSV-Tabellen (*.csv)", "Alle (*.* *.txt)"}.
QStringList ToQtNameFilters(const String& filter);
// A memo's text has CR LF line breaks, Qt's plain text LF.
QString ToQtPlainText(const String& text);
String FromQtPlainText(const QString& text);
// Modifier keys and mouse buttons of a Qt event.
TShiftState ToShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The cursor shape; the three scroll cursors are drawn (QtCursors.cpp).
QCursor ToQtCursor(TCursor cursor);
// The virtual key code of a Qt key, 0 when there is none.
uint16_t ToVirtualKey(int qtKey);
