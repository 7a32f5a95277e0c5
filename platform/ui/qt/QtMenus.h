// Qt menus built from the model's menu items: captions with their access keys, shortcuts,
// check marks, separators; choosing an action raises the item's OnClick.
#pragma once

#include <QMenu>
#include <QMenuBar>

class TMenuItem;

// Adds the visible sub-items of an item to a Qt menu.
void FillQtMenu(QMenu* menu, const TMenuItem& item);
// Replaces the content of a menu bar by the visible top items of a menu.
void FillQtMenuBar(QMenuBar* bar, const TMenuItem& root);
