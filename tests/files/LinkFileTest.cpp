// The link file and the text codec under it: golden Shift-JIS files, the
// reading rules and their failure cases, and saving without losing the
// previous file.

#include "files/LinkFile.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "entry/BoxNames.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/MemoryForm.hpp"
#include "files/TextCodec.hpp"
#include "FileBytes.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

QString DataFile(const char* name) {
  return QStringLiteral(POTELAN_TEST_DATA) + QLatin1Char('/') + QLatin1String(name);
}

QByteArray ShiftJis(const QString& text) {
  const std::optional<QByteArray> bytes = EncodeShiftJis(text);
  return bytes.value_or(QByteArray("encoding failed"));
}

// Writes a Shift-JIS file from lines joined with CR LF.
QString WriteLines(const QTemporaryDir& dir, const char* name, const QStringList& lines) {
  const QString path = dir.filePath(QLatin1String(name));
  WriteBytes(path, ShiftJis(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
  return path;
}

// ---------------------------------------------------------------------------
// Text codec

TEST(TextCodec, SplitsOnCrLfAndLoneLfWithoutATrailingEmptyLine) {
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (QStringList{"a", "b"}));
  EXPECT_EQ(SplitLines("a\nb"), (QStringList{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (QStringList{"a", ""}));
  EXPECT_EQ(SplitLines(""), QStringList{});
  EXPECT_EQ(SplitLines("x\ry\r\n"), (QStringList{"x\ry"}));
}

TEST(TextCodec, DecodesShiftJisUtf8AndUtf8WithBom) {
  const QString text = QStringLiteral("フォーク長=560\r\nｱｸｽﾙ\r\n");
  const QByteArray shiftJis("\x83\x74\x83\x48\x81\x5b\x83\x4e\x92\xb7=560\r\n\xb1\xb8\xbd\xd9\r\n");
  EXPECT_EQ(DecodeText(shiftJis), text);
  EXPECT_EQ(DecodeText(text.toUtf8()), text);
  EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), text);
  EXPECT_EQ(DecodeText("plain"), QStringLiteral("plain"));
}

TEST(TextCodec, EncodesShiftJisWithCrLf) {
  const std::optional<QByteArray> bytes = EncodeLines({"フォーク長=560", "ｱｸｽﾙ", ""});
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes,
            QByteArray("\x83\x74\x83\x48\x81\x5b\x83\x4e\x92\xb7=560\r\n\xb1\xb8\xbd\xd9\r\n\r\n"));
}

TEST(TextCodec, RefusesCharactersShiftJisCannotHold) {
  QString error;
  EXPECT_FALSE(EncodeLines({"ok", QStringLiteral("caf\u00e9")}, &error));
  EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
  EXPECT_TRUE(error.contains("U+00E9")) << error.toStdString();

  EXPECT_FALSE(EncodeShiftJis(QStringLiteral("x\U0001F600"), &error));
  EXPECT_TRUE(error.contains("U+1F600")) << error.toStdString();
}

TEST(TextCodec, RefusesALineWithALineBreakOfItsOwn) {
  QString error;
  EXPECT_FALSE(EncodeLines({"a", "b\r\nc"}, &error));
  EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
}

// ---------------------------------------------------------------------------
// Writing: golden files, byte for byte.

using BoxTexts = std::vector<std::pair<QString, QString>>;

// The entries behind tests/data/type3_input.lin, as typed.
const BoxTexts kType3Texts{
    {box::SusUpX, "120"},          {box::SusUpY, "-250.50"},  {box::ForkLinkLength, "180"},
    {box::ForkLinkOffset, "-25."}, {box::ForkLength, "560."}, {box::AxleStartPos, ".5"},
    {box::Spring, "8.5"},          {box::Preload, "12"},      {box::FrameLinkX, "30"},
    {box::FrameLinkY, "-180.25"},  {box::LinkUp, "80"},       {box::LinkFr, "95.75"},
    {box::LinkRr, "60"},           {box::TenRod, "150"},      {box::PivotX, "0"},
    {box::PivotY, "-1.5"},
};

void Fill(MemoryForm& form, const BoxTexts& texts) {
  for (const auto& [boxName, text] : texts) form.SetBoxText(boxName, text);
}

