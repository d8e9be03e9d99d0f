// The main window as a user meets it: start-up, toolbar and menus, the walk
// from the type choice through the base dimensions and the position choice
// to the editing stage and back, link files at the base stage, and the
// initial-settings dialog.
#include "app/MainWindow.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <functional>

#include "ProgramDriving.hpp"
#include "ProgramFixture.hpp"
#include "SampleLinkages.hpp"
#include "app/InitForm.hpp"
#include "app/ResultViews.hpp"
#include "entry/BaseForm.hpp"
#include "entry/BoxNames.hpp"
#include "entry/InputForm.hpp"
#include "entry/PositionForm.hpp"
#include "entry/StartMixForm.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "files/SettingsFile.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Prompts.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "ui/Translations.hpp"
#include "views/GraphView.hpp"
#include "views/TableView.hpp"

namespace potelan {
namespace {

QString Example(int type) { return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(type); }

using testing::WhenModal;

class MainWindowTest : public testing::ProgramTest {
 protected:
  bool Enabled(int index) const { return window->Button(index)->isEnabled(); }
  std::vector<int> EnabledButtons() const {
    std::vector<int> enabled;
    for (int i = 1; i <= kToolbarButtons; ++i) {
      if (!window->Button(i)->isSeparator() && Enabled(i)) enabled.push_back(i);
    }
    return enabled;
  }
  bool Shown(const QWidget* child) const {
    const QMdiSubWindow* sub = window->SubWindowOf(child);
    return sub != nullptr && sub->isVisible();
  }

  // Chooses the type on the type choice and presses Next.

  // Types the dimensions of a sample linkage into the base form.
  static void Fill(BaseForm& form, const ConfigSet& c) { testing::FillBoxes(form, c); }

};

TEST_F(MainWindowTest, StartsAsAFinishedFrameWithOnlyNextEnabled) {
  MainWindow& w = Open();
  EXPECT_EQ(w.objectName(), "MDIForm1");
  EXPECT_EQ(w.windowTitle(), "ぽてらんβ2");
  EXPECT_EQ(w.size(), QSize(800, 600));
  EXPECT_EQ(EnabledButtons(), std::vector<int>{kButtonNext});
  for (int separator : {1, 5, 11}) EXPECT_TRUE(w.Button(separator)->isSeparator());
  EXPECT_EQ(w.Button(2)->toolTip(), "ファイルからデータを読み込む");
  EXPECT_EQ(w.Button(10)->toolTip(), "荷重チェック（未使用）");
  EXPECT_EQ(w.Button(12)->toolTip(), "次のステップへ進む");
  EXPECT_EQ(w.Button(13)->toolTip(), "前のステップに戻る");
  ASSERT_NE(w.TypeChoice(), nullptr);
  EXPECT_TRUE(Shown(w.TypeChoice()));
  EXPECT_EQ(state.Mode, EditMode::None);
  EXPECT_EQ(state.MaxStroke, 150);  // no settings file here
  EXPECT_EQ(state.AppFolder, QDir::currentPath().toStdString());
  // The toolbar is the way through the stages: no menu offers to hide it.
  const std::unique_ptr<QMenu> popup(w.createPopupMenu());
  if (popup) {
    for (const QAction* action : popup->actions()) EXPECT_FALSE(action->isVisible());
  }
}

TEST(QtFileFilterTest, ShowsTheDescriptionOnceWithItsPattern) {
  EXPECT_EQ(QtFileFilter(QStringLiteral("ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin")), QStringLiteral("ﾘﾝｸﾌｧｲﾙ(*.lin)"));
  EXPECT_EQ(QtFileFilter(QStringLiteral("CSV|*.csv")), QStringLiteral("CSV (*.csv)"));
  EXPECT_EQ(QtFileFilter(QStringLiteral("*.txt")), QStringLiteral("*.txt"));
}

TEST_F(MainWindowTest, MenusCarryTheirNamesAndStates) {
  MainWindow& w = Open();
  const std::pair<const char*, bool> items[] = {
      {"menu_load", false}, {"menu_save", false},  {"menu_print", false}, {"menu_about", true},
      {"menu_copy", false}, {"menu_paste", false}, {"menu_init", true},  {"menu_undo", false},
      {"menu_redo", false}, {"menu_graph", false}};
  for (const auto& [name, enabled] : items) {
    QAction* action = w.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_EQ(action->isEnabled(), enabled) << name;
  }
  QStringList titles;
  for (QAction* action : w.menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles,
            (QStringList{"ファイル", "編集", "表示", "ラベル", "特別", "ウィンドウ", "初期設定"}));
  for (const char* disabled : {"menu_z2", "menu_z5", "menu_z3", "menu_z4"}) {
    EXPECT_FALSE(w.findChild<QMenu*>(disabled)->menuAction()->isEnabled()) << disabled;
  }

  w.About();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text, "まだ開発途上のプログラムです");
  EXPECT_EQ(prompts.Messages()[0].Title, "ぽてらんβ");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::None);
}

