// Qt's own dialogs in Japanese: the translation loaded at start-up, and a
// start-up without it.

#include "ui/Translations.hpp"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

namespace potelan {
namespace {

// The Yes button of a message box as Qt captions it.
QString YesCaption() {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  return box.button(QMessageBox::Yes)->text();
}

// Qt's buttons and dialogs spoke English inside the Japanese program. With
// Qt's Japanese translation installed they speak Japanese.
TEST(QtTranslationsTest, QtDialogsSpeakJapanese) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")))
      << "Qt's translations are missing: tools/install-deps.sh test installs "
         "qt6-translations-l10n";
  const QString english = YesCaption();
  ASSERT_EQ(english, "&Yes");

  QTranslator* translator = InstallQtTranslations(*qApp);
  ASSERT_NE(translator, nullptr);
  EXPECT_EQ(translator->parent(), qApp);
  EXPECT_TRUE(YesCaption().contains(QStringLiteral("はい"))) << YesCaption().toStdString();
  EXPECT_TRUE(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview")
                  .contains(QStringLiteral("プレビュー")));

  QCoreApplication::removeTranslator(translator);
  delete translator;
  EXPECT_EQ(YesCaption(), english);
}

// A system without Qt's translations starts as before, in Qt's English,
// without a word about it.
TEST(QtTranslationsTest, MissingTranslationIsNoError) {
  QTemporaryDir empty;
  ASSERT_TRUE(empty.isValid());
  EXPECT_EQ(InstallQtTranslations(*qApp, empty.path()), nullptr);
  EXPECT_EQ(YesCaption(), "&Yes");
  EXPECT_TRUE(qApp->findChildren<QTranslator*>().isEmpty());
}

}  // namespace
}  // namespace potelan
