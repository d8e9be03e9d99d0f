// Transfer between entry boxes and configuration sets, on in-memory forms.

#include "entry/FormTransfer.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "entry/BoxNames.hpp"
#include "entry/MemoryForm.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

// ---------------------------------------------------------------------------
// The in-memory forms offer exactly the boxes of the windows they stand for.

TEST(MemoryForm, Type2BaseFormHasOnlyTheEightType2Boxes) {
  const MemoryForm form = MemoryForm::BaseForm(2);
  EXPECT_EQ(form.FormName(), "Form_Type2");
  const QStringList expected{
      "Sus_Up_X_Text",         "Sus_Up_Y_Text",       "Fork_Length_Text", "Fork_Link_Length_Text",
      "Fork_Link_Offset_Text", "Axle_Start_Pos_Text", "Spring_Text",      "Preload_Text"};
  EXPECT_EQ(form.BoxNames(), expected);
  for (const char* absent : {"Link_Up_Text", "Ten_Rod_Text", "Frame_Link_X_Text",
                             "Sus_Up_Length_Text", "Text_Pivot_x", "Reb_Spring_Text"}) {
    EXPECT_FALSE(form.HasBox(absent)) << absent;
  }
  EXPECT_FALSE(form.HasTypeList());
  EXPECT_FALSE(form.HasPositionLabel());
}

TEST(MemoryForm, LinkTypeFormsHaveFourteenBoxesWithTheirShockMountPair) {
  for (int type = 3; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const MemoryForm form = MemoryForm::BaseForm(type);
    EXPECT_EQ(form.FormName(), QStringLiteral("Form_Type%1").arg(type));
    EXPECT_EQ(form.BoxNames().size(), 14);
    const bool onFork = type >= 5;
    EXPECT_EQ(form.HasBox("Sus_Up_X_Text"), !onFork);
    EXPECT_EQ(form.HasBox("Sus_Up_Y_Text"), !onFork);
    EXPECT_EQ(form.HasBox("Sus_Up_Length_Text"), onFork);
    EXPECT_EQ(form.HasBox("Sus_Up_Offset_Text"), onFork);
    for (const char* box :
         {"Link_Up_Text", "Link_Fr_Text", "Link_Rr_Text", "Ten_Rod_Text", "Frame_Link_X_Text",
          "Frame_Link_Y_Text", "Fork_Length_Text", "Fork_Link_Length_Text", "Fork_Link_Offset_Text",
          "Axle_Start_Pos_Text", "Spring_Text", "Preload_Text"}) {
      EXPECT_TRUE(form.HasBox(box)) << box;
    }
    EXPECT_FALSE(form.HasBox("Text_Pivot_x"));
  }
}

TEST(MemoryForm, BaseFormOfAnUnknownTypeIsRefused) {
  EXPECT_THROW(MemoryForm::BaseForm(1), std::out_of_range);
  EXPECT_THROW(MemoryForm::BaseForm(7), std::out_of_range);
}

TEST(MemoryForm, InputFormHasEveryEntryBoxTypeListAndPositionLabel) {
  const MemoryForm form = MemoryForm::InputForm();
  EXPECT_EQ(form.FormName(), "Form_Input");
  EXPECT_EQ(form.BoxNames().size(), 20);
  for (const char* box : {"Sus_Up_X_Text",         "Sus_Up_Y_Text",         "Sus_Up_Length_Text",
                          "Sus_Up_Offset_Text",    "Frame_Link_X_Text",     "Frame_Link_Y_Text",
                          "Fork_Link_Length_Text", "Fork_Link_Offset_Text", "Link_Up_Text",
                          "Link_Fr_Text",          "Link_Rr_Text",          "Ten_Rod_Text",
                          "Fork_Length_Text",      "Axle_Start_Pos_Text",   "Spring_Text",
                          "Preload_Text",          "Text_Pivot_x",          "Text_Pivot_y",
                          "Reb_Spring_Text",       "Reb_Spring_Length_Text"}) {
    EXPECT_TRUE(form.HasBox(box)) << box;
  }
  EXPECT_TRUE(form.HasTypeList());
  EXPECT_EQ(form.TypeIndex(), -1);
  EXPECT_TRUE(form.HasPositionLabel());
  EXPECT_EQ(form.BoxText("Text_Pivot_x"), "0");
  EXPECT_EQ(form.BoxText("Text_Pivot_y"), "0");
  EXPECT_EQ(form.BoxText("Fork_Length_Text"), "");
  EXPECT_FALSE(form.IsBoxShown("Reb_Spring_Text"));
  EXPECT_FALSE(form.IsBoxShown("Reb_Spring_Length_Text"));
  EXPECT_TRUE(form.IsBoxShown("Sus_Up_X_Text"));
  EXPECT_FALSE(form.IsBoxShown("Sus_Up_Length_Text"));
}

