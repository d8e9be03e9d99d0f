// The entry windows as a screen reader (or any tool that drives the program
// through the platform's accessibility interface) sees them: every box,
// spin arrow and list that can be seen carries a name, and a box marked red
// says so.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <functional>

#include "CountingViews.hpp"
#include "SampleLinkages.hpp"
#include "entry/BaseForm.hpp"
#include "entry/BoxNames.hpp"
#include "entry/ChangeViews.hpp"
#include "entry/InputForm.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "model/ResultTable.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan {
namespace {

using testing::CountingViews;

// Every interface below `root`, depth first.
void Walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit) {
  for (int i = 0; i < root->childCount(); ++i) {
    QAccessibleInterface* child = root->child(i);
    if (child == nullptr) continue;
    visit(child);
    Walk(child, visit);
  }
}

// The texts of the labels an interface is "labelled by".
QStringList LabelledBy(QAccessibleInterface* iface) {
  QStringList labels;
  for (const auto& [label, relation] : iface->relations(QAccessible::Label)) {
    labels << label->text(QAccessible::Name);
  }
  return labels;
}

struct Operable {
  QString ObjectName;
  QAccessible::Role Role;
  QString Name;
  QStringList Labels;
};

// The controls a user can operate that the walk of a window's accessible
// tree meets while they are visible.
std::vector<Operable> VisibleControls(QWidget& window) {
  std::vector<Operable> found;
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
  EXPECT_NE(root, nullptr);
  if (root == nullptr) return found;
  Walk(root, [&](QAccessibleInterface* iface) {
    if (iface->state().invisible) return;
    switch (iface->role()) {
      case QAccessible::EditableText:
      case QAccessible::ComboBox:
      case QAccessible::PushButton:
      case QAccessible::SpinBox:
      case QAccessible::RadioButton:
      case QAccessible::CheckBox: break;
      default: return;
    }
    const QObject* object = iface->object();
    found.push_back({object != nullptr ? object->objectName() : QString(), iface->role(),
                     iface->text(QAccessible::Name), LabelledBy(iface)});
  });
  return found;
}

// A visible control without a name is a control a screen reader can only
// call "edit" or "button", and a tool cannot find.
void ExpectEveryControlNamed(const std::vector<Operable>& controls) {
  for (const Operable& c : controls) {
    if (c.Role == QAccessible::ComboBox) {
      // The platform names a list by its current entry; its caption is the
      // label it is labelled by.
      ASSERT_EQ(c.Labels.size(), 1) << c.ObjectName.toStdString();
      EXPECT_FALSE(c.Labels[0].isEmpty()) << c.ObjectName.toStdString();
    } else {
      EXPECT_FALSE(c.Name.trimmed().isEmpty()) << c.ObjectName.toStdString() << " role " << c.Role;
    }
  }
}

const Operable* Find(const std::vector<Operable>& controls, const QString& objectName) {
  for (const Operable& c : controls) {
    if (c.ObjectName == objectName) return &c;
  }
  return nullptr;
}

class AccessibilityTest : public ::testing::Test {
 protected:
  void Open(int type) {
    state.Set[kBaseSet] = testing::SampleSet(type);
    state.Mode = EditMode::New;
    CopySet(state, kBaseSet);
    form = std::make_unique<InputForm>(state, prompts, views);
    form->show();
  }
  QString NameOf(const QString& objectName) const {
    QWidget* widget = form->findChild<QWidget*>(objectName);
    EXPECT_NE(widget, nullptr) << objectName.toStdString();
    if (widget == nullptr) return {};
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  }
  QString DescriptionOf(const QString& objectName) const {
    QWidget* widget = form->findChild<QWidget*>(objectName);
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
  }

  AppState state;
  ScriptedPrompts prompts;
  CountingViews views;
  std::unique_ptr<InputForm> form;
};

TEST_F(AccessibilityTest, EveryVisibleControlOfTheChangeInputFormIsNamed) {
  Open(4);
  const std::vector<Operable> controls = VisibleControls(*form);
  ExpectEveryControlNamed(controls);
  // 14 boxes and 2 pivot boxes, the pitch's own text box, 32 arrows, 2
  // lists, the position button and the two buttons below the rows.
  int boxes = 0, arrows = 0, lists = 0;
  for (const Operable& c : controls) {
    if (c.ObjectName.endsWith("_Up") || c.ObjectName.endsWith("_Down")) ++arrows;
    if (c.Role == QAccessible::ComboBox) ++lists;
    if (c.Role == QAccessible::EditableText) ++boxes;
  }
  EXPECT_EQ(boxes, 14 + 2 + 1);
  EXPECT_EQ(arrows, 2 * 16);
  EXPECT_EQ(lists, 2);

  // The names are the rows' captions.
  EXPECT_EQ(NameOf(box::LinkFr), "リンクプレート前辺");
  EXPECT_EQ(NameOf(box::PivotY), "ピボットＹ座標");
  EXPECT_EQ(NameOf(box::SusUpX), "サス上部取付位置Ｘ座標");
  EXPECT_EQ(NameOf("Spin_Link_Fr_Up"), "リンクプレート前辺 上");
  EXPECT_EQ(NameOf("Spin_Link_Fr_Down"), "リンクプレート前辺 下");
  EXPECT_EQ(NameOf("Spin_Ten_Rod_Up"), "テンションロッド長 上");
  const Operable* type = Find(controls, box::TypeList);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Labels, QStringList{"サスペンションタイプ:"});
  const Operable* pitch = Find(controls, "Combo_Pitch");
  ASSERT_NE(pitch, nullptr);
  EXPECT_EQ(pitch->Labels, QStringList{"変更ピッチ:"});
}

