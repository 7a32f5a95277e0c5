#include "platform/ui/qt/QtDisplay.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// What Qt said while it started: held back until it is known whether the start succeeded.
struct THeldMessage {
  QtMsgType type;
  const char* category;  // Qt's category names are static texts
  QString text;
};

struct TStartState {
  const char* noDisplayMessage = nullptr;
  int exitCode = 1;
  std::vector<THeldMessage> held;
};

TStartState& State() {
  static TStartState state;
  return state;
}

void HoldWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  TStartState& state = State();
  if (type != QtFatalMsg) {
    state.held.push_back({type, context.category, text});
    return;
  }
  // The only fatal end of QApplication's start: no platform plugin could open its display.
  std::fputs(state.noDisplayMessage, stderr);
  std::fflush(stderr);
  std::_Exit(state.exitCode);
}

}  // namespace

std::unique_ptr<QApplication> StartQtApplication(int& argc, char** argv, const char* noDisplayMessage, int exitCode) {
  TStartState& state = State();
  state.noDisplayMessage = noDisplayMessage;
  state.exitCode = exitCode;
  const QtMessageHandler previous = qInstallMessageHandler(HoldWhileStarting);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const THeldMessage& m : state.held) {
    const QMessageLogContext context(nullptr, 0, nullptr, m.category);
    previous(m.type, context, m.text);
  }
  state.held.clear();
  return application;
}