// The language of a start: the system's first UI language (Japanese also
// under C/POSIX or none) or the user's choice; the program's English texts
// and Qt's Japanese ones are installed accordingly, never Qt's German.
TEST_F(MainWindowTest, StartsInTheLanguageOfTheSystemOrOfTheChoice) {
  struct Row {
    LanguageChoice Choice;
    QStringList UiLanguages;
    const char* Title;
    const char* FileMenu;
    const char* QtCancel;  // Qt's own button text
  };
  const Row rows[] = {
      {LanguageChoice::Automatic, {"ja-JP", "en-US"}, "ぽてらんβ2", "ファイル", "キャンセル"},
      {LanguageChoice::Automatic, {"C"}, "ぽてらんβ2", "ファイル", "キャンセル"},
      {LanguageChoice::Automatic, {}, "ぽてらんβ2", "ファイル", "キャンセル"},
      {LanguageChoice::Automatic, {"en-US", "ja-JP"}, "Potelan β2", "File", "Cancel"},
      {LanguageChoice::Automatic, {"de-DE"}, "Potelan β2", "File", "Cancel"},
      {LanguageChoice::Japanese, {"en-GB"}, "ぽてらんβ2", "ファイル", "キャンセル"},
      {LanguageChoice::English, {"ja-JP"}, "Potelan β2", "File", "Cancel"},
  };
  for (const Row& row : rows) {
    const QString name = row.UiLanguages.join(',') + QLatin1Char('/') +
                         QString::number(static_cast<int>(row.Choice));
    const QList<QTranslator*> installed =
        InstallTranslations(*qApp, ResolveLanguage(row.Choice, row.UiLanguages));
    EXPECT_FALSE(installed.isEmpty()) << name.toStdString();
    Open();
    EXPECT_EQ(window->windowTitle(), row.Title) << name.toStdString();
    EXPECT_EQ(window->findChild<QMenu*>("menu_z1")->title(), row.FileMenu) << name.toStdString();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), row.QtCancel)
        << name.toStdString();
    window.reset();
    for (QTranslator* translator : installed) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
  }
}

