// potelan: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <optional>

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

// The command line, read before any window: help, the version, a mistake,
// or the link file to open. Answered without a display, so that it works
// anywhere. The parser's own process() would end a mistake with status 1,
// which a caller could not tell from a missing display, so its parse() is
// used and the answers are given here.
struct CommandLine {
  std::optional<int> ExitStatus;  // set: the program has answered and ends
  QString File;                   // the link file named, if any
};

CommandLine ReadCommandLine(int argc, char* argv[]) {
  // A core application of its own (no display) gives the parser the
  // program's name and the arguments in the locale's encoding; it is gone
  // before the windows' application is made.
  const QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("potelan"));
  QCommandLineParser parser;
  // Qt's own options keep their single dash ("-style fusion").
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QStringLiteral(
      "Potelan: link ratio, shock stroke and member loads of a motorcycle rear\n"
      "suspension worked through a linkage."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version(QStringLiteral("version"),
                                   QStringLiteral("Show the version and exit."));
  parser.addOption(help);
  parser.addOption(version);
  // The toolkit's own options, passed on to it and not listed.
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "style",
                           "stylesheet", "display", "geometry", "qwindowgeometry", "qwindowtitle",
                           "qwindowicon", "session", "name", "title"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : {"reverse", "nograb", "dograb", "sync", "widgetcount"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("A link file (*.lin) to open as the base set."),
                               QStringLiteral("[FILE]"));
  const auto mistake = [](const QString& text) {
    std::fprintf(stderr, "potelan: %s\nTry 'potelan --help'.\n", qPrintable(text));
    return CommandLine{2, {}};
  };
  if (!parser.parse(QCoreApplication::arguments())) return mistake(parser.errorText());
  if (parser.isSet(help)) {
    std::printf("%s", qPrintable(parser.helpText()));
    return {0, {}};
  }
  if (parser.isSet(version)) {
    std::printf("potelan %s\n", potelan::kVersion);
    return {0, {}};
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return mistake(QStringLiteral("give at most one link file"));
  return {std::nullopt, files.value(0)};
}

}  // namespace

int main(int argc, char* argv[]) {
  const CommandLine commandLine = ReadCommandLine(argc, argv);
  if (commandLine.ExitStatus) return *commandLine.ExitStatus;
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
  // The language of the windows: the user's choice in the settings dialog,
  // else the system's.
  const potelan::Language language =
      potelan::ResolveLanguage(potelan::StoredLanguageChoice(), QLocale::system().uiLanguages());
  potelan::InstallFontSubstitutes(language == potelan::Language::English);
  potelan::InstallTranslations(app, language);
  potelan::AppState state;
  potelan::QtPrompts prompts;
  // A file named on the command line (a link file opened from the file
  // manager) takes the place of the type choice.
  potelan::MainWindow window(state, prompts, commandLine.File.isEmpty());
  window.show();
  if (!commandLine.File.isEmpty()) window.OpenAtStart(commandLine.File);
  return QApplication::exec();
}
