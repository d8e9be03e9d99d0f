// Saves that fail say so: the link file, the settings file and the CSV, on a
// real full disk and on /dev/full, report that the file was not saved, and
// the previous file is byte for byte what it was.

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "FullFileSystem.hpp"
#include "entry/BoxNames.hpp"
#include "entry/MemoryForm.hpp"
#include "files/LinkFile.hpp"
#include "files/SettingsFile.hpp"
#include "files/TableExport.hpp"
#include "model/ResultTable.hpp"
#include "FileBytes.hpp"

namespace potelan {
namespace {

namespace fs = std::filesystem;

using testing::ReadBytes;
using testing::WriteBytes;

// One kind of save: the file it writes inside a folder and how it is saved.
struct Saver {
  const char* Name;
  QString FileName;
  std::function<WriteResult(const QString& folder)> Save;
};

std::vector<Saver> Savers() {
  const QString linkName = QStringLiteral("set.lin");
  const QString csvName = QStringLiteral("table.csv");
  return {
      {"link file", linkName,
       [linkName](const QString& folder) {
         AppState state;
         state.Set[kChangedSet].SusType = 3;
         state.Set[kChangedSet].SusPos = 2;
         MemoryForm form = MemoryForm::InputForm();
         form.SetBoxText(box::ForkLength, QStringLiteral("560"));
         return WriteLinkFile(state, form, QDir(folder).filePath(linkName), kChangedSet);
       }},
      {"settings file", kSettingsFileName,
       [](const QString& folder) { return WriteSettings(folder, 150); }},
      {"CSV", csvName,
       [csvName](const QString& folder) {
         AppState state;
         ResultTable table;
         table.BuildHeaders();
         WriteResult result;
         result.Ok = WriteCsvFile(QDir(folder).filePath(csvName), CsvLines(state, table),
                                  &result.Error);
         return result;
       }},
  };
}

// On a full disk the writer's buffer took every byte and the commit renamed
// an empty temporary file over the target: the save said nothing and left a
// 0-byte file where the previous one had been. Now each save fails, names
// the file, says it was not saved, and leaves the previous file and no
// temporary file. With room made again the same save succeeds, so it was the
// full disk that stopped it.
TEST(SaveOnAFullDisk, FailsAndKeepsThePreviousFile) {
  for (const Saver& saver : Savers()) {
    SCOPED_TRACE(saver.Name);
    // A sync failing with EIO and a failed commit (rename), through the writer's seam.
    for (const SaveStep step : {SaveStep::Sync, SaveStep::Commit}) {
      QTemporaryDir dir;
      const QString path = dir.filePath(saver.FileName);
      ASSERT_TRUE(WriteBytes(path, "previous\r\n"));
      const SaveFaultInjection fault([step](SaveStep at) { return at == step ? EIO : 0; });
      const WriteResult result = saver.Save(dir.path());
      EXPECT_FALSE(result.Ok);
      EXPECT_TRUE(result.Error.contains(path + "\" was not saved: " + std::strerror(EIO)))
          << result.Error.toStdString();
      EXPECT_EQ(ReadBytes(path), "previous\r\n");
      EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{saver.FileName});
    }
    fixtures::FullFileSystem disk;
    if (!disk.Mounted()) GTEST_SKIP() << disk.SkipReason();
    const QString path = disk.FilePath(saver.FileName);
    const QByteArray previous("previous content\r\nMaxStroke=120\r\n");
    ASSERT_TRUE(WriteBytes(path, previous));
    ASSERT_TRUE(disk.Fill());

    const WriteResult result = saver.Save(disk.Path());
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Error.contains(path)) << result.Error.toStdString();
    EXPECT_TRUE(result.Error.contains(QRegularExpression("saved: only 0 of \\d+ bytes reached the disk")))
        << result.Error.toStdString();
    EXPECT_EQ(ReadBytes(path), previous);
    QStringList expected{saver.FileName, fixtures::FullFileSystem::FillerName()};
    expected.sort();
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);

    ASSERT_TRUE(disk.Empty());
    const WriteResult again = saver.Save(disk.Path());
    EXPECT_TRUE(again.Ok) << again.Error.toStdString();
    EXPECT_NE(ReadBytes(path), previous);
    EXPECT_FALSE(ReadBytes(path).isEmpty());
  }
}

// /dev/full takes no byte. A save onto it (the settings file through a link
// named potelan.ini) used to succeed, and as root it put a regular file in
// the place of the device. Now each fails with the file named, and the
// device and the link stay as they were.
TEST(SaveOnDevFull, FailsAndLeavesTheDevice) {
  if (!fs::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full device here";
  for (const Saver& saver : Savers()) {
    SCOPED_TRACE(saver.Name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(saver.FileName);
    ASSERT_TRUE(QFile::link("/dev/full", path));

    const WriteResult result = saver.Save(dir.path());
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Error.contains(path)) << result.Error.toStdString();
    EXPECT_TRUE(result.Error.contains("was not saved")) << result.Error.toStdString();
    EXPECT_TRUE(fs::is_symlink(QFile::encodeName(path).toStdString()));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{saver.FileName});
  }
  // Named directly, as a user might in a save dialog or on the command line.
  QString error;
  EXPECT_FALSE(WriteCsvFile("/dev/full", {"a,b,"}, &error));
  EXPECT_TRUE(error.contains("\"/dev/full\" was not saved")) << error.toStdString();
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace potelan
