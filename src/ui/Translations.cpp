#include "ui/Translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

namespace potelan {
namespace {

// The per-user settings of the windows (~/.config/potelan/potelan.conf on
// Linux); the settings file potelan.ini beside the link files is another.
const QString kLanguageKey = QStringLiteral("Language");

std::unique_ptr<QSettings> UserSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QStringLiteral("potelan"), QStringLiteral("potelan"));
}

QTranslator* Install(QCoreApplication& app, const QString& file, const QString& folder) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace

Language ResolveLanguage(LanguageChoice choice, const QStringList& uiLanguages) {
  switch (choice) {
    case LanguageChoice::Japanese: return Language::Japanese;
    case LanguageChoice::English: return Language::English;
    case LanguageChoice::Automatic: break;
  }
  const QString first = uiLanguages.value(0);
  if (first.isEmpty() || first == QLatin1String("C") || first == QLatin1String("POSIX") ||
      first.startsWith(QLatin1String("C.")) || first.startsWith(QLatin1String("POSIX."))) {
    return Language::Japanese;
  }
  return QLocale(first).language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

LanguageChoice StoredLanguageChoice() {
  const QString stored = UserSettings()->value(kLanguageKey).toString();
  if (stored == QLatin1String("ja")) return LanguageChoice::Japanese;
  if (stored == QLatin1String("en")) return LanguageChoice::English;
  return LanguageChoice::Automatic;
}

void StoreLanguageChoice(LanguageChoice choice) {
  const std::unique_ptr<QSettings> settings = UserSettings();
  switch (choice) {
    case LanguageChoice::Automatic: settings->remove(kLanguageKey); break;
    case LanguageChoice::Japanese: settings->setValue(kLanguageKey, QStringLiteral("ja")); break;
    case LanguageChoice::English: settings->setValue(kLanguageKey, QStringLiteral("en")); break;
  }
}

QList<QTranslator*> InstallTranslations(QCoreApplication& app, Language language) {
  QList<QTranslator*> installed;
  const bool english = language == Language::English;
  if (QLocale().decimalPoint() != QLatin1String(".")) {
    QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                : QLocale(QLocale::Japanese, QLocale::Japan));
  }
  QTranslator* translator =
      english ? Install(app, QStringLiteral("potelan_en"), QStringLiteral(":/i18n"))
              : InstallQtTranslations(app);
  if (translator != nullptr) installed << translator;
  return installed;
}

QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& folder) {
  const QString from =
      folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
  return Install(app, QStringLiteral("qtbase_ja"), from);
}

}  // namespace potelan