TEST_F(MainWindowTest, WalksFromTypeChoiceThroughPositionToEditingAndBack) {
  Open();
  BaseForm& base = StartBase(4);
  EXPECT_EQ(state.Set[0].SusType, 4);
  EXPECT_EQ(base.objectName(), "Form_Type4");
  EXPECT_TRUE(Shown(&base));
  EXPECT_FALSE(Shown(window->TypeChoice()));
  EXPECT_EQ(EnabledButtons(), (std::vector<int>{2, 3, 12, 13}));  // nothing to print yet

  // One box left empty and one with a letter: both red, the question answered No.
  const ConfigSet sample = testing::SampleSet(4);
  Fill(base, sample);
  auto* fork = base.findChild<QLineEdit*>(box::ForkLength);
  auto* rod = base.findChild<QLineEdit*>(box::TenRod);
  fork->clear();
  rod->setText("8O");
  prompts.AnswerYes(false);
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(BoxColourOf(*fork), BoxColour::Red);
  EXPECT_EQ(BoxColourOf(*rod), BoxColour::Red);
  EXPECT_EQ(BoxColourOf(*base.findChild<QLineEdit*>(box::LinkUp)), BoxColour::White);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Kind, "question");
  EXPECT_EQ(prompts.Messages()[0].Text,
            "未入力項目があります。\nファイルからデータを読み込みますか？");
  EXPECT_EQ(prompts.Messages()[0].Title, "ぽてらんからの注意");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Warning);
  EXPECT_TRUE(Shown(&base));

  // Typing turns a red box white at once.
  QTest::keyClicks(fork, QString::number(sample.ForkLength));
  EXPECT_EQ(BoxColourOf(*fork), BoxColour::White);
  rod->setText(QString::number(sample.TenRodLength));

  // Find, by solving, a position that fails; the sample's own one assembles.
  int failing = 0;
  for (int p = 1; p <= 4; ++p) {
    ConfigSet probe = sample;
    if (!testing::SolvesAt(probe, p)) failing = p;
  }
  const int good = sample.SusPos;
  prompts.Clear();
  bool dialogSeen = false;
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<PositionForm*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialogSeen = true;
    if (failing != 0) {
      dialog->ChoosePosition(failing - 1);
      EXPECT_EQ(state.Set[0].SusPos, 0);
    }
    dialog->ChoosePosition(good - 1);
    dialog->Accept();
  });
  window->ClickButton(kButtonNext);
  EXPECT_TRUE(dialogSeen);
  EXPECT_FALSE(Shown(&base));
  EXPECT_EQ(state.Set[0].SusPos, good);
  EXPECT_EQ(state.Mode, EditMode::New);
  EXPECT_FALSE(state.LinkFailed);
  if (failing != 0) {
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].Text, "その位置ではリンクが成立しません");
  }
  EXPECT_EQ(state.Set[0].ForkLength, static_cast<double>(static_cast<float>(sample.ForkLength)));
  EXPECT_FALSE(Enabled(kButtonNext));
  for (int b : {6, 7, 8, 9, 13}) EXPECT_TRUE(Enabled(b)) << b;
  // The change-input form, its buttons included, fits the working area of
  // the main window at its start-up size: nothing has to be scrolled to.
  const QMdiSubWindow* input = window->SubWindowOf(window->Input());
  ASSERT_NE(input, nullptr);
  EXPECT_TRUE(window->Area()->viewport()->rect().contains(input->geometry()))
      << input->geometry().height() << " in " << window->Area()->viewport()->height();

  // Ctrl+Z in a box holding typed text undoes the typing; then, the box
  // unmodified, the program's last step. 表示 restores a minimised view.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->Input()->findChild<SpinButton*>("Spin_Spring")->UpArrow()->click();
  auto* spring = window->Input()->findChild<QLineEdit*>(box::Spring);
  const QString pressed = spring->text();
  spring->setFocus();
  QTest::keyClicks(spring, "7");
  QTest::keyClick(spring, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(spring->text(), pressed);
  QTest::keyClick(spring, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(state.Set[kChangedSet].SpringRate, state.Set[kBaseSet].SpringRate);
  QMdiSubWindow* graphFrame = window->SubWindowOf(window->Views().GraphWindow());
  graphFrame->showMinimized();
  window->findChild<QAction*>("menu_graph")->trigger();
  EXPECT_FALSE(graphFrame->isMinimized());
  EXPECT_EQ(window->Area()->activeSubWindow(), graphFrame);

  // Previous from editing shows the base form again; once more, the type choice.
  window->ClickButton(kButtonPrevious);
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_TRUE(Shown(window->BaseDimensions()));
  EXPECT_TRUE(Enabled(kButtonNext));
  window->ClickButton(kButtonPrevious);
  EXPECT_EQ(state.Mode, EditMode::None);
  EXPECT_EQ(window->BaseDimensions(), nullptr);
  EXPECT_TRUE(Shown(window->TypeChoice()));
  EXPECT_EQ(window->TypeChoice()->SelectedIndex(), 2);  // still Type 4
  EXPECT_FALSE(Enabled(kButtonPrevious));
  EXPECT_FALSE(Enabled(kButtonLoad));  // no form to load into
}

TEST_F(MainWindowTest, MissingEntriesCanBeFilledFromAFile) {
  Open();
  BaseForm& base = StartBase(3);
  prompts.AnswerYes(true);
  prompts.PickFile(Example(3));
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Mode, EditMode::Base);
  ASSERT_GE(prompts.History().size(), 2u);
  EXPECT_EQ(prompts.History()[1].Kind, "open");
  EXPECT_EQ(prompts.History()[1].Dialog.Title, "ﾘﾝｸﾌｧｲﾙ選択");
  EXPECT_EQ(prompts.History()[1].Dialog.Filter, "ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin");
  EXPECT_EQ(base.findChild<QLineEdit*>(box::ForkLength)->text(), "582");
  EXPECT_EQ(BoxColourOf(*base.findChild<QLineEdit*>(box::ForkLength)), BoxColour::White);

  // The file supplied the position: the position choice closes by itself.
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Mode, EditMode::New);
  EXPECT_EQ(state.Set[0].SusPos, 1);
}

