#include "platform/ui/qt/QtConvert.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gdi/fonts/FontHandle.h"

#include "platform/ui/dialogs/FileDialogs.h"

QColor ToQtColor(TColor color) {
  COLORREF rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QFont ToQtFont(const TFont& font) {
  // The family and em size of the font the model measures with (the face name resolved
  // through fontconfig, as text widths are taken), not Qt's own pick for the face name:
  // "Tahoma" may be a wider family to Qt than to the model, and fitted columns would not fit.
  const TRealizedFont& realized = font.Handle().Realized();
  QFont f(ToQt(realized.Location().FileFamily));
  // A cell height gives a fractional em; Qt takes whole pixels, and rounding down keeps the
  // drawn text within the width the model measured.
  f.setPixelSize(std::max(1, static_cast<int>(std::floor(realized.EmPixels() + 1e-6))));
  // The model's advances come from unhinted outlines; hinted advances may be wider.
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setBold(font.Style() & fsBold);
  f.setItalic(font.Style() & fsItalic);
  f.setUnderline(font.Style() & fsUnderline);
  f.setStrikeOut(font.Style() & fsStrikeOut);
  return f;
}

namespace {
const std::pair<uint16_t, int> kKeys[] = {
    {VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab},     {VK_RETURN, Qt::Key_Return}, {VK_ESCAPE, Qt::Key_Escape},
    {VK_SPACE, Qt::Key_Space},    {VK_PRIOR, Qt::Key_PageUp}, {VK_NEXT, Qt::Key_PageDown}, {VK_END, Qt::Key_End},
    {VK_HOME, Qt::Key_Home},      {VK_LEFT, Qt::Key_Left},   {VK_UP, Qt::Key_Up},         {VK_RIGHT, Qt::Key_Right},
    {VK_DOWN, Qt::Key_Down},      {VK_INSERT, Qt::Key_Insert},    {VK_DELETE, Qt::Key_Delete}, {VK_RETURN, Qt::Key_Enter},
};
}  // namespace

uint16_t ToVirtualKey(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<uint16_t>(qtKey);  // Qt's codes for these are their ASCII capitals and digits
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return static_cast<uint16_t>(0x70 + (qtKey - Qt::Key_F1));
  for (const auto& [vk, key] : kKeys)
    if (key == qtKey) return vk;
  return 0;
}

QKeySequence ToQtShortCut(TShortCut shortCut) {
  uint16_t vk = shortCut & 0xFF;
  int key = 0;
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
    key = vk;
  else if (vk >= 0x70 && vk <= 0x7B)
    key = Qt::Key_F1 + (vk - 0x70);
  else
    for (const auto& [code, qt] : kKeys)
      if (code == vk) {
        key = qt;
        break;
      }
  if (!key) return QKeySequence();
  int mods = 0;
  if (shortCut & scShift) mods |= Qt::SHIFT;
  if (shortCut & scCtrl) mods |= Qt::CTRL;
  if (shortCut & scAlt) mods |= Qt::ALT;
  return QKeySequence(key | mods);
}

QStringList ToQtNameFilters(const String& filter) {
  QStringList result;
  for (const TFileFilter& f : ParseFileFilter(filter)) {
    QString patterns = ToQt(f.Patterns);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    result << ToQt(f.Description) + QStringLiteral(" (") + patterns + QStringLiteral(")");
  }
  return result;
}

QString ToQtPlainText(const String& text) {
  QString s = ToQt(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

String FromQtPlainText(const QString& text) {
  QString s = text;
  s.replace(QChar(0x2029), QLatin1Char('\n'));  // paragraph separators of the text document
  s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQt(s);
}

TShiftState ToShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

