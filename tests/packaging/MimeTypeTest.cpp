// The link-file type as a desktop sees it once the package is installed: the
// MIME database compiled from the installed tree (XDG_DATA_DIRS points at it)
// names every example by its *.lin name and by its SUSTYPE= start alone, and
// nothing else.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>

namespace {

const QString kLinkType = QStringLiteral("application/x-potelan-link");

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

QByteArray Example(const QString& name) {
  QFile file(QStringLiteral(POTELAN_EXAMPLES "/") + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return file.readAll();
}

TEST(LinkFileMimeTypeTest, TypeIsInstalledAsText) {
  const QMimeType type = QMimeDatabase().mimeTypeForName(kLinkType);
  ASSERT_TRUE(type.isValid()) << "the installed MIME database does not define "
                              << kLinkType.toStdString();
  EXPECT_TRUE(type.inherits(QStringLiteral("text/plain")));
  EXPECT_TRUE(type.globPatterns().contains(QStringLiteral("*.lin")));
}

TEST(LinkFileMimeTypeTest, EveryExampleIsALinkFileByNameAndByContent) {
  const QMimeDatabase db;
  const QStringList examples =
      QDir(QStringLiteral(POTELAN_EXAMPLES)).entryList({QStringLiteral("*.lin")}, QDir::Files);
  ASSERT_FALSE(examples.isEmpty());
  QTemporaryDir dir;
  for (const QString& name : examples) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_EQ(db.mimeTypeForFile(QStringLiteral(POTELAN_EXAMPLES "/") + name).name(), kLinkType);
    // Saved without its extension, the SUSTYPE= start alone names it.
    const QString bare = WriteFile(dir, QFileInfo(name).completeBaseName(), Example(name));
    EXPECT_EQ(db.mimeTypeForFile(bare).name(), kLinkType);
    EXPECT_EQ(db.mimeTypeForData(Example(name)).name(), kLinkType);
  }
}

// The magic holds at the first byte only: a text that mentions SUSTYPE= further
// on is not taken for a link file, or the file manager would open ordinary
// notes with the program.
TEST(LinkFileMimeTypeTest, SustypeLaterInATextIsNotALinkFile) {
  const QMimeDatabase db;
  QTemporaryDir dir;
  const QString note = WriteFile(dir, QStringLiteral("note"), "notes on the link\r\nSUSTYPE=4\r\n");
  EXPECT_NE(db.mimeTypeForFile(note).name(), kLinkType);
  const QString indented = WriteFile(dir, QStringLiteral("indented"), " SUSTYPE=4\r\n");
  EXPECT_NE(db.mimeTypeForFile(indented).name(), kLinkType);
}

}  // namespace