TEST_F(MainWindowTest, Type2NeedsNoPositionChoice) {
  Open();
  BaseForm& base = StartBase(2);
  Fill(base, testing::SampleSet(2));
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Mode, EditMode::New);
  EXPECT_GT(state.Set[0].SusLength, 0);  // solved at once
}

TEST_F(MainWindowTest, LinkFilesAtTheBaseStage) {
  Open();
  BaseForm& base = StartBase(4);

  // A file of another type is refused with the three-line message.
  prompts.PickFile(Example(3));
  window->ClickButton(kButtonLoad);
  const auto messages = prompts.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].Text.startsWith("基準サス緒元で選択されたリンクタイプと"));
  EXPECT_EQ(messages[0].Icon, MessageIcon::Error);
  EXPECT_EQ(base.findChild<QLineEdit*>(box::ForkLength)->text(), "");
  // The start folder has no dat folder: the dialog opens in the start folder,
  // never on a folder that does not exist (the file system's root view).
  EXPECT_EQ(prompts.History()[0].Dialog.InitialFolder, QDir::currentPath());

  // Its own type loads; nothing is solved.
  prompts.PickFile(Example(4));
  window->ClickButton(kButtonLoad);
  EXPECT_EQ(base.findChild<QLineEdit*>(box::ForkLength)->text(), "527");
  EXPECT_EQ(state.Set[0].SusLength, 0);

  // Save writes the boxes with set 0's type and position.
  const QString saved = dir.filePath("saved.lin");
  ASSERT_TRUE(QDir::current().mkdir("dat"));
  prompts.PickFile(saved);
  window->ClickButton(kButtonSave);
  EXPECT_EQ(prompts.History().back().Dialog.Title, "保存ﾘﾝｸﾌｧｲﾙ選択");
  EXPECT_EQ(prompts.History().back().Dialog.InitialFolder, QDir::currentPath() + "/dat");
  QFile written(saved), example(Example(4));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  // The base form has no pivot boxes: the set's move is written as the
  // change-input form would show it ("#0.#", so 0 becomes "0.").
  QByteArray expected = example.readAll();
  for (const char* key : {"ピボット移動Ｘ=0\r\n", "ピボット移動Ｙ=0\r\n"}) {
    const QByteArray line = EncodeShiftJis(QString::fromUtf8(key)).value();
    ASSERT_TRUE(expected.contains(line)) << key;
    expected.replace(line, line.left(line.size() - 2) + ".\r\n");
  }
  EXPECT_EQ(written.readAll(), expected);

  // A cancelled dialog changes nothing.
  prompts.PickFile(std::nullopt);
  window->ClickButton(kButtonLoad);
  EXPECT_EQ(base.findChild<QLineEdit*>(box::ForkLength)->text(), "527");
}

TEST_F(MainWindowTest, SaveThatFailsSaysSo) {
  Open();
  StartBase(4);
  prompts.PickFile(dir.filePath("no/such/folder/x.lin"));
  window->ClickButton(kButtonSave);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
}

TEST_F(MainWindowTest, ClosingTheBaseFormGoesBackToTheTypeChoice) {
  Open();
  BaseForm& base = StartBase(5);
  window->SubWindowOf(&base)->close();
  QCoreApplication::processEvents();
  EXPECT_EQ(state.Mode, EditMode::None);
  EXPECT_TRUE(Shown(window->TypeChoice()));
  EXPECT_EQ(window->TypeChoice()->SelectedIndex(), 3);
  EXPECT_FALSE(Enabled(kButtonPrevious));
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_EQ(window->BaseDimensions()->objectName(), "Form_Type5");
}

TEST_F(MainWindowTest, AnArgumentSkipsTheTypeChoiceButNextStillWorks) {
  Open(false);
  EXPECT_TRUE(window->Area()->subWindowList().isEmpty() || !Shown(window->TypeChoice()));
  window->ClickButton(kButtonNext);
  EXPECT_EQ(state.Set[0].SusType, 3);
  EXPECT_EQ(window->BaseDimensions()->objectName(), "Form_Type3");
}