MemoryForm Type3InputForm() {
  MemoryForm form = MemoryForm::InputForm();
  Fill(form, kType3Texts);
  // Boxes of the other pair and the rebound spring are never written.
  form.SetBoxText(box::SusUpLength, "999");
  form.SetBoxText(box::RebSpring, "3.3");
  return form;
}

TEST(WriteLinkFile, Type3ChangeInputMatchesGolden) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  AppState state;
  state.Set[1].SusType = 3;
  state.Set[1].SusPos = 2;
  state.Set[1].SusUpX = 555.0;  // the file takes the box text, not the set's value
  const MemoryForm form = Type3InputForm();
  const QString path = dir.filePath("out.lin");

  const WriteResult result = WriteLinkFile(state, form, path, 1);

  ASSERT_TRUE(result.Ok) << result.Error.toStdString();
  EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("type3_input.lin")));
}

TEST(WriteLinkFile, Type5ChangeInputMatchesGolden) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  AppState state;
  state.Set[1].SusType = 5;
  state.Set[1].SusPos = 4;
  MemoryForm form = MemoryForm::InputForm();
  form.SetBoxText(box::SusUpX, "1");  // not written for Type 5
  Fill(form, {{box::SusUpLength, "300"},
              {box::SusUpOffset, "45.5"},
              {box::ForkLinkLength, "175.5"},
              {box::ForkLinkOffset, "-30"},
              {box::ForkLength, "575"},
              {box::AxleStartPos, "-20."},
              {box::Spring, "9.8"},
              {box::Preload, "5."},
              {box::FrameLinkX, "25"},
              {box::FrameLinkY, "-170"},
              {box::LinkUp, "85"},
              {box::LinkFr, "100"},
              {box::LinkRr, "55.5"},
              {box::TenRod, "160"},
              {box::PivotX, "2."}});
  const QString path = dir.filePath("out.lin");

  ASSERT_TRUE(WriteLinkFile(state, form, path, 1).Ok);
  EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("type5_input.lin")));
}

TEST(WriteLinkFile, Type2BaseFormMatchesGoldenWithPivotFromTheSet) {
  // The base forms have no pivot boxes; the pivot lines carry the set's
  // values as the change-input form would show them.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  AppState state;
  state.Set[0].SusType = 2;
  state.Set[0].SusPos = 0;
  state.Set[0].PivotMoveY = -1.5;
  MemoryForm form = MemoryForm::BaseForm(2);
  Fill(form, {{box::SusUpX, "210"},
              {box::SusUpY, "-300"},
              {box::ForkLinkLength, "220.5"},
              {box::ForkLinkOffset, "-40"},
              {box::ForkLength, "600"},
              {box::AxleStartPos, "15"},
              {box::Spring, "12.5"},
              {box::Preload, "8"}});
  const QString path = dir.filePath("out.lin");

  const WriteResult result = WriteLinkFile(state, form, path, 0);

  ASSERT_TRUE(result.Ok) << result.Error.toStdString();
  EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("type2_base.lin")));
}

// The pivot move of a base form comes from the set with one decimal
// ("#0.#"): 1.25 is written as 1.3, never with a second decimal.
TEST(WriteLinkFile, BaseFormPivotMoveHasOneDecimal) {
  AppState state;
  state.Set[0].SusType = 2;
  state.Set[0].PivotMoveX = 1.25;
  state.Set[0].PivotMoveY = 0.04;
  MemoryForm form = MemoryForm::BaseForm(2);
  const std::optional<QStringList> lines = LinkFileLines(state, form, 0);
  ASSERT_TRUE(lines);
  EXPECT_TRUE(lines->contains(QStringLiteral("ピボット移動Ｘ=1.3")));
  EXPECT_TRUE(lines->contains(QStringLiteral("ピボット移動Ｙ=0.")));
}

TEST(WriteLinkFile, LineCountsPerType) {
  AppState state;
  const MemoryForm form = Type3InputForm();
  for (int type = 2; type <= 6; ++type) {
    state.Set[1].SusType = static_cast<std::int16_t>(type);
    const std::optional<QStringList> lines = LinkFileLines(state, form, 1);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), type == 2 ? 12 : 18) << type;
    EXPECT_EQ(lines->at(2).startsWith("サス上部取付長="), type >= 5) << type;
  }
}

