// A viewer filling a 520 x 300 window of the Qt backend, on a white page.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <QWidget>

#include "html/document/viewer/MarkupViewer.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/support/SharedQtApplication.h"

struct TViewerWindowFixture : ::testing::Test {
  TApplication app;
  TForm* form = nullptr;
  TMarkupViewer* viewer = nullptr;

  // The window and its viewer, not yet shown and with no document.
  void MakeWindow() {
    SharedQApplication();
    app.SetBackend(std::make_unique<TQtBackend>(SharedQtArgc(), SharedQtArgv()));
    app.CreateForm(form);
    form->SetCaption(u"Viewer");
    form->SetClientWidth(520);
    form->SetClientHeight(300);
    viewer = new TMarkupViewer(form);
    viewer->SetParent(form);
    viewer->SetAlign(TAlign::alClient);
    viewer->SetDefBackground(clWhite);
  }
  QWidget* WidgetOf(const TControl* control) const { return TQtPeer::Of(control)->Widget(); }
};
