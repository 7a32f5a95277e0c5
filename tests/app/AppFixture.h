// The application as a user meets it, headless: a temporary program folder (prepared
// before start-up), the windows created in the program's order, a manual clock, and the
// headless backend that answers dialogs from a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/ScraperForm.h"
#include "app/SettingsForm.h"
#include "app/TransferForm.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/TestHttpServer.h"

class AppFixture : public ::testing::Test {
 protected:
  TManualClock clock;
  ScopedClock useClock{clock};
  TTempProgramFolder home;
  // Servers outlive the windows, whose web client may still hold a connection open.
  std::unique_ptr<TTrustSharedTestCA> trust;
  std::unique_ptr<TTestHttpServer> server;
  TApplication app;
  THeadlessBackend& headless = static_cast<THeadlessBackend&>(app.Backend());

  // The server of the test, plain or HTTPS (then trusted by clients made afterwards, so
  // call it before Start).
  TTestHttpServer& Server(bool https = false) {
    if (!server) {
      if (https) {
        trust = std::make_unique<TTrustSharedTestCA>();
        server = std::make_unique<TTestHttpServer>(SharedTestCA().IssueForLoopback());
      } else {
        server = std::make_unique<TTestHttpServer>();
      }
    }
    return *server;
  }

  // Creates the windows (start-up runs now); prepare the folder before.
  void Start() {
    app.CreateForm(Form1);
    app.CreateForm(Form2);
    app.CreateForm(Form3);
    app.CreateForm(Form4);
  }
  void TearDown() override {
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
  }

  // The file's text as the program reads text files.
  std::string Read(const std::string& relative) const { return home.ReadFile(relative); }
  // The messages shown so far, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : headless.Shown())
      if (shown.Kind == u"message") texts.push_back(StringToUtf8(shown.Text));
    return texts;
  }
  // The status text behind the product caption.
  std::string Status() const {
    String caption = Form1->Caption();
    return StringToUtf8(caption.substr(Form1->CaptionPrefix.size()));
  }
};

// The visible rows of a grid, each as its cells joined by "|".
inline std::vector<std::string> GridRows(const TStringGrid& grid) {
  std::vector<std::string> rows;
  for (int r = 0; r < grid.RowCount(); ++r) {
    std::string row;
    for (int c = 0; c < grid.ColCount(); ++c) row += (c ? "|" : "") + StringToUtf8(grid.Cells(c, r));
    rows.push_back(row);
  }
  return rows;
}

// Sets a grid's rows from texts whose cells are separated by "|"; the counts follow.
inline void FillGrid(TStringGrid& grid, const std::vector<std::string>& rows) {
  int cols = 1;
  for (size_t r = 0; r < rows.size(); ++r) {
    int c = 0;
    size_t start = 0;
    for (;;) {
      size_t bar = rows[r].find('|', start);
      grid.SetCell(c++, static_cast<int>(r), Utf8ToString(rows[r].substr(start, bar - start)));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    cols = std::max(cols, c);
  }
  grid.SetColCount(cols);
  grid.SetRowCount(static_cast<int>(rows.size()));
}
