// The settings file: default and fallback values, skipped lines, the
// dialog's entry check, and rewriting the file without losing it.

#include "files/SettingsFile.hpp"
#include "FileBytes.hpp"
#include "QtText.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace potelan {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    state.MaxStroke = -7;  // neither default nor 0, so every outcome is visible
  }
  std::int16_t ReadWith(const QByteArray& bytes) {
    EXPECT_TRUE(WriteBytes(dir.filePath("potelan.ini"), bytes));
    EXPECT_EQ(ReadSettings(state, dir.path()), SettingsReadStatus::Read);
    return state.MaxStroke;
  }

  QTemporaryDir dir;
  AppState state;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaultAndSetsTheFolder) {
  EXPECT_EQ(ReadSettings(state, dir.path()), SettingsReadStatus::NotFound);
  EXPECT_EQ(state.MaxStroke, 150);
  EXPECT_EQ(state.AppFolder, dir.path().toStdString());
}

TEST_F(SettingsFileTest, ReadsTheMaxStrokeLineAmongOthers) {
  EXPECT_EQ(ReadWith("Other=5\r\nMaxStroke=120\r\n"), 120);
}

TEST_F(SettingsFileTest, FileWithoutTheKeyGivesZero) {
  EXPECT_EQ(ReadWith("Other=5\r\n"), 0);
  EXPECT_EQ(ReadWith(""), 0);
}

TEST_F(SettingsFileTest, KeyIsMatchedExactly) {
  EXPECT_EQ(ReadWith("maxstroke=50\r\nMaxStroke =60\r\n MaxStroke=70\r\n"), 0);
}

TEST_F(SettingsFileTest, ValueIsRoundedHalvesToEven) {
  EXPECT_EQ(ReadWith("MaxStroke=120.5\r\n"), 120);
  EXPECT_EQ(ReadWith("MaxStroke=121.5\r\n"), 122);
  EXPECT_EQ(ReadWith("MaxStroke= 99 \r\n"), 99);
}

TEST_F(SettingsFileTest, BadLinesAreSkippedWithoutStopping) {
  EXPECT_EQ(ReadWith("MaxStroke=100\r\n"
                     "\r\n"
                     "no equals sign\r\n"
                     "MaxStroke=abc\r\n"
                     "MaxStroke=\r\n"
                     "MaxStroke=3277\r\n"
                     "MaxStroke=-1\r\n"
                     "MaxStroke=1e9\r\n"),
            100);
  EXPECT_EQ(ReadWith("MaxStroke=abc\r\nMaxStroke=3276\r\n"), 3276);
  EXPECT_EQ(ReadWith("MaxStroke=-0.4\r\n"), 0);
}

TEST_F(SettingsFileTest, LaterLineOverridesAnEarlierOne) {
  EXPECT_EQ(ReadWith("MaxStroke=100\r\nMaxStroke=80\r\n"), 80);
  EXPECT_EQ(ReadWith("MaxStroke=100\nMaxStroke=90"), 90);  // LF only, no final line end
}

TEST_F(SettingsFileTest, ShiftJisCommentLinesDoNotDisturb) {
  EXPECT_EQ(ReadWith(QByteArray("\x8f\x89\x8a\xfa\x90\xdd\x92\xe8\r\nMaxStroke=140\r\n")), 140);
}

TEST_F(SettingsFileTest, UnreadableFileKeepsTheDefault) {
  // A folder named like the settings file exists but cannot be read as one.
  ASSERT_TRUE(QDir(dir.path()).mkdir("potelan.ini"));
  EXPECT_EQ(ReadSettings(state, dir.path()), SettingsReadStatus::Unreadable);
  EXPECT_EQ(state.MaxStroke, 150);
}

// A MaxStroke value that cannot be used was skipped without a trace, so a
// sweep of stroke 0 alone came as a silent surprise. Every skipped value is
// now named with its line, and a clean file reports nothing.
TEST_F(SettingsFileTest, ReportNamesEveryIgnoredValueWithItsLine) {
  ASSERT_TRUE(WriteBytes(dir.filePath("potelan.ini"),
                         "MaxStroke=abc\r\nOther=x\r\nMaxStroke=20\r\nMaxStroke=4000\r\n"
                         "MaxStroke=-1\r\n"));
  SettingsReport report;
  report.Ignored << "left over from an earlier read";
  EXPECT_EQ(ReadSettings(state, dir.path(), &report), SettingsReadStatus::Read);
  EXPECT_EQ(state.MaxStroke, 20);
  ASSERT_EQ(report.Ignored.size(), 3) << report.Ignored.join('|').toStdString();
  EXPECT_TRUE(report.Ignored[0].contains("line 1")) << report.Ignored[0].toStdString();
  EXPECT_TRUE(report.Ignored[0].contains("\"abc\"")) << report.Ignored[0].toStdString();
  EXPECT_TRUE(report.Ignored[1].contains("line 4")) << report.Ignored[1].toStdString();
  EXPECT_TRUE(report.Ignored[1].contains("\"4000\"")) << report.Ignored[1].toStdString();
  EXPECT_TRUE(report.Ignored[2].contains("\"-1\"")) << report.Ignored[2].toStdString();
  EXPECT_TRUE(report.Error.isEmpty());

  ASSERT_TRUE(WriteBytes(dir.filePath("potelan.ini"), "MaxStroke=120.5\r\n"));
  EXPECT_EQ(ReadSettings(state, dir.path(), &report), SettingsReadStatus::Read);
  EXPECT_EQ(state.MaxStroke, 120);
  EXPECT_TRUE(report.Ignored.isEmpty());
}