TEST_F(MainWindowTest, InitialSettingsRefuseBadEntriesAndKeepGoodOnes) {
  ASSERT_TRUE(WriteSettings(dir.path(), 120));
  Open();
  EXPECT_EQ(state.MaxStroke, 120);
  window->OpenInitialSettings();
  InitForm* init = window->Init();
  ASSERT_NE(init, nullptr);
  EXPECT_EQ(init->windowTitle(), "初期設定");
  auto* text1 = init->findChild<QLineEdit*>("Text1");
  EXPECT_EQ(text1->text(), "120");
  for (const char* bad : {"abc", "4000", "-1", "1.5", ""}) {
    text1->setText(bad);
    EXPECT_FALSE(init->Accept()) << bad;
    EXPECT_EQ(state.MaxStroke, 120) << bad;
  }
  EXPECT_EQ(prompts.Messages().size(), 5u);
  text1->setText("152");
  auto* language = init->findChild<QComboBox*>("Combo_Language");
  EXPECT_EQ(language->currentData().toInt(), static_cast<int>(LanguageChoice::Automatic));
  language->setCurrentIndex(language->findText("English"));
  init->findChild<QPushButton*>("Command_OK")->click();
  EXPECT_EQ(state.MaxStroke, 152);
  EXPECT_EQ(StoredLanguageChoice(), LanguageChoice::English);  // per user, not in the file
  StoreLanguageChoice(LanguageChoice::Automatic);
  const std::optional<QStringList> settings = ReadTextLines(SettingsFilePath(dir.path()));
  ASSERT_TRUE(settings);
  EXPECT_EQ(*settings, QStringList{"MaxStroke=152"});
  QCoreApplication::processEvents();
  EXPECT_EQ(window->Init(), nullptr);  // closed

  // Enter in the box accepts as well; the dialog goes once the key is done.
  window->OpenInitialSettings();
  text1 = window->Init()->findChild<QLineEdit*>("Text1");
  text1->setText("140");
  QTest::keyClick(text1, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(state.MaxStroke, 140);
  EXPECT_EQ(window->Init(), nullptr);
}

// The commands a stage cannot act on used to stay enabled and do nothing:
// Load, Save and Print on the type choice after going back, and Print at
// every stage although it printed nothing. Each button is now enabled only
// where its command acts, and Print prints the table's report while the
// table is open.
TEST_F(MainWindowTest, CommandsThatCannotActAreDisabled) {
  const std::vector<int> onTypeChoice = {kButtonNext};
  const std::vector<int> onBase = {kButtonLoad, kButtonSave, kButtonNext, kButtonPrevious};
  const std::vector<int> editing = {kButtonLoad,       kButtonSave,       kButtonPrint,
                                    kButtonInputFront, kButtonGraphFront, kButtonTableFront,
                                    kButtonRealFront,  kButtonPrevious};
  Open();
  EXPECT_EQ(EnabledButtons(), onTypeChoice);
  StartBase(3);
  EXPECT_EQ(EnabledButtons(), onBase);
  window->ClickButton(kButtonPrevious);
  ASSERT_EQ(state.Mode, EditMode::None);
  EXPECT_EQ(EnabledButtons(), onTypeChoice);
  // Closing the base form by its frame is the same way back.
  window->SubWindowOf(&StartBase(3))->close();
  QCoreApplication::processEvents();
  ASSERT_EQ(state.Mode, EditMode::None);
  EXPECT_EQ(EnabledButtons(), onTypeChoice);

  // Editing: Print prints the table's report.
  const ConfigSet sample = testing::SampleSet(3);
  Fill(StartBase(3), sample);
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<PositionForm*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->ChoosePosition(sample.SusPos - 1);
    dialog->Accept();
  });
  window->ClickButton(kButtonNext);
  QCoreApplication::processEvents();
  ASSERT_EQ(state.Mode, EditMode::New);
  EXPECT_EQ(EnabledButtons(), editing);
  TableView* table = window->Views().TableWindow();
  ASSERT_NE(table, nullptr);
  const QString pdf = dir.filePath("report.pdf");
  table->Printer().setOutputFormat(QPrinter::PdfFormat);
  table->Printer().setOutputFileName(pdf);
  prompts.AcceptPrinter(true);
  window->ClickButton(kButtonPrint);
  ASSERT_FALSE(prompts.History().empty());
  EXPECT_EQ(prompts.History().back().Kind, "printer");
  EXPECT_TRUE(prompts.Messages().empty());
  QFile report(pdf);
  ASSERT_TRUE(report.open(QIODevice::ReadOnly));
  EXPECT_TRUE(report.readAll().startsWith("%PDF"));

  // A type change closes the views: there is no table to print until a
  // front button opens them again.
  window->Input()->TypeList()->setCurrentIndex(3);  // "Type5"
  ASSERT_EQ(window->Views().TableWindow(), nullptr);
  std::vector<int> withoutTable = editing;
  std::erase(withoutTable, kButtonPrint);
  EXPECT_EQ(EnabledButtons(), withoutTable);
  window->ClickButton(kButtonTableFront);
  ASSERT_NE(window->Views().TableWindow(), nullptr);
  EXPECT_EQ(EnabledButtons(), editing);

  window->ClickButton(kButtonPrevious);
  ASSERT_EQ(state.Mode, EditMode::Base);
  EXPECT_EQ(EnabledButtons(), onBase);
  const std::size_t shown = prompts.History().size();
  window->ClickButton(kButtonPrint);  // disabled: nothing is asked
  EXPECT_EQ(prompts.History().size(), shown);
}