// The shock mount's row changes its caption with the type: the arrows must
// not keep the name of the other pair.
TEST_F(AccessibilityTest, TheShockMountRowIsNamedAfterTheCaptionItShows) {
  Open(5);
  ExpectEveryControlNamed(VisibleControls(*form));
  EXPECT_EQ(NameOf(box::SusUpLength), "サス上部取付長");
  EXPECT_EQ(NameOf(box::SusUpOffset), "サス上部取付オフセット");
  EXPECT_EQ(NameOf("Spin_Ex_Up"), "サス上部取付長 上");
  EXPECT_EQ(NameOf("Spin_Ey_Down"), "サス上部取付オフセット 下");
  EXPECT_EQ(form->findChild<QLabel*>("Label3")->buddy(),
            form->findChild<QLineEdit*>(box::SusUpLength));

  form->TypeList()->setCurrentIndex(1);  // Type 3: the pair on the frame
  ExpectEveryControlNamed(VisibleControls(*form));
  EXPECT_EQ(NameOf("Spin_Ex_Up"), "サス上部取付位置Ｘ座標 上");
  EXPECT_EQ(NameOf("Spin_Ey_Down"), "サス上部取付位置Ｙ座標 下");
  EXPECT_EQ(form->findChild<QLabel*>("Label4")->buddy(), form->findChild<QLineEdit*>(box::SusUpY));
}

TEST_F(AccessibilityTest, ARedBoxSaysSoInItsDescriptionUntilItIsWhiteAgain) {
  Open(4);
  EXPECT_TRUE(DescriptionOf(box::LinkUp).isEmpty());
  const QString kept = form->findChild<QLineEdit*>(box::LinkUp)->text();
  form->findChild<QLineEdit*>(box::LinkUp)->clear();
  form->findChild<QLineEdit*>(box::TenRod)->setText("8O");
  form->EnterInBox(box::Spring);
  EXPECT_EQ(DescriptionOf(box::LinkUp), kRedBoxDescription);
  EXPECT_EQ(DescriptionOf(box::TenRod), kRedBoxDescription);
  EXPECT_TRUE(DescriptionOf(box::LinkFr).isEmpty());

  form->findChild<QLineEdit*>(box::LinkUp)->setText(kept);
  form->findChild<QLineEdit*>(box::TenRod)->setText("80");
  form->EnterInBox(box::Spring);
  EXPECT_TRUE(DescriptionOf(box::LinkUp).isEmpty());
  EXPECT_TRUE(DescriptionOf(box::TenRod).isEmpty());
}

TEST(BaseFormAccessibilityTest, EveryBoxIsNamedByItsCaption) {
  for (int type = 2; type <= 6; ++type) {
    BaseForm form(type);
    form.show();
    const std::vector<Operable> controls = VisibleControls(form);
    ExpectEveryControlNamed(controls);
    int boxes = 0;
    for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
      ++boxes;
      const QString name = edit->accessibleName();
      // The caption beside the box, without its "=": "リアフォーク長　OG".
      const QLabel* caption = nullptr;
      for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (label->buddy() == edit) caption = label;
      }
      ASSERT_NE(caption, nullptr) << edit->objectName().toStdString();
      EXPECT_EQ(name + "=", caption->text()) << type;
      EXPECT_EQ(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name), name);
    }
    EXPECT_EQ(boxes, type == 2 ? 8 : 14);
    EXPECT_EQ(static_cast<int>(controls.size()), boxes);

    // A failed read marks a box red; typing clears the mark and the word.
    QLineEdit* fork = form.findChild<QLineEdit*>(box::ForkLength);
    form.Entry().SetBoxBackground(box::ForkLength, BoxColour::Red);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(fork)->text(QAccessible::Description),
              kRedBoxDescription);
    fork->setText("500");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(fork)->text(QAccessible::Description).isEmpty());
  }
}

}  // namespace
}  // namespace potelan