// A settings file that is a device, or far too large, is not read (reading
// /dev/zero never ended): the default stands and the report says why.
TEST_F(SettingsFileTest, DeviceOrOversizedFileIsUnreadableWithTheReason) {
  ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("potelan.ini")));
  SettingsReport report;
  EXPECT_EQ(ReadSettings(state, dir.path(), &report), SettingsReadStatus::Unreadable);
  EXPECT_EQ(state.MaxStroke, 150);
  EXPECT_TRUE(report.Error.contains("potelan.ini")) << report.Error.toStdString();
  EXPECT_TRUE(report.Error.contains("not a regular file")) << report.Error.toStdString();

  ASSERT_TRUE(QFile::remove(dir.filePath("potelan.ini")));
  ASSERT_TRUE(
      WriteBytes(dir.filePath("potelan.ini"), QByteArray("MaxStroke=20\r\n").repeated(80000)));
  state.MaxStroke = -7;
  EXPECT_EQ(ReadSettings(state, dir.path(), &report), SettingsReadStatus::Unreadable);
  EXPECT_EQ(state.MaxStroke, 150);
  EXPECT_TRUE(report.Error.contains("larger")) << report.Error.toStdString();
}

TEST_F(SettingsFileTest, WritesTheSingleLineInShiftJisWithCrLf) {
  const WriteResult result = WriteSettings(dir.path(), 152);
  ASSERT_TRUE(result.Ok) << result.Error.toStdString();
  EXPECT_EQ(ReadBytes(dir.filePath("potelan.ini")), QByteArray("MaxStroke=152\r\n"));
}

TEST_F(SettingsFileTest, RoundTripReplacesTheWholeFile) {
  ASSERT_TRUE(WriteBytes(dir.filePath("potelan.ini"), "Other=1\r\nMaxStroke=10\r\n"));
  ASSERT_TRUE(WriteSettings(dir.path(), 0).Ok);
  EXPECT_EQ(ReadSettings(state, dir.path()), SettingsReadStatus::Read);
  EXPECT_EQ(state.MaxStroke, 0);
  ASSERT_TRUE(WriteSettings(dir.path(), 3276).Ok);
  ReadSettings(state, dir.path());
  EXPECT_EQ(state.MaxStroke, 3276);
  EXPECT_EQ(ReadBytes(dir.filePath("potelan.ini")), QByteArray("MaxStroke=3276\r\n"));
}

TEST_F(SettingsFileTest, OutOfRangeValueIsRefusedAndThePreviousFileKept) {
  ASSERT_TRUE(WriteSettings(dir.path(), 150).Ok);
  for (const std::int16_t bad : {std::int16_t{-1}, std::int16_t{3277}}) {
    const WriteResult result = WriteSettings(dir.path(), bad);
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Error.contains("MaxStroke")) << result.Error.toStdString();
  }
  EXPECT_EQ(ReadBytes(dir.filePath("potelan.ini")), QByteArray("MaxStroke=150\r\n"));
}

TEST_F(SettingsFileTest, WritingIntoAMissingFolderReportsAnError) {
  const WriteResult result = WriteSettings(dir.filePath("missing"), 150);
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Error.contains("potelan.ini")) << result.Error.toStdString();
}

TEST(SettingsFilePath, JoinsWithOneSlash) {
  EXPECT_EQ(SettingsFilePath("/home/user"), "/home/user/potelan.ini");
  EXPECT_EQ(SettingsFilePath("/"), "/potelan.ini");
}

TEST(ParseMaxStrokeEntry, AcceptsIntegersInRange) {
  EXPECT_EQ(ParseMaxStrokeEntry("150"), 150);
  EXPECT_EQ(ParseMaxStrokeEntry("0"), 0);
  EXPECT_EQ(ParseMaxStrokeEntry("3276"), 3276);
  EXPECT_EQ(ParseMaxStrokeEntry(" 152 "), 152);
  EXPECT_EQ(ParseMaxStrokeEntry("\t007"), 7);
}

TEST(ParseMaxStrokeEntry, RefusesEverythingElse) {
  for (const QString& text :
       {QStringLiteral(""), QStringLiteral("  "), QStringLiteral("3277"), QStringLiteral("-1"),
        QStringLiteral("+5"), QStringLiteral("150.0"), QStringLiteral("1 50"),
        QStringLiteral("abc"), QStringLiteral("１５０"), QStringLiteral("99999999999999999999"),
        QStringLiteral("1e2")}) {
    EXPECT_FALSE(ParseMaxStrokeEntry(text)) << text.toStdString();
  }
}

}  // namespace
}  // namespace potelan
