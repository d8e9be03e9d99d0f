// The change-input form while the user explores: the rows that follow the
// changed set's type, the layout that keeps every shown row whole inside the
// main window's frame, and what becomes of text typed into the boxes and the
// pitch list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <map>

#include "CountingViews.hpp"
#include "ProgramDriving.hpp"
#include "SampleLinkages.hpp"
#include "entry/BoxNames.hpp"
#include "entry/ChangeViews.hpp"
#include "entry/InputForm.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "files/LinkFile.hpp"
#include "model/NumberFormat.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan {
namespace {

const QString kNotFormed = QStringLiteral("変更された条件でリンクが成立しません");
const QString kBadPitch = QStringLiteral("変更ピッチには正の数を入力して下さい");

QString Example(int type) { return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(type); }

using testing::CountingViews;

class InputFormTypingTest : public ::testing::Test {
 protected:
  // Opens the form on `base` inside a frame of a document area of the main
  // window's start-up size, as the main window shows it.
  void Open(const ConfigSet& base) {
    state.Set[kBaseSet] = base;
    state.Mode = EditMode::New;
    CopySet(state, kBaseSet);
    area = std::make_unique<QMdiArea>();
    area->resize(800, 600);
    form = new InputForm(state, prompts, views);
    QMdiSubWindow* frame = area->addSubWindow(form, Qt::SubWindow | Qt::WindowTitleHint);
    frame->move(0, 0);
    area->show();
    frame->show();
    QApplication::processEvents();
  }
  QLineEdit* Box(const QString& name) const { return form->findChild<QLineEdit*>(name); }
  QWidget* Widget(const QString& name) const { return form->findChild<QWidget*>(name); }
  bool Shown(const QString& name) const { return Widget(name)->isVisibleTo(form); }
  // Types into a box as the user does: the old text selected and typed over.
  void Type(const QString& name, const QString& text) {
    QLineEdit* box = Box(name);
    box->setFocus();
    box->selectAll();
    // Key by key, with the character as the key's text (full-width ones too).
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  void Enter(const QString& name, const QString& text) {
    Type(name, text);
    QTest::keyClick(Box(name), Qt::Key_Return);
  }
  // A link file read into the changed set while editing, as the main window
  // does it: the boxes filled with the transfer marker set, then the layout
  // of the file's type.
  void LoadChanged(int type) {
    const EditMode kept = state.Mode;
    state.Mode = EditMode::Changing;
    ASSERT_EQ(ReadLinkFile(state, form->Entry(), Example(type), kChangedSet).Status,
              LinkReadStatus::Ok);
    state.Mode = kept == EditMode::New ? EditMode::Change : kept;
    form->ApplyTypeLayout(state.Set[kChangedSet].SusType);
    QApplication::processEvents();
  }
  // The shown controls of the form that do not get their full height or
  // stand (partly) outside the area of their parent, by name.
  QStringList CutRows() const {
    QStringList cut;
    for (QWidget* w : form->findChildren<QWidget*>()) {
      const bool row = qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QLabel*>(w) ||
                       qobject_cast<SpinButton*>(w) || qobject_cast<QPushButton*>(w) ||
                       qobject_cast<QComboBox*>(w) || w->objectName() == "Picture1";
      if (!row || !w->isVisibleTo(form) || w->objectName().isEmpty()) continue;
      if (qobject_cast<QComboBox*>(w->parentWidget()) != nullptr) continue;  // its own editor
      // The height a layout owes the control: its own minimum when it has
      // one (the fixed boxes), otherwise its minimum size hint.
      const int wanted =
          w->minimumHeight() > 0 ? w->minimumHeight() : w->minimumSizeHint().height();
      const bool inside = w->parentWidget()->rect().contains(w->geometry());
      if (w->height() < wanted || !inside) cut << w->objectName();
    }
    // Every group and every row also fits the form itself.
    if (form->height() < form->minimumSizeHint().height()) cut << form->objectName();
    return cut;
  }

  AppState state;
  ScriptedPrompts prompts;
  CountingViews views;
  std::unique_ptr<QMdiArea> area;
  InputForm* form = nullptr;  // owned by its frame in the area
};

// ---- type changes and the form --------------------------------------------

// Fault: the link-plate and frame-link groups kept the visibility they got
// when the form opened, once shown. A Type 3 set changed to Type 2 still
// showed the emptied plate boxes, and the empty-box check stopped every
// commit on them, so a Type 2 set could never be entered.
TEST_F(InputFormTypingTest, TheLinkGroupsFollowTheChangedTypeBothWays) {
  Open(testing::SampleSet(3));
  state.Mode = EditMode::Change;
  form->TypeList()->setCurrentIndex(0);  // Type2
  for (const char* name : {"Link_Up_Text", "Ten_Rod_Text", "Frame_Link_X_Text", "Label23",
                           "Spin_Link_Up", "Spin_Dx", "Command1"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  // The Type 2 dimensions typed into the shown boxes are judged without the
  // hidden ones.
  const ConfigSet t2 = testing::SampleSet(2);
  testing::FillBoxes(*form, t2);
  form->EnterInBox(box::ForkLength);
  EXPECT_TRUE(prompts.Messages().empty()) << prompts.Messages()[0].Text.toStdString();
  EXPECT_EQ(state.Set[kChangedSet].SusType, 2);
  EXPECT_EQ(state.Set[kLastGoodSet].SusType, 2);
  EXPECT_EQ(BoxColourOf(*Box(box::LinkUp)), BoxColour::White);

  form->TypeList()->setCurrentIndex(1);  // Type3 again
  for (const char* name : {"Link_Up_Text", "Ten_Rod_Text", "Frame_Link_X_Text", "Label23",
                           "Spin_Link_Up", "Spin_Dx", "Command1"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
}

// Fault: a Type 2 file loaded while a Type 3 set was edited left the plate
// and frame-link groups shown, with the plate values of the Type 3 set and
// its position, and spin buttons that changed nothing a Type 2 set uses.
TEST_F(InputFormTypingTest, AType2FileLoadedWhileEditingHidesTheLinkGroups) {
  Open(testing::SampleSet(3));
  state.Mode = EditMode::Change;
  LoadChanged(2);
  EXPECT_EQ(state.Set[kChangedSet].SusType, 2);
  for (const char* name : {"Link_Up_Text", "Link_Fr_Text", "Link_Rr_Text", "Ten_Rod_Text",
                           "Frame_Link_X_Text", "Frame_Link_Y_Text", "Label23", "Spin_Link_Up",
                           "Spin_Ten_Rod", "Spin_Dy"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  EXPECT_TRUE(CutRows().isEmpty()) << CutRows().join(' ').toStdString();
  // The next commit is judged on the Type 2 set alone.
  form->Spin("Spin_Spring", true);
  EXPECT_TRUE(prompts.Messages().empty()) << prompts.Messages()[0].Text.toStdString();
  EXPECT_EQ(state.Set[kLastGoodSet].SusType, 2);
}

// Fault: the form was not laid out again when the link groups appeared, so
// after a Type 2 set was changed to Type 3 in the type list the plate, rod
// and position rows were squeezed into one strip of the height of a box,
// neither readable nor clickable. The form must grow to hold every row.
TEST_F(InputFormTypingTest, ATypeChangeToALinkPlateTypeKeepsEveryRowWhole) {
  Open(testing::SampleSet(2));
  ASSERT_TRUE(CutRows().isEmpty()) << CutRows().join(' ').toStdString();
  state.Mode = EditMode::Change;
  form->TypeList()->setCurrentIndex(1);  // Type3
  QApplication::processEvents();
  EXPECT_TRUE(Shown("Link_Up_Text"));
  EXPECT_TRUE(CutRows().isEmpty()) << CutRows().join(' ').toStdString();
  // And the form shrinks again when they go.
  form->TypeList()->setCurrentIndex(0);
  QApplication::processEvents();
  EXPECT_TRUE(CutRows().isEmpty()) << CutRows().join(' ').toStdString();
  EXPECT_LE(form->height(), form->sizeHint().height());
}

// Fault: the same squeeze when a Type 4 file was loaded into a Type 2
// session.
TEST_F(InputFormTypingTest, AType4FileLoadedIntoAType2SessionKeepsEveryRowWhole) {
  Open(testing::SampleSet(2));
  LoadChanged(4);
  EXPECT_EQ(state.Set[kChangedSet].SusType, 4);
  EXPECT_TRUE(Shown("Link_Up_Text"));
  EXPECT_TRUE(Shown("Label23"));
  EXPECT_EQ(ParseDecimal(Box(box::LinkUp)->text().toStdString()),
            state.Set[kChangedSet].LinkUp);
  EXPECT_TRUE(CutRows().isEmpty()) << CutRows().join(' ').toStdString();
}

// ---- typing ---------------------------------------------------------------

// Fault: text that passed the character test but was no number ("1.2.3",
// "-", "1,5"), or failed it ("１０", a letter), was painted white again by
// the empty-box check and reported as a linkage that cannot be formed, with
// the previous set put back; the user never learnt which box was wrong.
TEST_F(InputFormTypingTest, TextThatIsNotANumberIsNamedAndMarkedRed) {
  Open(testing::SampleSet(4));
  const ConfigSet before = state.Set[kChangedSet];
  for (const QString bad : {"1.2.3", "-", "１０", "1,5", "6l"}) {
    prompts.Clear();
    Enter(box::LinkFr, bad);
    ASSERT_EQ(prompts.Messages().size(), 1u) << bad.toStdString();
    const QString told = prompts.Messages()[0].Text;
    EXPECT_TRUE(told.contains(QStringLiteral("リンクプレート前辺"))) << told.toStdString();
    EXPECT_TRUE(told.contains(bad)) << told.toStdString();
    EXPECT_FALSE(told.contains(kNotFormed)) << told.toStdString();
    EXPECT_EQ(prompts.Messages()[0].Title, "ぽてらんからの警告!!");
    EXPECT_EQ(BoxColourOf(*Box(box::LinkFr)), BoxColour::Red) << bad.toStdString();
    EXPECT_EQ(Box(box::LinkFr)->text(), bad);  // kept for the user to mend
    EXPECT_EQ(state.Set[kChangedSet].LinkFr, before.LinkFr);
    EXPECT_FALSE(state.LinkFailed);
    EXPECT_EQ(views.sink.points, 0);  // nothing judged, nothing swept
  }
  // Mended, the same box is taken and loses its mark.
  const double mended = before.LinkFr - 0.5;
  Enter(box::LinkFr, QString::fromStdString(GeneralDouble(mended)));
  EXPECT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(state.Set[kChangedSet].LinkFr, static_cast<float>(mended));
  EXPECT_EQ(BoxColourOf(*Box(box::LinkFr)), BoxColour::White);
  EXPECT_GT(views.sink.points, 0);
}

// Fault: as above, for two bad boxes at once, one of them a box without
// Enter handling whose text a spin press takes: both are named and marked.
TEST_F(InputFormTypingTest, EveryBadBoxOfACommitIsNamed) {
  Open(testing::SampleSet(4));
  Type(box::PivotX, "1.2.3");
  Type(box::Preload, "-");
  form->Spin("Spin_Link_Up", false);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  const QString told = prompts.Messages()[0].Text;
  EXPECT_TRUE(told.contains(QStringLiteral("ピボットＸ座標"))) << told.toStdString();
  EXPECT_TRUE(told.contains(QStringLiteral("プリロード"))) << told.toStdString();
  EXPECT_EQ(BoxColourOf(*Box(box::PivotX)), BoxColour::Red);
  EXPECT_EQ(BoxColourOf(*Box(box::Preload)), BoxColour::Red);
  EXPECT_EQ(state.Set[kChangedSet].LinkUp, testing::SampleSet(4).LinkUp);  // not stepped
  EXPECT_EQ(views.sink.points, 0);
}

// Fault: a spin press wrote the changed set back into every box, so text
// typed into another box without Enter was silently replaced by the old
// value. It is now committed together with the press.
TEST_F(InputFormTypingTest, TextTypedWithoutEnterIsCommittedByASpinPress) {
  Open(testing::SampleSet(4));
  const ConfigSet before = state.Set[kChangedSet];
  Type(box::Spring, "12.5");
  Type(box::PivotY, "1");  // a box without Enter handling
  form->Spin("Spin_Link_Up", false);
  EXPECT_TRUE(prompts.Messages().empty()) << prompts.Messages()[0].Text.toStdString();
  EXPECT_EQ(state.Set[kChangedSet].SpringRate, 12.5);
  EXPECT_EQ(state.Set[kChangedSet].PivotMoveY, 1);
  EXPECT_EQ(state.Set[kChangedSet].LinkUp, static_cast<float>(before.LinkUp) - 1.0);
  EXPECT_EQ(Box(box::Spring)->text(), "12.5");
  EXPECT_EQ(Box(box::PivotY)->text(), "1.");
  EXPECT_EQ(state.Set[kLastGoodSet].SpringRate, 12.5);

  // With nothing typed, a press leaves the other values exactly as they are
  // (no round trip through the boxes' two decimals).
  state.Set[kChangedSet].ForkLinkOffset += 0.004;
  const double offset = state.Set[kChangedSet].ForkLinkOffset;
  form->Spin("Spin_Link_Up", true);
  EXPECT_EQ(state.Set[kChangedSet].ForkLinkOffset, offset);
}

// Fault: the pitch list completed a typed "0" to the listed "0.1", so Enter
// took a pitch the user never typed instead of refusing the zero.
TEST_F(InputFormTypingTest, AZeroPitchIsRefusedNotCompleted) {
  Open(testing::SampleSet(4));
  QLineEdit* edit = form->PitchList()->lineEdit();
  for (const char* typed : {"0", "0.", "1"}) {
    prompts.Clear();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    EXPECT_EQ(edit->text(), typed);
    QTest::keyClick(edit, Qt::Key_Return);
    if (QString(typed) == "1") {
      EXPECT_TRUE(prompts.Messages().empty());
      EXPECT_EQ(state.ChangePitch, 1.0);
    } else {
      ASSERT_EQ(prompts.Messages().size(), 1u) << typed;
      EXPECT_EQ(prompts.Messages()[0].Text, kBadPitch);
      EXPECT_EQ(state.ChangePitch, 1.0) << typed;
    }
  }
  form->SetPitchText("0.5");
  edit->selectAll();
  QTest::keyClicks(edit, "0");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(state.ChangePitch, 0.5);
}

}  // namespace
}  // namespace potelan