TEST(MemoryForm, TypingIntoARedBoxOfABaseFormTurnsItWhite) {
  MemoryForm form = MemoryForm::BaseForm(3);
  form.SetBoxBackground("Link_Up_Text", BoxColour::Red);
  form.SetBoxText("Link_Up_Text", "8");
  EXPECT_EQ(form.BoxBackground("Link_Up_Text"), BoxColour::White);
}

TEST(MemoryForm, ChangeInputBoxesKeepTheirColourWhenWritten) {
  MemoryForm form = MemoryForm::InputForm();
  form.SetBoxBackground("Link_Up_Text", BoxColour::Red);
  form.SetBoxText("Link_Up_Text", "8");
  EXPECT_EQ(form.BoxBackground("Link_Up_Text"), BoxColour::Red);
}

TEST(MemoryForm, TypeListRecordsCallsAndRunsItsHandlerOnlyOnAChange) {
  MemoryForm form = MemoryForm::InputForm();
  std::vector<int> handled;
  form.SetTypeSelectionHandler([&](int index) { handled.push_back(index); });
  form.SetTypeIndex(1);
  form.SetTypeIndex(1);
  form.SetTypeIndex(9);  // no such entry: selection stays
  form.SetTypeIndex(3);
  EXPECT_EQ(form.TypeIndexCalls(), (std::vector<int>{1, 1, 9, 3}));
  EXPECT_EQ(handled, (std::vector<int>{1, 3}));
  EXPECT_EQ(form.TypeIndex(), 3);
}

// ---------------------------------------------------------------------------
// ReadNumberBox: the check of one entry.

class ReadNumberBoxTest : public ::testing::Test {
 protected:
  float Read(const QString& text) {
    form.SetBoxText(box::ForkLength, text);
    form.SetBoxBackground(box::ForkLength, BoxColour::White);
    state.LinkFailed = false;
    return ReadNumberBox(state, form, box::ForkLength);
  }
  bool Red() const { return form.BoxBackground(box::ForkLength) == BoxColour::Red; }

  AppState state;
  MemoryForm form = MemoryForm::InputForm();
};

TEST_F(ReadNumberBoxTest, EmptyBoxIsMarkedAndCountsAsZero) {
  EXPECT_EQ(Read(""), 0.0f);
  EXPECT_TRUE(Red());
  EXPECT_TRUE(state.LinkFailed);
}

TEST_F(ReadNumberBoxTest, CharactersAfterNineAreRefused) {
  for (const QString& text : {QStringLiteral("12a"), QStringLiteral("１２"), QStringLiteral("=5"),
                              QStringLiteral("1e5"), QStringLiteral("5:")}) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(Read(text), 0.0f);
    EXPECT_TRUE(Red());
    EXPECT_TRUE(state.LinkFailed);
  }
}

TEST_F(ReadNumberBoxTest, TextsThatPassTheCharacterTestButAreNoNumberAreRefused) {
  for (const char* text : {"1.2.3", "1-2", "-", "1,5", "+.", " ", "1 2"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Read(text), 0.0f);
    EXPECT_TRUE(Red());
    EXPECT_TRUE(state.LinkFailed);
  }
}

