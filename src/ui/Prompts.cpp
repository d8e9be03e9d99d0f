#include "ui/Prompts.hpp"

#include <QDir>

#include "ui/Texts.hpp"

namespace potelan {

void TellFileFailure(Prompts& prompts, QWidget* parent, const QString& headline,
                     const QString& path, const QString& cause) {
  qWarning("potelan: %s", qPrintable(cause));
  prompts.Message(parent, headline + QLatin1Char('\n') + QDir::toNativeSeparators(path),
                  text::kWarningTitle, MessageIcon::Error);
}

}  // namespace potelan
