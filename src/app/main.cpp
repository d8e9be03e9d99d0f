// potelan: the desktop program.
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "Version.hpp"
#include "app/MainWindow.hpp"
#include "app/ToolbarIcons.hpp"
#include "model/AppState.hpp"
#include "ui/Fonts.hpp"
#include "ui/QtPrompts.hpp"
#include "ui/Translations.hpp"

namespace {

// Without a display the toolkit would abort with a long trace; say it once.
bool HasDisplay() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) {
    return true;
  }
  return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

// A display that is named but cannot be opened ends in the toolkit's fatal
// error with a page of advice; while the application starts, say it in one
// line instead and stop. Other start-up warnings are passed on once the
// application stands.
QStringList& StartupWarnings() {
  static QStringList warnings;
  return warnings;
}

void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    const QString reason = !StartupWarnings().isEmpty()
                               ? StartupWarnings().first()
                               : message.section(QLatin1Char('\n'), 0, 0).trimmed();
    std::fprintf(stderr, "potelan: cannot open the display \"%s\" (%s)\n",
                 qgetenv("DISPLAY").constData(), qPrintable(reason));
    std::_Exit(1);
  }
  if (type != QtDebugMsg && type != QtInfoMsg) StartupWarnings() << message;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before any display is looked for, so that it works anywhere.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("potelan %s\n", potelan::kVersion);
    return 0;
  }
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "potelan: no display to show the windows on (set DISPLAY, or run it under "
                 "xvfb-run)\n");
    return 1;
  }
  const QtMessageHandler previous = qInstallMessageHandler(StartupMessages);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  for (const QString& warning : StartupWarnings()) std::fprintf(stderr, "%s\n", qPrintable(warning));
  QApplication::setApplicationName(QStringLiteral("potelan"));
  QApplication::setWindowIcon(potelan::ProgramIcon());
  potelan::InstallFontSubstitutes();
  potelan::InstallQtTranslations(app);
  potelan::AppState state;
  potelan::QtPrompts prompts;
  // A file named on the command line (a link file opened from the file
  // manager) takes the place of the type choice.
  const QStringList arguments = QApplication::arguments();
  potelan::MainWindow window(state, prompts, arguments.size() < 2);
  window.show();
  if (arguments.size() >= 2) window.OpenAtStart(arguments.at(1));
  return QApplication::exec();
}