TEST_F(ReadNumberBoxTest, SignsAndBlanksAreRead) {
  EXPECT_EQ(Read("-5"), -5.0f);
  EXPECT_FALSE(Red());
  EXPECT_EQ(Read(" 7"), 7.0f);
  EXPECT_EQ(Read("+2.5"), 2.5f);
  EXPECT_FALSE(state.LinkFailed);
}

TEST_F(ReadNumberBoxTest, DecimalPointAloneBecomesZeroWithoutAMark) {
  EXPECT_EQ(Read("."), 0.0f);
  EXPECT_FALSE(Red());
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(form.BoxText(box::ForkLength), "0");
}

TEST_F(ReadNumberBoxTest, ValueIsTheNearestSingle) {
  EXPECT_EQ(static_cast<double>(Read("123.45")), 123.4499969482421875);
}

TEST_F(ReadNumberBoxTest, ACorrectBoxKeepsItsRedMark) {
  form.SetBoxText(box::ForkLength, "500");
  form.SetBoxBackground(box::ForkLength, BoxColour::Red);
  EXPECT_EQ(ReadNumberBox(state, form, box::ForkLength), 500.0f);
  EXPECT_TRUE(Red());
  EXPECT_FALSE(state.LinkFailed);
}

TEST_F(ReadNumberBoxTest, ABoxTheFormLacksSetsLinkFailed) {
  MemoryForm base = MemoryForm::BaseForm(2);
  EXPECT_EQ(ReadNumberBox(state, base, box::LinkUp), 0.0f);
  EXPECT_TRUE(state.LinkFailed);
}

TEST_F(ReadNumberBoxTest, LinkFailedIsNeverCleared) {
  state.LinkFailed = true;
  form.SetBoxText(box::ForkLength, "500");
  ReadNumberBox(state, form, box::ForkLength);
  EXPECT_TRUE(state.LinkFailed);
}

// The change-input form names the boxes a commit would refuse before it reads
// them; its check must take exactly the texts the reader takes.
TEST_F(ReadNumberBoxTest, TheTextCheckAgreesWithTheReader) {
  for (const QString text : {"", ".", "-5", " 7", "+2.5", "1e3", "1e39", "1.2.3", "-", "1,5",
                             "１０", "6l", "=5", " ", "1 2", "+."}) {
    SCOPED_TRACE(text.toStdString());
    const NumberText kind = CheckNumberText(text);
    Read(text);
    EXPECT_EQ(kind == NumberText::Number, !state.LinkFailed);
    EXPECT_EQ(kind == NumberText::Empty, text.isEmpty());
  }
}

// ---------------------------------------------------------------------------
// ReadFormToSet

void FillType3Form(MemoryForm& form) {
  const std::pair<const QString&, const char*> texts[] = {{box::SusUpX, "120"},
                                                          {box::SusUpY, "-250.5"},
                                                          {box::LinkUp, "80"},
                                                          {box::LinkFr, "95.75"},
                                                          {box::LinkRr, "60"},
                                                          {box::TenRod, "150"},
                                                          {box::FrameLinkX, "30"},
                                                          {box::FrameLinkY, "-180.25"},
                                                          {box::ForkLength, "560"},
                                                          {box::ForkLinkLength, "180"},
                                                          {box::ForkLinkOffset, "-25.5"},
                                                          {box::AxleStartPos, "12.3"},
                                                          {box::Spring, "8.5"},
                                                          {box::Preload, "12"}};
  for (const auto& [boxName, text] : texts) form.SetBoxText(boxName, text);
}

