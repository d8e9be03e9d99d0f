// The windows of the program as the platform's accessibility interface
// shows them: the settings box and every box of the editing stage carry a
// name, so that a screen reader (or a tool that drives the program from
// outside) can tell them apart.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>

#include "ProgramFixture.hpp"
#include "app/InitForm.hpp"
#include "app/MainWindow.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan {
namespace {

void Walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit) {
  for (int i = 0; i < root->childCount(); ++i) {
    if (QAccessibleInterface* child = root->child(i)) {
      visit(child);
      Walk(child, visit);
    }
  }
}

class AccessibleWindowsTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Open(false);
  }

};

// Walking the whole main window, as a tool that drives the program does:
// every visible box in the editing stage, the settings box included, is
// found by a name.
TEST_F(AccessibleWindowsTest, EveryVisibleBoxOfTheEditingStageIsNamed) {
  window->OpenAtStart(QStringLiteral(POTELAN_EXAMPLES "/type3.lin"));
  window->ClickButton(kButtonNext);
  ASSERT_EQ(state.Mode, EditMode::New);
  window->OpenInitialSettings();
  int boxes = 0;
  Walk(QAccessible::queryAccessibleInterface(window.get()), [&](QAccessibleInterface* iface) {
    if (iface->state().invisible || iface->role() != QAccessible::EditableText) return;
    ++boxes;
    const QString name = iface->object() != nullptr ? iface->object()->objectName() : QString();
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << name.toStdString();
  });
  // 14 dimension boxes, 2 pivot boxes, the pitch and the settings box.
  EXPECT_GE(boxes, 18);
  // The settings box is labelled by its caption.
  QAccessibleInterface* text1 =
      QAccessible::queryAccessibleInterface(window->Init()->findChild<QLineEdit*>("Text1"));
  EXPECT_EQ(text1->text(QAccessible::Name), "ｱｸｽﾙｽﾄﾛｰｸ最大値");
  const auto labels = text1->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first->text(QAccessible::Name), "ｱｸｽﾙｽﾄﾛｰｸ最大値");
}

}  // namespace
}  // namespace potelan
