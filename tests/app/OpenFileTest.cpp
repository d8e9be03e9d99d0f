// Start-up with a file on the command line, as a file manager starts the
// program for a link file: a link file opens as the base set in its type's
// base form, ready for Next; anything else is told first, and the type
// choice follows as at a normal start.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "ProgramFixture.hpp"
#include "app/MainWindow.hpp"
#include "entry/BaseForm.hpp"
#include "entry/BoxNames.hpp"
#include "entry/StartMixForm.hpp"
#include "files/LinkFile.hpp"
#include "files/TextCodec.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan {
namespace {

QString Example(int type) { return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(type); }

// A start with a file argument; each message notes whether the type choice
// was already showing when it appeared.
class OpenFileTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Open(false);  // as main() does for a command line with an argument
    prompts.WhenMessageShown([this] { probed.push_back(Shown(window->TypeChoice())); });
  }
  bool Shown(const QWidget* child) const {
    const QMdiSubWindow* sub = window->SubWindowOf(child);
    return child != nullptr && sub != nullptr && !sub->isHidden();
  }
  // What a start with an unusable argument must look like: one message in
  // the program's words, given before the type choice appeared, then the
  // type choice at its start state.
  void ExpectToldThenTypeChoice(const QString& headline) {
    const std::vector<ScriptedPrompts::Shown> messages = prompts.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(headline + "\n")) << messages[0].Text.toStdString();
    EXPECT_EQ(messages[0].Title, "ぽてらんからの警告!!");
    EXPECT_EQ(messages[0].Icon, MessageIcon::Error);
    ASSERT_EQ(probed.size(), 1u);
    EXPECT_FALSE(probed[0]) << "the type choice came before the message";
    ASSERT_NE(window->TypeChoice(), nullptr);
    EXPECT_TRUE(Shown(window->TypeChoice()));
    EXPECT_EQ(window->TypeChoice()->SelectedIndex(), 1);
    EXPECT_EQ(state.Mode, EditMode::None);
    EXPECT_EQ(window->BaseDimensions(), nullptr);
    EXPECT_TRUE(window->Button(kButtonNext)->isEnabled());
    EXPECT_FALSE(window->Button(kButtonPrevious)->isEnabled());
  }

  std::vector<bool> probed;  // was the type choice shown as each message came
};

TEST_F(OpenFileTest, ALinkFileOpensInItsBaseFormReadyForNext) {
  window->OpenAtStart(Example(4));
  EXPECT_TRUE(prompts.History().empty());
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_EQ(state.Set[0].SusType, 4);
  EXPECT_EQ(state.Set[0].SusPos, 3);  // the file's position, kept for Next
  BaseForm* base = window->BaseDimensions();
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->objectName(), "Form_Type4");
  EXPECT_TRUE(Shown(base));
  EXPECT_FALSE(Shown(window->TypeChoice()));

  // Every box shows the text of its line in the file, as written.
  const std::optional<QStringList> lines = ReadTextLines(Example(4));
  ASSERT_TRUE(lines.has_value());
  int boxes = 0;
  for (QLineEdit* edit : base->findChildren<QLineEdit*>()) {
    const QString key = LinkFileKey(edit->objectName());
    ASSERT_FALSE(key.isEmpty()) << edit->objectName().toStdString();
    const QStringList matching = lines->filter(QRegularExpression("^" + key + "="));
    ASSERT_EQ(matching.size(), 1) << key.toStdString();
    EXPECT_EQ(edit->text(), matching[0].mid(key.size() + 1)) << key.toStdString();
    ++boxes;
  }
  EXPECT_EQ(boxes, 14);

  // Ready for Next: the file's position is used without asking (a modal
  // dialog would stop the test here), and the editing stage opens.
  EXPECT_TRUE(window->Button(kButtonNext)->isEnabled());
  EXPECT_TRUE(window->Button(kButtonPrevious)->isEnabled());
  EXPECT_TRUE(window->Button(kButtonLoad)->isEnabled());
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Mode, EditMode::New);
  EXPECT_NE(window->Input(), nullptr);
  EXPECT_TRUE(prompts.History().empty());

  // Going back twice reaches the type choice with the file's type chosen.
  window->ClickButton(kButtonPrevious);
  window->ClickButton(kButtonPrevious);
  EXPECT_EQ(state.Mode, EditMode::None);
  EXPECT_TRUE(Shown(window->TypeChoice()));
  EXPECT_EQ(window->TypeChoice()->SelectedIndex(), 2);
}

// An argument that is not a readable link file must not leave an empty
// frame (the rule for a command line without a file) nor a base form of a
// type the file does not have.
TEST_F(OpenFileTest, AnythingButALinkFileIsToldThenTheTypeChoiceShows) {
  const auto write = [this](const char* name, const char* text) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return file.fileName();
  };
  const std::pair<QString, QString> cases[] = {
      {dir.filePath("no-such-file.lin"), "ファイルを読み込めませんでした"},
      {dir.path(), "ファイルを読み込めませんでした"},
      // The reading ends at the first line, before the type.
      {write("notes.txt", "memo\r\nSUSTYPE=4\r\n"), "ﾘﾝｸﾌｧｲﾙとして読み込めませんでした"},
      {write("type9.lin", "SUSTYPE=9\r\nSUSPOS=1\r\n"), "ﾘﾝｸﾌｧｲﾙとして読み込めませんでした"},
  };
  for (const auto& [path, headline] : cases) {
    SCOPED_TRACE(path.toStdString());
    window = std::make_unique<MainWindow>(state, prompts, false);
    prompts.Clear();
    probed.clear();
    window->OpenAtStart(path);
    ExpectToldThenTypeChoice(headline);
    EXPECT_EQ(state.Set[0].SusType, 0);
  }
}

}  // namespace
}  // namespace potelan