TEST(ReadFormToSet, BaseStepReadsEveryBoxOfTheType) {
  AppState state;
  state.Mode = EditMode::Base;
  state.Set[0].SusType = 3;
  MemoryForm form = MemoryForm::BaseForm(3);
  FillType3Form(form);

  ReadFormToSet(state, form, 0);

  const ConfigSet& s = state.Set[0];
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(s.SusUpX, 120.0);
  EXPECT_EQ(s.SusUpY, -250.5);
  EXPECT_EQ(s.LinkUp, 80.0);
  EXPECT_EQ(s.LinkFr, 95.75);
  EXPECT_EQ(s.LinkRr, 60.0);
  EXPECT_EQ(s.TenRodLength, 150.0);
  EXPECT_EQ(s.FrameLinkX, 30.0);
  EXPECT_EQ(s.FrameLinkY, -180.25);
  EXPECT_EQ(s.ForkLength, 560.0);
  EXPECT_EQ(s.ForkLinkLength, 180.0);
  EXPECT_EQ(s.ForkLinkOffset, -25.5);
  EXPECT_EQ(s.AxleStartPos, 12.300000190734863);  // through single precision
  EXPECT_EQ(s.SpringRate, 8.5);
  EXPECT_EQ(s.Preload, 12.0);
}

TEST(ReadFormToSet, EveryBadBoxIsMarkedInOnePassAndCountsAsZero) {
  AppState state;
  state.Mode = EditMode::Base;
  state.Set[0].SusType = 3;
  state.Set[0].LinkFr = 77.0;
  MemoryForm form = MemoryForm::BaseForm(3);
  FillType3Form(form);
  form.SetBoxText(box::SusUpX, "");
  form.SetBoxText(box::LinkFr, "9x");
  form.SetBoxText(box::Preload, "1..2");

  ReadFormToSet(state, form, 0);

  EXPECT_TRUE(state.LinkFailed);
  for (const QString& boxName : form.BoxNames()) {
    const bool bad = boxName == box::SusUpX || boxName == box::LinkFr || boxName == box::Preload;
    EXPECT_EQ(form.BoxBackground(boxName), bad ? BoxColour::Red : BoxColour::White)
        << boxName.toStdString();
  }
  EXPECT_EQ(state.Set[0].SusUpX, 0.0);
  EXPECT_EQ(state.Set[0].LinkFr, 0.0);
  EXPECT_EQ(state.Set[0].Preload, 0.0);
  EXPECT_EQ(state.Set[0].TenRodLength, 150.0);  // read after the bad ones
}

TEST(ReadFormToSet, Type2FormLeavesLinkValuesAsTheyWere) {
  AppState state;
  state.Mode = EditMode::Base;
  state.Set[0].SusType = 2;
  state.Set[0].LinkUp = 10000.0;
  state.Set[0].FrameLinkY = -3.0;
  state.Set[0].TenRodLength = 44.0;
  MemoryForm form = MemoryForm::BaseForm(2);
  for (const QString& boxName : form.BoxNames()) form.SetBoxText(boxName, "1");

  ReadFormToSet(state, form, 0);

  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[0].ForkLength, 1.0);
  EXPECT_EQ(state.Set[0].LinkUp, 10000.0);
  EXPECT_EQ(state.Set[0].FrameLinkY, -3.0);
  EXPECT_EQ(state.Set[0].TenRodLength, 44.0);
}

TEST(ReadFormToSet, BaseStepTakesTypePositionAndPivotFromSetZero) {
  // In the base step the type list, the pivot boxes and the position label
  // are never looked at, even on a form that has them.
  AppState state;
  state.Mode = EditMode::Base;
  state.Set[0].SusType = 4;
  state.Set[0].SusPos = 3;
  state.Set[0].PivotMoveX = 1.5;
  state.Set[0].PivotMoveY = -2.0;
  MemoryForm form = MemoryForm::InputForm();
  FillType3Form(form);
  form.SetTypeIndex(0);
  form.SetBoxText(box::PivotX, "bad");
  form.SetBoxText(box::PivotY, "");
  form.SetPositionLabel(" P 1");

  ReadFormToSet(state, form, 1);

  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(form.BoxBackground(box::PivotX), BoxColour::White);
  EXPECT_EQ(state.Set[1].SusType, 4);
  EXPECT_EQ(state.Set[1].SusPos, 3);
  EXPECT_EQ(state.Set[1].PivotMoveX, 1.5);
  EXPECT_EQ(state.Set[1].PivotMoveY, -2.0);
  EXPECT_EQ(state.Set[1].LinkUp, 80.0);
}