TEST(WriteLinkFile, RefusesASetWithoutLinkTypeOrAFormWithoutTheBoxes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("out.lin");
  AppState state;
  const MemoryForm input = Type3InputForm();

  WriteResult result = WriteLinkFile(state, input, path, 1);  // SusType 0
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Error.contains("link type")) << result.Error.toStdString();

  state.Set[0].SusType = 3;
  result = WriteLinkFile(state, MemoryForm::BaseForm(2), path, 0);
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Error.contains("Form_Type2")) << result.Error.toStdString();

  result = WriteLinkFile(state, input, path, 8);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(QFile::exists(path));
}

// Regression: a box holding a text that is no number ("1.2.3", "abc", a
// full-width "１０") was written as it stood and reported as saved; reading
// the file back stopped at that line without a word, so every later value
// was lost. Such a file is now refused with an error naming the box, and a
// file that was there stays as it was.
TEST(WriteLinkFile, RefusesABoxThatHoldsNoNumber) {
  QTemporaryDir dir;
  const QString path = dir.filePath("kept.lin");
  AppState state;
  state.Set[1].SusType = 3;
  state.Set[1].SusPos = 1;
  MemoryForm form = MemoryForm::InputForm();
  for (const QString& name : form.BoxNames()) form.SetBoxText(name, "12.5");
  ASSERT_TRUE(WriteLinkFile(state, form, path, 1).Ok);
  const QByteArray before = ReadBytes(path);
  for (const char* bad : {"1.2.3", "abc", "１０", "-", "1,5"}) {
    form.SetBoxText(box::LinkUp, QString::fromUtf8(bad));
    const WriteResult result = WriteLinkFile(state, form, path, 1);
    EXPECT_FALSE(result.Ok) << bad;
    EXPECT_TRUE(result.Error.contains(box::LinkUp)) << result.Error.toStdString();
    EXPECT_EQ(ReadBytes(path), before) << bad;
  }
  // What the boxes write for zero, and an empty box, are still written.
  for (const char* good : {".", ""}) {
    form.SetBoxText(box::LinkUp, QString::fromUtf8(good));
    EXPECT_TRUE(WriteLinkFile(state, form, path, 1).Ok) << good;
  }
}

TEST(WriteLinkFile, FailedSaveKeepsThePreviousFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("kept.lin");
  const QByteArray previous("SUSTYPE=3\r\nprevious content\r\n");
  ASSERT_TRUE(WriteBytes(path, previous));
  AppState state;
  state.Set[1].SusType = 3;
  state.Set[1].SusPos = 2;
  MemoryForm form = Type3InputForm();

  // Not in Shift-JIS, and no number either: refused before the codec sees it.
  form.SetBoxText(box::LinkUp, QStringLiteral("80\u00e9"));
  WriteResult result = WriteLinkFile(state, form, path, 1);
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Error.contains(box::LinkUp)) << result.Error.toStdString();
  EXPECT_EQ(ReadBytes(path), previous);

  form.SetBoxText(box::LinkUp, "80\n81");  // would break the line structure
  result = WriteLinkFile(state, form, path, 1);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(ReadBytes(path), previous);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.lin"});
}

TEST(WriteLinkFile, SaveIntoAMissingFolderReportsAnError) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  AppState state;
  state.Set[1].SusType = 3;
  const QString path = dir.filePath("no/such/folder/out.lin");
  const WriteResult result = WriteLinkFile(state, Type3InputForm(), path, 1);
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Error.contains(path)) << result.Error.toStdString();
}

TEST(WriteLinkFile, SaveOverAFolderFailsAndLeavesItAlone) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QDir(dir.path()).mkdir("taken.lin"));
  AppState state;
  state.Set[1].SusType = 3;
  const WriteResult result = WriteLinkFile(state, Type3InputForm(), dir.filePath("taken.lin"), 1);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Error.isEmpty());
  EXPECT_TRUE(QFileInfo(dir.filePath("taken.lin")).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

// ---------------------------------------------------------------------------
// Reading

class ReadLinkFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    state.Mode = EditMode::Changing;
  }

  QTemporaryDir dir;
  AppState state;
};