// The question at Next about missing entries offered a file dialog with no
// folder, which opened on the file system's root view. It opens in the
// `dat` folder of the start folder, or in the start folder when there is
// no `dat` folder.
TEST_F(MainWindowTest, TheReadFromAFileDialogOpensInTheDatFolder) {
  Open();
  StartBase(3);
  const QString start = QString::fromStdString(state.AppFolder);
  prompts.AnswerYes(true);
  prompts.PickFile(std::nullopt);
  window->ClickButton(kButtonNext);
  ASSERT_EQ(prompts.History().size(), 2u);
  ASSERT_EQ(prompts.History()[1].Kind, "open");
  EXPECT_EQ(prompts.History()[1].Dialog.InitialFolder, start);

  ASSERT_TRUE(QDir(start).mkdir("dat"));
  prompts.Clear();
  prompts.AnswerYes(true);
  prompts.PickFile(std::nullopt);
  window->ClickButton(kButtonNext);
  ASSERT_EQ(prompts.History().size(), 2u);
  EXPECT_EQ(prompts.History()[1].Dialog.InitialFolder, start + "/dat");
  EXPECT_EQ(state.Mode, EditMode::Base);
}

// After Next the graph held only the coarse dots of the base sweep; the
// detail curves came only when the graph button was pressed twice. The
// views open on the detail display of the base set ("詳細表示", every
// 0.2 mm), on the engine's own values, and the chosen pitch stays.
TEST_F(MainWindowTest, TheGraphShowsTheDetailCurvesAsSoonAsTheViewsOpen) {
  Open();
  const ConfigSet sample = testing::SampleSet(2);
  Fill(StartBase(2), sample);
  const float pitch = state.GraphDetailPitch;
  window->ClickButton(kButtonNext);
  ASSERT_EQ(state.Mode, EditMode::New);
  GraphView* graph = window->Views().GraphWindow();
  ASSERT_NE(graph, nullptr);
  int strokes = 0;
  for (float s = 0; s <= state.MaxStroke; s += 0.2f) {
    ++strokes;
    AppState probe = state;
    probe.Set[kBaseWork].AxleStartPos = probe.Set[kBaseSet].AxleStartPos - s;
    ASSERT_EQ(SolveLinkage(probe, kBaseWork, probe.Set[kBaseWork].SusPos),
              SolveResult::Assembled)
        << s;
    const std::optional<QPoint> load =
        GraphView::PixelOf(GraphX(s), GraphLoadY(probe.Set[kBaseWork].AxleLoad.Magnitude));
    if (load) {
      EXPECT_EQ(graph->Picture().pixel(*load), qRgb(0, 255, 255)) << s;
    }
  }
  EXPECT_EQ(graph->PlotCount(PlotColour::Blue), strokes);
  EXPECT_EQ(graph->PlotCount(PlotColour::Cyan), strokes);
  EXPECT_EQ(graph->PlotCount(PlotColour::Grey), 0);  // the coarse dots are gone
  EXPECT_EQ(state.GraphDetailPitch, pitch);
  EXPECT_EQ(graph->CheckedPitch(), pitch);
  EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, state.Set[kBaseSet].AxleStartPos);
  EXPECT_FALSE(state.LinkFailed);
}

}  // namespace
}  // namespace potelan
