// potelan: the desktop program.
#include <QApplication>
#include <cstdio>

#include "app/MainWindow.hpp"
#include "app/ToolbarIcons.hpp"
#include "model/AppState.hpp"
#include "ui/Fonts.hpp"
#include "ui/QtPrompts.hpp"

namespace {

// Without a display the toolkit would abort with a long trace; say it once.
bool HasDisplay() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) {
    return true;
  }
  return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "potelan: no display to show the windows on (set DISPLAY, or run it under "
                 "xvfb-run)\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("potelan"));
  QApplication::setWindowIcon(potelan::ProgramIcon());
  potelan::InstallFontSubstitutes();
  potelan::AppState state;
  potelan::QtPrompts prompts;
  // An argument only keeps the type choice from opening at start.
  potelan::MainWindow window(state, prompts, argc < 2);
  window.show();
  return QApplication::exec();
}