TEST(ReadFormToSet, ChangeInputTakesTypeListPivotAndPositionLabel) {
  AppState state;
  state.Mode = EditMode::Change;
  MemoryForm form = MemoryForm::InputForm();
  FillType3Form(form);
  form.SetTypeIndex(1);
  form.SetBoxText(box::PivotX, "-1.5");
  form.SetBoxText(box::PivotY, "2");
  form.SetPositionLabel(" P 4");

  ReadFormToSet(state, form, 1);

  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[1].SusType, 3);
  EXPECT_EQ(state.Set[1].SusPos, 4);
  EXPECT_EQ(state.Set[1].PivotMoveX, -1.5);
  EXPECT_EQ(state.Set[1].PivotMoveY, 2.0);
  EXPECT_EQ(state.Set[1].SusUpX, 120.0);
}

TEST(ReadFormToSet, Type5ReadsTheLengthPairAndNotTheCoordinates) {
  AppState state;
  state.Mode = EditMode::Change;
  state.Set[1].SusUpX = 7.0;
  MemoryForm form = MemoryForm::InputForm();
  FillType3Form(form);
  form.SetBoxText(box::SusUpX, "");  // would be marked if it were read
  form.SetBoxText(box::SusUpLength, "300");
  form.SetBoxText(box::SusUpOffset, "45.5");
  form.SetTypeIndex(3);
  form.SetPositionLabel(" P 1");

  ReadFormToSet(state, form, 1);

  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[1].SusType, 5);
  EXPECT_EQ(state.Set[1].SusUpLength, 300.0);
  EXPECT_EQ(state.Set[1].SusUpOffset, 45.5);
  EXPECT_EQ(state.Set[1].SusUpX, 7.0);
  EXPECT_EQ(form.BoxBackground(box::SusUpX), BoxColour::White);
}

TEST(ReadFormToSet, BadPivotEntryIsMarked) {
  AppState state;
  state.Mode = EditMode::New;
  MemoryForm form = MemoryForm::InputForm();
  FillType3Form(form);
  form.SetTypeIndex(1);
  form.SetBoxText(box::PivotY, "ｙ");
  form.SetPositionLabel(" P 2");

  ReadFormToSet(state, form, 1);

  EXPECT_TRUE(state.LinkFailed);
  EXPECT_EQ(form.BoxBackground(box::PivotY), BoxColour::Red);
  EXPECT_EQ(form.BoxBackground(box::PivotX), BoxColour::White);
}

TEST(ReadFormToSet, OutOfRangeSetIsRefused) {
  AppState state;
  MemoryForm form = MemoryForm::InputForm();
  EXPECT_THROW(ReadFormToSet(state, form, 8), std::out_of_range);
  EXPECT_THROW(ReadFormToSet(state, form, -1), std::out_of_range);
  EXPECT_THROW(WriteSetToForm(state, form, 8), std::out_of_range);
}

TEST(PositionFromLabel, NumberFromTheFourthCharacter) {
  EXPECT_EQ(PositionFromLabel(" P 2"), 2);
  EXPECT_EQ(PositionFromLabel(" P 4"), 4);
  EXPECT_EQ(PositionFromLabel(" P 2.6"), 3);
  EXPECT_EQ(PositionFromLabel(" P 2.5"), 2);  // halves to even
  EXPECT_EQ(PositionFromLabel(" P 3.5"), 4);
  EXPECT_EQ(PositionFromLabel(" P x"), 0);
  EXPECT_EQ(PositionFromLabel(" P "), 0);
  EXPECT_EQ(PositionFromLabel(""), 0);
  EXPECT_EQ(PositionFromLabel(" P 99999"), 0);  // beyond 16 bits
}

// ---------------------------------------------------------------------------
// WriteSetToForm

