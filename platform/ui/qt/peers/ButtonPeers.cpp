// Buttons, check boxes, radio buttons, labels and scroll bars.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CheckBoxes.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/peers/Peers.h"

QString WithoutAccessKeys(const QString& caption) {
  QString result;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    result += caption[i];
  }
  return result;
}

namespace {

class TButtonPeer : public TQtPeer {
 public:
  TButtonPeer(TButton& b, QPushButton* w) : TQtPeer(b, w) {
    QObject::connect(w, &QPushButton::clicked, this, [this, &b] {
      if (!Pushing()) Run([&] { b.Click(); });
    });
  }
  void Update(TChange what) override {
    if (what == TChange::Text) static_cast<QPushButton*>(Widget())->setText(ToQt(control_.Caption()));
  }
};

class TCheckBoxPeer : public TQtPeer {
 public:
  TCheckBoxPeer(TCheckBox& b, QCheckBox* w) : TQtPeer(b, w), box_(b) {
    QObject::connect(w, &QCheckBox::clicked, this, [this] {
      if (!Pushing()) Run([&] { box_.Click(); });
      Changed(TChange::Checked);  // the widget shows what the model holds after the handler
    });
  }
  void Update(TChange what) override {
    auto* w = static_cast<QCheckBox*>(Widget());
    if (what == TChange::Text) w->setText(ToQt(control_.Caption()));
    if (what == TChange::Checked || what == TChange::Text) w->setChecked(box_.Checked());
  }

 private:
  TCheckBox& box_;
};

class TRadioPeer : public TQtPeer {
 public:
  TRadioPeer(TRadioButton& b, QRadioButton* w) : TQtPeer(b, w), radio_(b) {
    w->setAutoExclusive(false);  // the model unchecks the siblings
    QObject::connect(w, &QRadioButton::clicked, this, [this] {
      if (!Pushing()) Run([&] { radio_.Click(); });
      Changed(TChange::Checked);
    });
  }
  void Update(TChange what) override {
    auto* w = static_cast<QRadioButton*>(Widget());
    if (what == TChange::Text) w->setText(ToQt(control_.Caption()));
    if (what == TChange::Checked || what == TChange::Text) w->setChecked(radio_.Checked());
  }

 private:
  TRadioButton& radio_;
};

class TLabelPeer : public TQtPeer {
 public:
  TLabelPeer(TLabel& l, QLabel* w) : TQtPeer(l, w), label_(l) {}
  bool ClickOnRelease() const override { return true; }
  void Update(TChange what) override {
    if (what != TChange::Text) return;
    auto* w = static_cast<QLabel*>(Widget());
    w->setText(WithoutAccessKeys(ToQt(label_.Caption())));
    Qt::Alignment a = label_.Alignment() == TAlignment::taCenter         ? Qt::AlignHCenter
                      : label_.Alignment() == TAlignment::taRightJustify ? Qt::AlignRight
                                                                         : Qt::AlignLeft;
    w->setAlignment(a | Qt::AlignTop);
  }

 private:
  TLabel& label_;
};

TScrollCode ToScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return TScrollCode::scLineDown;
    case QAbstractSlider::SliderSingleStepSub: return TScrollCode::scLineUp;
    case QAbstractSlider::SliderPageStepAdd: return TScrollCode::scPageDown;
    case QAbstractSlider::SliderPageStepSub: return TScrollCode::scPageUp;
    case QAbstractSlider::SliderToMinimum: return TScrollCode::scTop;
    case QAbstractSlider::SliderToMaximum: return TScrollCode::scBottom;
    default: return TScrollCode::scTrack;
  }
}

class TScrollBarPeer : public TQtPeer {
 public:
  TScrollBarPeer(TScrollBar& b, QScrollBar* w) : TQtPeer(b, w), bar_(b) {
    QObject::connect(w, &QScrollBar::actionTriggered, this, [this, w](int action) {
      if (Pushing() || action == QAbstractSlider::SliderNoAction) return;
      Run([&] { bar_.UserScroll(ToScrollCode(action), w->sliderPosition()); });
      // The bar goes where the model (and its OnScroll) put it.
      PushScope push(*this);
      w->setSliderPosition(bar_.Position());
    });
  }
  void Update(TChange what) override {
    if (what != TChange::Range && what != TChange::Text) return;
    auto* w = static_cast<QScrollBar*>(Widget());
    w->setOrientation(bar_.Kind() == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal);
    w->setRange(bar_.Min(), bar_.MaxPosition());
    w->setSingleStep(bar_.SmallChange());
    w->setPageStep(bar_.PageSize() > 0 ? bar_.PageSize() : bar_.LargeChange());
    w->setValue(bar_.Position());
  }

 private:
  TScrollBar& bar_;
};

template <class Peer, class Widget, class Control>
std::unique_ptr<TQtPeer> Make(Control& c) {
  return std::make_unique<Peer>(c, new Widget());
}

}  // namespace

std::unique_ptr<TQtPeer> MakeButtonPeer(TControl& control) {
  if (auto* b = dynamic_cast<TButton*>(&control)) return Make<TButtonPeer, QPushButton>(*b);
  if (auto* b = dynamic_cast<TCheckBox*>(&control)) return Make<TCheckBoxPeer, QCheckBox>(*b);
  if (auto* b = dynamic_cast<TRadioButton*>(&control)) return Make<TRadioPeer, QRadioButton>(*b);
  if (auto* l = dynamic_cast<TLabel*>(&control)) return Make<TLabelPeer, QLabel>(*l);
  if (auto* s = dynamic_cast<TScrollBar*>(&control)) return Make<TScrollBarPeer, QScrollBar>(*s);
  return nullptr;
}
