// The language of the windows. The program's own language is Japanese; under
// any other system language it speaks English through the translation built
// from translations/potelan_en.ts. Qt's own dialogs (open, save, the
// overwrite question, the printer dialog and the print preview) follow: Qt's
// Japanese translations are loaded for Japanese only, and English leaves Qt
// in its own English whatever the locale.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;
class QTranslator;

namespace potelan {

enum class Language { Japanese, English };

// The choice of the settings dialog, kept per user (QSettings, not the
// settings file): the system's language, or one of the two.
enum class LanguageChoice { Automatic, Japanese, English };

// The language a start uses. Automatic: Japanese when the first of the
// system's UI languages (QLocale::system().uiLanguages(), which follows
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG) is Japanese, or is the C/POSIX
// locale, or there is none; English for every other.
Language ResolveLanguage(LanguageChoice choice, const QStringList& uiLanguages);

// The user's stored choice (Automatic when none or an unknown one is stored),
// and storing a new one; it applies from the next start.
LanguageChoice StoredLanguageChoice();
void StoreLanguageChoice(LanguageChoice choice);

// Installs the translations of `language` on the application, which owns
// them: for English the program's English texts, for Japanese Qt's Japanese
// translation. Numbers keep a decimal point: a system locale that writes a
// decimal comma gives way to the language's own (en_US, ja_JP). Returns the
// translators installed (none when a file is missing; nothing is said).
QList<QTranslator*> InstallTranslations(QCoreApplication& app, Language language);

// Loads Qt's Japanese translation ("qtbase_ja.qm") from `folder`, or from Qt's
// own translations folder when `folder` is empty, and installs it on the
// application, which owns it. Without the file Qt stays in English and
// nothing is said: nullptr.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& folder = QString());

}  // namespace potelan