TEST_F(ReadLinkFileTest, Type3FileRestoresTheChangeInputForm) {
  MemoryForm form = MemoryForm::InputForm();

  const LinkReadResult result = ReadLinkFile(state, form, DataFile("type3_input.lin"), 1);

  EXPECT_EQ(result.Status, LinkReadStatus::Ok);
  const ConfigSet& s = state.Set[1];
  EXPECT_EQ(s.SusType, 3);
  EXPECT_EQ(s.SusPos, 2);
  EXPECT_EQ(form.TypeIndexCalls(), (std::vector<int>{1}));
  EXPECT_EQ(form.TypeIndex(), 1);
  EXPECT_EQ(form.PositionLabel(), " P 2");
  for (const auto& [boxName, text] : kType3Texts) {
    EXPECT_EQ(form.BoxText(boxName), text) << boxName.toStdString();
  }
  EXPECT_EQ(form.BoxText(box::SusUpLength), "");
  EXPECT_EQ(s.SusUpY, -250.5);
  EXPECT_EQ(s.ForkLength, 560.0);
  EXPECT_EQ(s.AxleStartPos, 0.5);
  EXPECT_EQ(s.LinkFr, 95.75);
  EXPECT_EQ(s.PivotMoveY, -1.5);
  EXPECT_EQ(s.TenRodLength, 150.0);  // Type 3: no absent-member markers
}

TEST_F(ReadLinkFileTest, Type2FileMarksTheLinkMembersAbsentInEitherSet) {
  MemoryForm input = MemoryForm::InputForm();
  EXPECT_EQ(ReadLinkFile(state, input, DataFile("type2_base.lin"), 1).Status, LinkReadStatus::Ok);
  EXPECT_EQ(input.PositionLabel(), " P 0");
  EXPECT_EQ(input.TypeIndex(), 0);

  state.Set[0].SusType = 2;
  MemoryForm base = MemoryForm::BaseForm(2);
  ReadLinkFile(state, base, DataFile("type2_base.lin"), 0);
  EXPECT_EQ(base.BoxText(box::Spring), "12.5");

  for (int set : {0, 1}) {
    SCOPED_TRACE(set);
    const ConfigSet& s = state.Set[set];
    EXPECT_EQ(s.SusUpX, 210.0);
    EXPECT_EQ(s.FrameLinkX, 10000.0);
    EXPECT_EQ(s.FrameLinkY, 10000.0);
    EXPECT_EQ(s.LinkUp, 10000.0);
    EXPECT_EQ(s.LinkFr, 10000.0);
    EXPECT_EQ(s.LinkRr, 10000.0);
    EXPECT_EQ(s.TenRodLength, 10000.0);
  }
}

TEST_F(ReadLinkFileTest, BaseSetOfAnotherTypeChangesNothing) {
  state.Mode = EditMode::Base;
  state.Set[0].SusType = 3;
  state.Set[0].SusPos = 1;
  state.Set[0].ForkLength = 111.0;
  MemoryForm form = MemoryForm::BaseForm(3);
  form.SetBoxText(box::ForkLength, "111");
  form.SetBoxBackground(box::LinkUp, BoxColour::Red);
  const QString path = WriteLines(
      dir, "t4.lin", {"SUSTYPE=4", "SUSPOS=2", "フォーク長=560", "リンクプレート上辺=80"});

  const LinkReadResult result = ReadLinkFile(state, form, path, 0);

  EXPECT_EQ(result.Status, LinkReadStatus::TypeMismatch);
  EXPECT_EQ(state.Set[0].SusType, 3);
  EXPECT_EQ(state.Set[0].SusPos, 1);
  EXPECT_EQ(state.Set[0].ForkLength, 111.0);
  EXPECT_EQ(form.BoxText(box::ForkLength), "111");
  EXPECT_EQ(form.BoxText(box::LinkUp), "");
  EXPECT_EQ(form.BoxBackground(box::LinkUp), BoxColour::Red);
}

