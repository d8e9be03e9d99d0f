// Reading and writing at the edge: what is not a regular file, or is far too
// large, is refused before it can hang the program or fill its memory; a line
// that would break the line structure is never written; a device target is
// never replaced by a regular file.

#include "files/TextCodec.hpp"
#include "FileBytes.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace potelan {
namespace {

namespace fs = std::filesystem;

fs::path Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

using testing::ReadBytes;
using testing::WriteBytes;

struct ReadOutcome {
  bool Read = false;
  QString Error;
};

ReadOutcome Read(const QString& path) {
  ReadOutcome outcome;
  outcome.Read = ReadTextLines(path, &outcome.Error).has_value();
  return outcome;
}

// ---------------------------------------------------------------------------
// Reading

// Reading a named pipe used to open it and wait for a writer that never
// came: the program hung. It must be refused without being opened. Should
// the reading hang all the same, the test lets it go by opening and closing
// the pipe's writing end, and fails.
TEST(ReadTextLines, RefusesANamedPipeWithoutWaiting) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pipe = dir.filePath("pipe.lin");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  std::future<ReadOutcome> reading = std::async(std::launch::async, [&] { return Read(pipe); });
  if (reading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {
        ::close(fd);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    reading.wait();
    FAIL() << "reading a named pipe waited for a writer";
  }
  const ReadOutcome outcome = reading.get();
  EXPECT_FALSE(outcome.Read);
  EXPECT_TRUE(outcome.Error.contains(pipe)) << outcome.Error.toStdString();
  EXPECT_TRUE(outcome.Error.contains("not a regular file")) << outcome.Error.toStdString();
  EXPECT_TRUE(fs::is_fifo(Native(pipe)));
}

// Reading /dev/zero used to grow without end (gigabytes); a device and a
// folder, also behind a symbolic link, are refused before they are opened.
TEST(ReadTextLines, RefusesDevicesAndFolders) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.lin")));
  for (const QString& path : {QStringLiteral("/dev/zero"), QStringLiteral("/dev/null"),
                              dir.path(), dir.filePath("zero.lin")}) {
    const ReadOutcome outcome = Read(path);
    EXPECT_FALSE(outcome.Read) << path.toStdString();
    EXPECT_TRUE(outcome.Error.contains(path)) << outcome.Error.toStdString();
    EXPECT_TRUE(outcome.Error.contains("not a regular file")) << outcome.Error.toStdString();
  }
}

// No link or settings file comes near a mebibyte; a larger file is refused
// unread, and one of exactly the limit is still read whole.
TEST(ReadTextLines, RefusesAFileLargerThanTheLimitAndReadsOneAtIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray line("MaxStroke=150\r\n");
  QByteArray atLimit = line.repeated(kMaxTextFileBytes / line.size());
  atLimit += QByteArray(kMaxTextFileBytes - atLimit.size(), 'x');
  ASSERT_EQ(atLimit.size(), kMaxTextFileBytes);
  ASSERT_TRUE(WriteBytes(dir.filePath("limit.ini"), atLimit));
  const std::optional<QStringList> lines = ReadTextLines(dir.filePath("limit.ini"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->size(), kMaxTextFileBytes / line.size() + 1);
  EXPECT_EQ(lines->first(), "MaxStroke=150");

  ASSERT_TRUE(WriteBytes(dir.filePath("large.ini"), atLimit + "x"));
  const ReadOutcome outcome = Read(dir.filePath("large.ini"));
  EXPECT_FALSE(outcome.Read);
  EXPECT_TRUE(outcome.Error.contains(dir.filePath("large.ini"))) << outcome.Error.toStdString();
  EXPECT_TRUE(outcome.Error.contains("larger")) << outcome.Error.toStdString();
}

// ---------------------------------------------------------------------------
// Writing

// A lone CR inside a line would be read back as part of that line on one
// system and as a line end on another; such a line is never written, and
// the previous file stays.
TEST(WriteTextLines, ALineWithALoneCrCannotBeWritten) {
  QString error;
  EXPECT_FALSE(EncodeLines({"a", "b", "c\rd"}, &error));
  EXPECT_TRUE(error.contains("line 3")) << error.toStdString();
  EXPECT_FALSE(EncodeLines({"\r"}, &error));
  EXPECT_FALSE(EncodeLines({"x\n"}, &error));

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("kept.lin");
  ASSERT_TRUE(WriteBytes(path, "SUSTYPE=3\r\n"));
  EXPECT_FALSE(WriteTextLines(path, {"SUSTYPE=4", "フォーク長=5\r00"}, &error));
  EXPECT_TRUE(error.contains(path)) << error.toStdString();
  EXPECT_TRUE(error.contains("was not saved")) << error.toStdString();
  EXPECT_EQ(ReadBytes(path), QByteArray("SUSTYPE=3\r\n"));
}

// As root, saving onto a named pipe used to rename a regular file over it.
// A target that is neither a regular file nor a character device is refused
// and stays what it was.
TEST(WriteFileAtomically, RefusesANamedPipeAndLeavesIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pipe = dir.filePath("pipe.csv");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  QString error;
  EXPECT_FALSE(WriteFileAtomically(pipe, "a\r\n", &error));
  EXPECT_TRUE(error.contains(pipe)) << error.toStdString();
  EXPECT_TRUE(error.contains("was not saved")) << error.toStdString();
  EXPECT_TRUE(fs::is_fifo(Native(pipe)));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            QStringList{"pipe.csv"});
}

// A character device is written in place: /dev/null takes the bytes and
// stays a device (a root process used to put a regular file in its place).
TEST(WriteFileAtomically, WritesACharacterDeviceInPlace) {
  if (!fs::is_character_file("/dev/null")) GTEST_SKIP() << "no /dev/null device here";
  QString error;
  EXPECT_TRUE(WriteFileAtomically("/dev/null", "MaxStroke=150\r\n", &error))
      << error.toStdString();
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace potelan
