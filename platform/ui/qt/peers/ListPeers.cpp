// List boxes and combo boxes.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "platform/ui/controls/ListControls.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/peers/Peers.h"

namespace {

QStringList ItemsOf(const TStrings& items) {
  QStringList list;
  list.reserve(items.Count());
  for (int i = 0; i < items.Count(); ++i) list << ToQt(items[i]);
  return list;
}

class TListBoxPeer : public TQtPeer {
 public:
  TListBoxPeer(TListBox& l, QListWidget* w) : TQtPeer(l, w), list_(l) {
    Watch(w->viewport());
    QObject::connect(w, &QListWidget::currentRowChanged, this, [this, w](int row) {
      if (Pushing()) return;
      const bool selected = row >= 0 && w->item(row) && w->item(row)->isSelected();
      Run([&] { list_.UserSelect(row, selected); });
    });
    QObject::connect(w, &QListWidget::itemSelectionChanged, this, [this, w] {
      if (Pushing() || !list_.MultiSelect()) return;
      PushScope push(*this);
      for (int i = 0; i < w->count() && i < list_.Items().Count(); ++i)
        list_.SetSelected(i, w->item(i)->isSelected());
    });
  }
  void Update(TChange what) override {
    auto* w = static_cast<QListWidget*>(Widget());
    if (what == TChange::Items) {
      w->clear();
      w->addItems(ItemsOf(list_.Items()));
      w->setSelectionMode(!list_.MultiSelect()       ? QAbstractItemView::SingleSelection
                          : list_.ExtendedSelect() ? QAbstractItemView::ExtendedSelection
                                                   : QAbstractItemView::MultiSelection);
    }
    if (what == TChange::Items || what == TChange::ItemIndex) {
      if (list_.MultiSelect()) {
        w->setCurrentRow(list_.ItemIndex(), QItemSelectionModel::NoUpdate);
      } else {
        w->setCurrentRow(list_.ItemIndex());
      }
      if (list_.TopIndex() >= 0 && list_.TopIndex() < w->count())
        w->scrollToItem(w->item(list_.TopIndex()), QAbstractItemView::PositionAtTop);
    }
    if (list_.MultiSelect() && (what == TChange::Items || what == TChange::Selection))
      for (int i = 0; i < w->count(); ++i) w->item(i)->setSelected(list_.Selected(i));
  }

 private:
  TListBox& list_;
};

class TComboBoxPeer : public TQtPeer {
 public:
  TComboBoxPeer(TComboBox& c, QComboBox* w) : TQtPeer(c, w), combo_(c) {
    QObject::connect(w, &QComboBox::activated, this, [this](int index) {
      if (!Pushing()) Run([&] { combo_.UserSelect(index); });
    });
  }
  void Update(TChange what) override {
    auto* w = static_cast<QComboBox*>(Widget());
    switch (what) {
      case TChange::Items: {
        bool editable = combo_.Style() == TComboBoxStyle::csDropDown;
        if (w->isEditable() != editable) {
          w->setEditable(editable);
          if (editable) {
            w->setInsertPolicy(QComboBox::NoInsert);
            QObject::connect(w->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
              if (!Pushing()) Run([&] { combo_.UserSetText(FromQt(text)); });
            });
          }
        }
        w->clear();
        w->addItems(ItemsOf(combo_.Items()));
        [[fallthrough]];
      }
      case TChange::Text:
      case TChange::ItemIndex:
        w->setCurrentIndex(combo_.ItemIndex());
        if (w->isEditable() && w->currentText() != ToQt(combo_.Text())) w->setEditText(ToQt(combo_.Text()));
        break;
      default: break;
    }
  }

 private:
  TComboBox& combo_;
};

}  // namespace

std::unique_ptr<TQtPeer> MakeListPeer(TControl& control) {
  if (auto* l = dynamic_cast<TListBox*>(&control)) return std::make_unique<TListBoxPeer>(*l, new QListWidget());
  if (auto* c = dynamic_cast<TComboBox*>(&control)) return std::make_unique<TComboBoxPeer>(*c, new QComboBox());
  return nullptr;
}