TEST_F(ReadLinkFileTest, MismatchFoundAfterOtherLinesStillChangesNothing) {
  state.Set[0].SusType = 3;
  MemoryForm form = MemoryForm::BaseForm(3);
  const QString path = WriteLines(dir, "late.lin", {"フォーク長=560", "SUSPOS=4", "SUSTYPE=6"});

  EXPECT_EQ(ReadLinkFile(state, form, path, 0).Status, LinkReadStatus::TypeMismatch);
  EXPECT_EQ(state.Set[0].ForkLength, 0.0);
  EXPECT_EQ(state.Set[0].SusPos, 0);
  EXPECT_EQ(form.BoxText(box::ForkLength), "");
}

TEST(LinkTypeMismatchMessage, IsTheThreeLineNotice) {
  EXPECT_EQ(kLinkTypeMismatchMessage,
            QStringLiteral("基準サス緒元で選択されたリンクタイプと") + "\r\n" +
                QStringLiteral("読み込まれたリンクタイプが違います") + "\r\n" +
                QStringLiteral("ﾌｧｲﾙを選択し直すか、前に戻ってやり直して下さい"));
}

TEST_F(ReadLinkFileTest, ValueTextIsKeptWhileTheSetGetsTheNearestSingle) {
  state.Set[0].SusType = 3;
  MemoryForm form = MemoryForm::BaseForm(3);
  const QString path = WriteLines(dir, "v.lin", {"SUSTYPE=3", "フォーク長=12.3"});

  EXPECT_EQ(ReadLinkFile(state, form, path, 0).Status, LinkReadStatus::Ok);
  EXPECT_EQ(state.Set[0].ForkLength, 12.300000190734863);
  EXPECT_EQ(form.BoxText(box::ForkLength), "12.3");
}

TEST_F(ReadLinkFileTest, PositionIsRoundedFromTheSingle) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path = WriteLines(dir, "p.lin", {"SUSTYPE=3", "SUSPOS=2.6"});
  EXPECT_EQ(ReadLinkFile(state, form, path, 1).Status, LinkReadStatus::Ok);
  EXPECT_EQ(state.Set[1].SusPos, 3);
  EXPECT_EQ(form.PositionLabel(), " P 2.6");
}

TEST_F(ReadLinkFileTest, BaseFormHasNoPositionLabel) {
  state.Set[0].SusType = 4;
  MemoryForm form = MemoryForm::BaseForm(4);
  const QString path = WriteLines(dir, "p.lin", {"SUSTYPE=4", "SUSPOS=3"});
  EXPECT_EQ(ReadLinkFile(state, form, path, 0).Status, LinkReadStatus::Ok);
  EXPECT_EQ(state.Set[0].SusPos, 3);
  EXPECT_TRUE(form.TypeIndexCalls().empty());
}

TEST_F(ReadLinkFileTest, TypeIsRoundedHalvesToEven) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path = WriteLines(dir, "t.lin", {"SUSTYPE=4.5"});
  EXPECT_EQ(ReadLinkFile(state, form, path, 1).Status, LinkReadStatus::Ok);
  EXPECT_EQ(state.Set[1].SusType, 4);
  EXPECT_EQ(form.TypeIndex(), 2);
}

TEST_F(ReadLinkFileTest, KeyWithABlankBeforeTheEqualsSignIsIgnored) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path =
      WriteLines(dir, "k.lin", {"SUSTYPE=3", "フォーク長 =100", "unknown=a=b", "プリロード=7"});
  EXPECT_EQ(ReadLinkFile(state, form, path, 1).Status, LinkReadStatus::Ok);
  EXPECT_EQ(form.BoxText(box::ForkLength), "");
  EXPECT_EQ(state.Set[1].ForkLength, 0.0);
  EXPECT_EQ(form.BoxText(box::Preload), "7");
}

TEST_F(ReadLinkFileTest, EmptyLineEndsTheReading) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path =
      WriteLines(dir, "e.lin", {"SUSTYPE=3", "フォーク長=560", "", "プリロード=7"});

  const LinkReadResult result = ReadLinkFile(state, form, path, 1);

  EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine);
  EXPECT_EQ(result.Line, 3);
  EXPECT_EQ(form.BoxText(box::ForkLength), "560");
  EXPECT_EQ(form.BoxText(box::Preload), "");
  EXPECT_EQ(state.Set[1].Preload, 0.0);
}