ConfigSet Type3Set() {
  ConfigSet s;
  s.SusType = 3;
  s.SusPos = 2;
  s.SusUpX = 12.0;
  s.SusUpY = 0.5;
  s.FrameLinkX = 12.345;
  s.FrameLinkY = 0.0;
  s.ForkLength = 560.004;
  s.ForkLinkLength = 180.0;
  s.ForkLinkOffset = -25.5;
  s.LinkUp = 80.0;
  s.LinkFr = 95.75;
  s.LinkRr = 1234.5;
  s.TenRodLength = 150.0;
  s.AxleStartPos = -0.25;
  s.SpringRate = 3.0;
  s.Preload = 12.34;
  s.PivotMoveX = 0.0;
  s.PivotMoveY = -1.5;
  return s;
}

TEST(WriteSetToForm, WritesEveryValueWithItsPattern) {
  AppState state;
  state.Set[1] = Type3Set();
  MemoryForm form = MemoryForm::InputForm();

  WriteSetToForm(state, form, 1);

  EXPECT_EQ(form.BoxText(box::SusUpX), "12.");
  EXPECT_EQ(form.BoxText(box::SusUpY), ".5");
  EXPECT_EQ(form.BoxText(box::FrameLinkX), "12.35");
  EXPECT_EQ(form.BoxText(box::FrameLinkY), ".");
  EXPECT_EQ(form.BoxText(box::ForkLength), "560.");
  EXPECT_EQ(form.BoxText(box::ForkLinkLength), "180.");
  EXPECT_EQ(form.BoxText(box::ForkLinkOffset), "-25.5");
  EXPECT_EQ(form.BoxText(box::LinkUp), "80.");
  EXPECT_EQ(form.BoxText(box::LinkFr), "95.75");
  EXPECT_EQ(form.BoxText(box::LinkRr), "1234.5");
  EXPECT_EQ(form.BoxText(box::TenRod), "150.");
  EXPECT_EQ(form.BoxText(box::AxleStartPos), "-.25");
  EXPECT_EQ(form.BoxText(box::Spring), "3.");
  EXPECT_EQ(form.BoxText(box::Preload), "12.3");
  EXPECT_EQ(form.BoxText(box::PivotX), "0.");
  EXPECT_EQ(form.BoxText(box::PivotY), "-1.5");
  EXPECT_EQ(form.TypeIndexCalls(), (std::vector<int>{1}));
  EXPECT_EQ(form.TypeIndex(), 1);
}

// The type list holds Types 2 to 6 as entries 0 to 4: every type selects its
// own entry, the last one included.
TEST(WriteSetToForm, EveryTypeSelectsItsOwnListEntry) {
  for (int type = 2; type <= 6; ++type) {
    AppState state;
    state.Set[1] = Type3Set();
    state.Set[1].SusType = static_cast<std::int16_t>(type);
    MemoryForm form = MemoryForm::InputForm();
    WriteSetToForm(state, form, 1);
    EXPECT_EQ(form.TypeIndex(), type - 2) << type;
  }
}

TEST(WriteSetToForm, Type2LeavesTheLinkBoxesAlone) {
  AppState state;
  state.Set[1] = Type3Set();
  state.Set[1].SusType = 2;
  MemoryForm form = MemoryForm::InputForm();
  form.SetBoxText(box::LinkUp, "keep");
  form.SetBoxText(box::FrameLinkX, "keep too");

  WriteSetToForm(state, form, 1);

  EXPECT_EQ(form.BoxText(box::LinkUp), "keep");
  EXPECT_EQ(form.BoxText(box::FrameLinkX), "keep too");
  EXPECT_EQ(form.BoxText(box::ForkLength), "560.");
  EXPECT_EQ(form.TypeIndex(), 0);
}

