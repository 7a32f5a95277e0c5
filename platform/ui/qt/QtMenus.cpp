#include "platform/ui/qt/QtMenus.h"

#include "platform/ui/app/Application.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/qt/QtConvert.h"

namespace {

void AddItem(QWidget* menu, TMenuItem* item) {
  if (!item->Visible()) return;
  if (item->IsLine()) {
    if (auto* m = qobject_cast<QMenu*>(menu)) m->addSeparator();
    return;
  }
  if (item->Count() > 0) {
    auto* sub = new QMenu(ToQt(item->Caption()), menu);
    sub->setEnabled(item->Enabled());
    FillQtMenu(sub, *item);
    menu->addAction(sub->menuAction());
    return;
  }
  auto* action = new QAction(ToQt(item->Caption()), menu);
  action->setShortcut(ToQtShortCut(item->ShortCut()));
  action->setShortcutContext(Qt::WindowShortcut);
  action->setEnabled(item->Enabled());
  action->setCheckable(item->Checked());
  action->setChecked(item->Checked());
  // The menu is rebuilt whenever an item changes or goes, so the item outlives the action.
  QObject::connect(action, &QAction::triggered, [item] {
    if (Application)
      Application->RunHandler([item] { item->Click(); });
    else
      item->Click();
  });
  menu->addAction(action);
}

}  // namespace

void FillQtMenu(QMenu* menu, const TMenuItem& item) {
  for (int i = 0; i < item.Count(); ++i) AddItem(menu, item.Items(i));
}

void FillQtMenuBar(QMenuBar* bar, const TMenuItem& root) {
  bar->clear();
  for (int i = 0; i < root.Count(); ++i) AddItem(bar, root.Items(i));
}
