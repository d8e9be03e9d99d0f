// The English translation is complete and in step with the sources: lupdate
// run over a copy of translations/potelan_en.ts adds no new text and finds
// none gone, and every English text is finished, free of Japanese script and
// CJK punctuation, and keeps the placeholders of its source.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const QChar::Script script = c.script();
    if (script == QChar::Script_Hiragana || script == QChar::Script_Katakana ||
        script == QChar::Script_Han || (c.unicode() >= 0x3000 && c.unicode() <= 0x303F) ||
        (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF)) {
      return true;
    }
  }
  return false;
}

QStringList Placeholders(const QString& text) {
  QStringList found;
  for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text)) {
    found << match.captured();
  }
  found.sort();
  return found;
}

TEST(TranslationsTest, EveryTextHasAFinishedEnglishTranslationAndNoneIsLeftOver) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString ts = dir.filePath(QStringLiteral("potelan_en.ts"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(POTELAN_TS_FILE), ts));
  QStringList arguments{QStringLiteral("-I"), QStringLiteral(POTELAN_SOURCE_DIR "/src"),
                        QStringLiteral("-source-language"), QStringLiteral("ja"),
                        QStringLiteral("-target-language"), QStringLiteral("en"),
                        QStringLiteral("-locations"), QStringLiteral("none"),
                        QStringLiteral("-extensions"), QStringLiteral("cpp,hpp")};
  for (const QString& folder : QStringLiteral(POTELAN_TRANSLATED_DIRS).split(QLatin1Char(','))) {
    arguments << QStringLiteral(POTELAN_SOURCE_DIR "/src/") + folder;
  }
  arguments << QStringLiteral("-ts") << ts;
  QProcess lupdate;
  lupdate.start(QStringLiteral(POTELAN_LUPDATE), arguments);
  ASSERT_TRUE(lupdate.waitForFinished(120000)) << lupdate.errorString().toStdString();
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

  QFile file(ts);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QString context;
  QString source;
  int messages = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("source")) {
      source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    } else if (xml.name() == QLatin1String("translation")) {
      const QString type = xml.attributes().value(QLatin1String("type")).toString();
      const QString english = xml.readElementText(QXmlStreamReader::IncludeChildElements);
      const std::string where = (context + QStringLiteral(": ") + source).toStdString();
      ++messages;
      EXPECT_TRUE(type.isEmpty()) << type.toStdString() << " (run update_translations): " << where;
      EXPECT_FALSE(english.isEmpty()) << where;
      EXPECT_FALSE(HasJapanese(english)) << where << " -> " << english.toStdString();
      EXPECT_EQ(Placeholders(english), Placeholders(source)) << where;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(messages, 100);
}

}  // namespace