TEST_F(ReadLinkFileTest, ValueThatIsNoNumberEndsTheReadingAndMarkersStillApply) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path = WriteLines(
      dir, "n.lin", {"SUSTYPE=2", "フォーク長=56O", "プリロード=7", "リンクプレート上辺=3"});

  const LinkReadResult result = ReadLinkFile(state, form, path, 1);

  EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine);
  EXPECT_EQ(result.Line, 2);
  EXPECT_EQ(state.Set[1].SusType, 2);
  EXPECT_EQ(form.BoxText(box::ForkLength), "");
  EXPECT_EQ(form.BoxText(box::Preload), "");
  EXPECT_EQ(state.Set[1].LinkUp, 10000.0);
}

TEST_F(ReadLinkFileTest, ValueWithAnotherEqualsSignIsNoNumber) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path = WriteLines(dir, "q.lin", {"SUSTYPE=3", "フォーク長=1=2"});
  const LinkReadResult result = ReadLinkFile(state, form, path, 1);
  EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine);
  EXPECT_EQ(result.Line, 2);
}

TEST_F(ReadLinkFileTest, TypeOrPositionBeyondSixteenBitsEndsTheReading) {
  MemoryForm form = MemoryForm::InputForm();
  state.Set[1].SusType = 4;
  QString path = WriteLines(dir, "big.lin", {"SUSTYPE=40000", "フォーク長=5"});
  LinkReadResult result = ReadLinkFile(state, form, path, 1);
  EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine);
  EXPECT_EQ(result.Line, 1);
  EXPECT_EQ(state.Set[1].SusType, 4);

  state.Set[1].SusPos = 2;
  path = WriteLines(dir, "bigpos.lin", {"SUSPOS=-40000"});
  result = ReadLinkFile(state, form, path, 1);
  EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine);
  EXPECT_EQ(state.Set[1].SusPos, 2);
  EXPECT_EQ(form.PositionLabel(), "");
}

TEST_F(ReadLinkFileTest, ChangedSetRefusesATypeTheListDoesNotOffer) {
  // 7 and 1 are the first types past either end of the list.
  for (const char* type : {"SUSTYPE=9", "SUSTYPE=7", "SUSTYPE=1"}) {
    MemoryForm form = MemoryForm::InputForm();
    state.Set[1].SusType = 3;
    const QString path = WriteLines(dir, "t9.lin", {type, "フォーク長=5"});
    const LinkReadResult result = ReadLinkFile(state, form, path, 1);
    EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine) << type;
    EXPECT_EQ(result.Line, 1) << type;
    EXPECT_EQ(state.Set[1].SusType, 3) << type;
    EXPECT_TRUE(form.TypeIndexCalls().empty()) << type;
    EXPECT_EQ(form.BoxText(box::ForkLength), "") << type;
  }
}

TEST_F(ReadLinkFileTest, KeyWithoutItsBoxStoresTheValueThenEndsTheReading) {
  state.Set[0].SusType = 5;
  MemoryForm form = MemoryForm::BaseForm(5);
  const QString path = WriteLines(
      dir, "x.lin", {"SUSTYPE=5", "フォーク長=560", "サス上部取付Ｘ座標=120", "プリロード=7"});

  const LinkReadResult result = ReadLinkFile(state, form, path, 0);

  EXPECT_EQ(result.Status, LinkReadStatus::StoppedAtLine);
  EXPECT_EQ(result.Line, 3);
  EXPECT_EQ(state.Set[0].ForkLength, 560.0);
  EXPECT_EQ(state.Set[0].SusUpX, 120.0);
  EXPECT_EQ(state.Set[0].Preload, 0.0);
  EXPECT_EQ(form.BoxText(box::Preload), "");
}