TEST(WriteSetToForm, ShockMountPairsSwapPlaces) {
  AppState state;
  state.Set[1] = Type3Set();
  state.Set[1].SusType = 5;
  state.Set[1].SusUpLength = 300.0;
  state.Set[1].SusUpOffset = 45.5;
  MemoryForm form = MemoryForm::InputForm();

  WriteSetToForm(state, form, 1);

  EXPECT_FALSE(form.IsBoxShown(box::SusUpX));
  EXPECT_FALSE(form.IsBoxShown(box::SusUpY));
  EXPECT_TRUE(form.IsBoxShown(box::SusUpLength));
  EXPECT_TRUE(form.IsBoxShown(box::SusUpOffset));
  EXPECT_GT(form.BoxZOrder(box::SusUpLength), form.BoxZOrder(box::SusUpX));
  EXPECT_GT(form.BoxZOrder(box::SusUpOffset), form.BoxZOrder(box::SusUpY));
  EXPECT_EQ(form.BoxText(box::SusUpLength), "300.");
  EXPECT_EQ(form.BoxText(box::SusUpOffset), "45.5");
  EXPECT_EQ(form.BoxText(box::SusUpX), "");
  EXPECT_EQ(form.TypeIndex(), 3);

  state.Set[1].SusType = 3;
  WriteSetToForm(state, form, 1);

  EXPECT_TRUE(form.IsBoxShown(box::SusUpX));
  EXPECT_TRUE(form.IsBoxShown(box::SusUpY));
  EXPECT_FALSE(form.IsBoxShown(box::SusUpLength));
  EXPECT_FALSE(form.IsBoxShown(box::SusUpOffset));
  EXPECT_GT(form.BoxZOrder(box::SusUpX), form.BoxZOrder(box::SusUpLength));
  EXPECT_GT(form.BoxZOrder(box::SusUpY), form.BoxZOrder(box::SusUpOffset));
  EXPECT_EQ(form.BoxText(box::SusUpX), "12.");
  EXPECT_EQ(form.TypeIndexCalls(), (std::vector<int>{3, 1}));
}

TEST(WriteSetToForm, BaseFormIsRepaintedWhiteAndHasNoTypeList) {
  AppState state;
  state.Set[0] = Type3Set();
  MemoryForm form = MemoryForm::BaseForm(3);
  form.SetBoxBackground(box::ForkLength, BoxColour::Red);

  WriteSetToForm(state, form, 0);

  EXPECT_EQ(form.BoxBackground(box::ForkLength), BoxColour::White);
  EXPECT_EQ(form.BoxText(box::ForkLength), "560.");
  EXPECT_TRUE(form.TypeIndexCalls().empty());
}

TEST(WriteSetToForm, ZeroForkLengthReadsBackAsZero) {
  AppState state;
  state.Set[0] = Type3Set();
  state.Set[0].ForkLength = 0.0;
  MemoryForm form = MemoryForm::BaseForm(3);
  WriteSetToForm(state, form, 0);
  ASSERT_EQ(form.BoxText(box::ForkLength), ".");

  state.Mode = EditMode::Base;
  state.Set[0].ForkLength = 99.0;
  ReadFormToSet(state, form, 0);

  EXPECT_EQ(state.Set[0].ForkLength, 0.0);
  EXPECT_EQ(form.BoxText(box::ForkLength), "0");
  EXPECT_EQ(form.BoxBackground(box::ForkLength), BoxColour::White);
  EXPECT_FALSE(state.LinkFailed);
}

TEST(WriteSetToForm, WrittenSetReadsBackRoundedToItsPattern) {
  AppState state;
  state.Mode = EditMode::Change;
  state.Set[1] = Type3Set();
  MemoryForm form = MemoryForm::InputForm();
  form.SetPositionLabel(" P 2");
  WriteSetToForm(state, form, 1);

  ReadFormToSet(state, form, 4);

  const ConfigSet& s = state.Set[4];
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(s.SusType, 3);
  EXPECT_EQ(s.SusPos, 2);
  EXPECT_EQ(s.FrameLinkX, static_cast<double>(12.35f));
  EXPECT_EQ(s.ForkLength, 560.0);
  EXPECT_EQ(s.Preload, static_cast<double>(12.3f));
  EXPECT_EQ(s.AxleStartPos, -0.25);
  EXPECT_EQ(s.PivotMoveY, -1.5);
}

}  // namespace
}  // namespace potelan
