// Qt's own dialogs (open, save, the overwrite question, the printer dialog and
// the print preview) speak the program's language: Qt's Japanese translations
// are loaded at start-up when the system has them.
#pragma once

#include <QString>

class QCoreApplication;
class QTranslator;

namespace potelan {

// Loads Qt's Japanese translation ("qtbase_ja.qm") from `folder`, or from Qt's
// own translations folder when `folder` is empty, and installs it on the
// application, which owns it. Without the file Qt stays in English and
// nothing is said: nullptr.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& folder = QString());

}  // namespace potelan