TEST_F(ReadLinkFileTest, BaseFormTakesThePivotMoveWithoutABox) {
  // A file carries the pivot move, which the base forms cannot show: both
  // values reach the set and no line after them is lost.
  state.Set[0].SusType = 3;
  MemoryForm form = MemoryForm::BaseForm(3);

  const LinkReadResult result = ReadLinkFile(state, form, DataFile("type3_input.lin"), 0);

  EXPECT_EQ(result.Status, LinkReadStatus::Ok);
  EXPECT_EQ(form.BoxText(box::TenRod), "150");
  EXPECT_EQ(state.Set[0].PivotMoveX, 0.0);
  EXPECT_EQ(state.Set[0].PivotMoveY, -1.5);
  EXPECT_FALSE(form.HasBox(box::PivotY));
}

TEST_F(ReadLinkFileTest, LastOfARepeatedKeyWins) {
  MemoryForm form = MemoryForm::InputForm();
  const QString path =
      WriteLines(dir, "r.lin", {"SUSTYPE=3", "フォーク長=500", "SUSTYPE=4", "フォーク長=510"});
  EXPECT_EQ(ReadLinkFile(state, form, path, 1).Status, LinkReadStatus::Ok);
  EXPECT_EQ(state.Set[1].ForkLength, 510.0);
  EXPECT_EQ(form.BoxText(box::ForkLength), "510");
  EXPECT_EQ(state.Set[1].SusType, 4);
  EXPECT_EQ(form.TypeIndexCalls(), (std::vector<int>{1, 2}));
}

TEST_F(ReadLinkFileTest, MissingKeysLeaveBoxAndSetAsTheyWere) {
  MemoryForm form = MemoryForm::InputForm();
  form.SetBoxText(box::Spring, "4.4");
  state.Set[1].SpringRate = 4.4;
  const QString path = WriteLines(dir, "m.lin", {"SUSTYPE=3", "フォーク長=500"});
  EXPECT_EQ(ReadLinkFile(state, form, path, 1).Status, LinkReadStatus::Ok);
  EXPECT_EQ(form.BoxText(box::Spring), "4.4");
  EXPECT_EQ(state.Set[1].SpringRate, 4.4);
}

TEST_F(ReadLinkFileTest, FileThatCannotBeOpenedStillMarksAType2Set) {
  state.Set[0].SusType = 2;
  state.Set[0].LinkUp = 5.0;
  MemoryForm form = MemoryForm::BaseForm(2);
  const LinkReadResult result = ReadLinkFile(state, form, dir.filePath("none.lin"), 0);
  EXPECT_EQ(result.Status, LinkReadStatus::CannotOpen);
  EXPECT_FALSE(result.Error.isEmpty());
  EXPECT_EQ(state.Set[0].LinkUp, 10000.0);
}

TEST_F(ReadLinkFileTest, AcceptsUtf8WithAndWithoutBomAndLoneLf) {
  const QByteArray utf8 =
      QStringLiteral("SUSTYPE=3\nSUSPOS=1\nフォーク長=560\nピボット移動Ｙ=2\n").toUtf8();
  for (const QByteArray& bytes : {utf8, QByteArray("\xEF\xBB\xBF") + utf8}) {
    AppState fresh;
    MemoryForm form = MemoryForm::InputForm();
    const QString path = dir.filePath("u.lin");
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_EQ(ReadLinkFile(fresh, form, path, 1).Status, LinkReadStatus::Ok);
    EXPECT_EQ(fresh.Set[1].SusType, 3);
    EXPECT_EQ(fresh.Set[1].ForkLength, 560.0);
    EXPECT_EQ(fresh.Set[1].PivotMoveY, 2.0);
    EXPECT_EQ(form.BoxText(box::ForkLength), "560");
  }
}

TEST_F(ReadLinkFileTest, OutOfRangeSetIsRefused) {
  MemoryForm form = MemoryForm::InputForm();
  EXPECT_THROW(ReadLinkFile(state, form, DataFile("type3_input.lin"), 8), std::out_of_range);
}

// Every golden file read into the change-input form and written back is
// byte-identical: reading keeps the exact box texts.
TEST_F(ReadLinkFileTest, GoldenFilesRoundTripThroughTheChangeInputForm) {
  for (const char* name : {"type2_base.lin", "type3_input.lin", "type5_input.lin"}) {
    SCOPED_TRACE(name);
    AppState fresh;
    MemoryForm form = MemoryForm::InputForm();
    ASSERT_EQ(ReadLinkFile(fresh, form, DataFile(name), 1).Status, LinkReadStatus::Ok);
    const QString out = dir.filePath("again.lin");
    ASSERT_TRUE(WriteLinkFile(fresh, form, out, 1).Ok);
    EXPECT_EQ(ReadBytes(out), ReadBytes(DataFile(name)));
  }
}

// Regression: a zero dimension shows as the decimal point alone in its box,
// and a saved file carries that text; reading it back stopped at that line
// without a word, so every later dimension kept the values the set and the
// boxes held before (on a loaded Type 2 set, the absent-member markers).
TEST_F(ReadLinkFileTest, ZeroWrittenAsTheDecimalPointAloneReadsBack) {
  AppState written;
  written.Mode = EditMode::Changing;
  written.Set[1].SusType = 3;
  written.Set[1].SusPos = 2;
  written.Set[1].ForkLinkOffset = 0;
  written.Set[1].SusUpX = 0;
  written.Set[1].ForkLength = 560;
  written.Set[1].LinkUp = 63.25;
  written.Set[1].TenRodLength = 131;
  MemoryForm out = MemoryForm::InputForm();
  WriteSetToForm(written, out, 1);
  ASSERT_EQ(out.BoxText(box::SusUpX), ".");
  const QString path = dir.filePath("zero.lin");
  ASSERT_TRUE(WriteLinkFile(written, out, path, 1).Ok);

  // Read into a form and a set that hold other values.
  state.Set[1].FrameLinkX = 10000;
  state.Set[1].ForkLength = 1;
  MemoryForm in = MemoryForm::InputForm();
  in.SetBoxText(box::TenRod, "99");
  const LinkReadResult result = ReadLinkFile(state, in, path, 1);
  EXPECT_EQ(result.Status, LinkReadStatus::Ok);
  const std::pair<const QString*, double ConfigSet::*> type3Boxes[] = {
      {&box::SusUpX, &ConfigSet::SusUpX},           {&box::SusUpY, &ConfigSet::SusUpY},
      {&box::ForkLength, &ConfigSet::ForkLength},   {&box::ForkLinkLength, &ConfigSet::ForkLinkLength},
      {&box::ForkLinkOffset, &ConfigSet::ForkLinkOffset},
      {&box::AxleStartPos, &ConfigSet::AxleStartPos}, {&box::Spring, &ConfigSet::SpringRate},
      {&box::Preload, &ConfigSet::Preload},         {&box::FrameLinkX, &ConfigSet::FrameLinkX},
      {&box::FrameLinkY, &ConfigSet::FrameLinkY},   {&box::LinkUp, &ConfigSet::LinkUp},
      {&box::LinkFr, &ConfigSet::LinkFr},           {&box::LinkRr, &ConfigSet::LinkRr},
      {&box::TenRod, &ConfigSet::TenRodLength},     {&box::PivotX, &ConfigSet::PivotMoveX},
      {&box::PivotY, &ConfigSet::PivotMoveY},
  };
  for (const auto& [name, value] : type3Boxes) {
    EXPECT_EQ(state.Set[1].*value, written.Set[1].*value) << name->toStdString();
    EXPECT_EQ(in.BoxText(*name), out.BoxText(*name)) << name->toStdString();
  }
}

TEST(LinkFileExamples, EveryExampleRoundTripsByteForByte) {
  const QDir examples(QStringLiteral(POTELAN_EXAMPLES));
  const QStringList files = examples.entryList({"*.lin"}, QDir::Files, QDir::Name);
  if (files.isEmpty()) GTEST_SKIP() << "no example link files yet";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    const QString path = examples.filePath(name);
    AppState state;
    state.Mode = EditMode::Changing;
    MemoryForm form = MemoryForm::InputForm();
    ASSERT_EQ(ReadLinkFile(state, form, path, 1).Status, LinkReadStatus::Ok);
    const QString out = dir.filePath(name);
    const WriteResult result = WriteLinkFile(state, form, out, 1);
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(ReadBytes(out), ReadBytes(path));
  }
}

}  // namespace
}  // namespace potelan
