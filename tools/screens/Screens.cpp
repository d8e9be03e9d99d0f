// potelan-screens: walks the program through its stages with a sample link
// file and saves a picture of every window on the way, so that what a user
// sees can be looked at without clicking through it by hand.
//
//   potelan-screens OUTPUT_FOLDER LINK_FILE_FOLDER
//
// Run it under a real X server (xvfb-run) to see the fonts and frames as a
// user would; tools/screenshots.sh does that.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QSet>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QThread>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/MainWindow.hpp"
#include "app/ResultViews.hpp"
#include "app/ToolbarIcons.hpp"
#include "assistui/DesignAssistant.hpp"
#include "entry/InputForm.hpp"
#include "entry/PositionForm.hpp"
#include "model/AppState.hpp"
#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"
#include "ui/Translations.hpp"
#include "ui/Units.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/StrokePlayback.hpp"
#include "views/TableView.hpp"

namespace {

using potelan::MainWindow;

QString outFolder;
int failures = 0;

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Under English, every text a widget shows or names, in every window open or
// hidden, is checked for Japanese script and CJK punctuation; what is found
// is printed once.
bool english = false;
QSet<QString> reported;

bool HoldsJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) ||
        (u >= 0xff00 && u <= 0xffef)) {
      return true;
    }
  }
  return false;
}

void Report(const QWidget* w, const QString& text) {
  if (!HoldsJapanese(text)) return;
  const QString line = w->metaObject()->className() + QStringLiteral(" ") + w->objectName() +
                       QStringLiteral(": ") + text;
  if (reported.contains(line)) return;
  reported.insert(line);
  std::fprintf(stderr, "potelan-screens: Japanese under English: %s\n", qPrintable(line));
}

void ScanTexts() {
  if (!english) return;
  for (QWidget* w : QApplication::allWidgets()) {
    for (const QString& t : {w->windowTitle(), w->toolTip(), w->accessibleName(),
                             w->accessibleDescription(), w->statusTip()}) {
      Report(w, t);
    }
    for (const QAction* a : w->actions()) {
      Report(w, a->text());
      Report(w, a->toolTip());
    }
    if (auto* l = qobject_cast<QLabel*>(w)) Report(w, l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) Report(w, b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) Report(w, g->title());
    if (auto* m = qobject_cast<QMenu*>(w)) Report(w, m->title());
    if (auto* e = qobject_cast<QLineEdit*>(w)) Report(w, e->placeholderText());
    if (auto* c = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < c->count(); ++i) Report(w, c->itemText(i));
    }
    if (auto* t = qobject_cast<QTabWidget*>(w)) {
      for (int i = 0; i < t->count(); ++i) Report(w, t->tabText(i));
    }
    if (auto* d = qobject_cast<QDoubleSpinBox*>(w)) Report(w, d->suffix());
    if (auto* v = qobject_cast<QAbstractItemView*>(w); v != nullptr && v->model() != nullptr) {
      const QAbstractItemModel* model = v->model();
      for (int c = 0; c < model->columnCount(); ++c) {
        Report(w, model->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < std::min(model->rowCount(), 40); ++r) {
          Report(w, model->data(model->index(r, c)).toString());
          Report(w, model->data(model->index(r, c), Qt::ToolTipRole).toString());
        }
      }
    }
  }
}

void Save(QWidget* widget, const QString& name) {
  Settle();
  ScanTexts();
  if (widget == nullptr) {
    std::fprintf(stderr, "potelan-screens: no window for %s\n", qPrintable(name));
    ++failures;
    return;
  }
  const QString path = QDir(outFolder).filePath(name + QStringLiteral(".png"));
  if (!widget->grab().save(path)) {
    std::fprintf(stderr, "potelan-screens: cannot write %s\n", qPrintable(path));
    ++failures;
    return;
  }
  std::printf("%s\n", qPrintable(path));
}

// Saves the frame of an MDI child (its title bar included).
void SaveChild(MainWindow& window, QWidget* child, const QString& name) {
  QMdiSubWindow* sub = window.SubWindowOf(child);
  Save(sub != nullptr ? static_cast<QWidget*>(sub) : child, name);
}

// Runs `action` on the modal dialog that the next call opens.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(50, [action] {
    if (QWidget* modal = QApplication::activeModalWidget()) action(modal);
  });
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: potelan-screens OUTPUT_FOLDER LINK_FILE_FOLDER\n");
    return 2;
  }
  QApplication app(argc, argv);
  // The system's language (LANG=en_US.UTF-8 pictures the English windows).
  const auto language = potelan::ResolveLanguage(potelan::LanguageChoice::Automatic,
                                                 QLocale::system().uiLanguages());
  english = language == potelan::Language::English;
  potelan::InstallFontSubstitutes(english);
  potelan::InstallTranslations(app, language);
  QApplication::setWindowIcon(potelan::ProgramIcon());
  outFolder = QString::fromLocal8Bit(argv[1]);
  const QDir links(QString::fromLocal8Bit(argv[2]));
  QDir().mkpath(outFolder);

  potelan::AppState state;
  potelan::ScriptedPrompts prompts;
  MainWindow window(state, prompts, true);
  window.show();
  Settle();
  Save(&window, QStringLiteral("01-start"));

  // Every base-dimension form, empty, from the type choice.
  for (int type = 2; type <= 6; ++type) {
    window.TypeChoice()->Option(type - 2)->click();
    Save(window.TypeChoice(), QStringLiteral("02-type-choice-%1").arg(type));
    window.ClickButton(potelan::kButtonNext);
    SaveChild(window, window.BaseDimensions(), QStringLiteral("03-base-form-%1").arg(type));
    window.ClickButton(potelan::kButtonPrevious);
  }

  // Type 4 with a missing entry: red boxes and the question, answered No.
  window.TypeChoice()->Option(2)->click();
  window.ClickButton(potelan::kButtonNext);
  prompts.PickFile(links.filePath(QStringLiteral("type4.lin")));
  window.ClickButton(potelan::kButtonLoad);
  if (auto* box = window.BaseDimensions()->findChild<QLineEdit*>(QStringLiteral("Ten_Rod_Text"))) {
    box->clear();
  }
  prompts.AnswerYes(false);
  window.ClickButton(potelan::kButtonNext);
  SaveChild(window, window.BaseDimensions(), QStringLiteral("04-base-form-missing"));
  prompts.PickFile(links.filePath(QStringLiteral("type4.lin")));
  window.ClickButton(potelan::kButtonLoad);

  // The position choice, pictured while it is open, then the views.
  state.Set[0].SusPos = 0;
  WhenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<potelan::PositionForm*>(modal);
    if (dialog == nullptr) return;
    dialog->ChoosePosition(2);
    Save(dialog, QStringLiteral("05-position"));
    dialog->Accept();
  });
  window.ClickButton(potelan::kButtonNext);
  Settle();
  Save(&window, QStringLiteral("06-views-new"));

  // A few accepted edits, then the whole window and every view.
  if (potelan::InputForm* input = window.Input()) {
    input->Spin(QStringLiteral("Spin_Link_Up"), false);
    input->Spin(QStringLiteral("Spin_Link_Up"), false);
    input->Spin(QStringLiteral("Spin_Dy"), true);
    SaveChild(window, input, QStringLiteral("07-change-input"));
  }
  Save(&window, QStringLiteral("08-editing"));

  // The same on a larger main window, the views arranged side by side as a
  // user would drag them: all four children in view at once.
  window.resize(1380, 1000);
  Settle();
  if (potelan::InputForm* input = window.Input()) {
    QMdiSubWindow* inputFrame = window.SubWindowOf(input);
    QMdiSubWindow* tableFrame = window.SubWindowOf(window.Views().TableWindow());
    QMdiSubWindow* graphFrame = window.SubWindowOf(window.Views().GraphWindow());
    QMdiSubWindow* realFrame = window.SubWindowOf(window.Views().RealWindow());
    if (inputFrame && tableFrame && graphFrame && realFrame) {
      inputFrame->move(0, 0);
      tableFrame->move(inputFrame->width(), 0);
      const int right = tableFrame->x() + tableFrame->width();
      graphFrame->move(right, 0);
      realFrame->move(right, graphFrame->height());
      window.Views().BringToFront(window.Views().RealWindow());
      window.Views().BringToFront(window.Views().GraphWindow());
      window.Views().BringToFront(window.Views().TableWindow());
      window.Area()->setActiveSubWindow(inputFrame);
      input->setFocus();
    }
  }
  Save(&window, QStringLiteral("08-editing-all-views"));
  // The main window's menus open, one after the other (popups of their own:
  // the screen is pictured).
  for (const char* name : {"menu_z1", "menu_z2", "menu_z5", "menu_z4", "menu_window"}) {
    auto* menu = window.findChild<QMenu*>(QString::fromLatin1(name));
    if (menu == nullptr) continue;
    window.menuBar()->setActiveAction(menu->menuAction());
    Settle();
    QThread::msleep(200);
    Settle();
    const QString path =
        QDir(outFolder).filePath(QStringLiteral("08-menu-%1.png").arg(QString::fromLatin1(name)));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path)) ++failures;
    std::printf("%s\n", qPrintable(path));
    menu->hide();
    Settle();
  }
  SaveChild(window, window.Views().GraphWindow(), QStringLiteral("09-graph"));
  SaveChild(window, window.Views().TableWindow(), QStringLiteral("10-table"));
  SaveChild(window, window.Views().RealWindow(), QStringLiteral("11-real"));

  // The real-motion view in use: both sliders part-way along the stroke.
  if (potelan::RealView* real = window.Views().RealWindow()) {
    window.Views().BringToFront(real);
    Settle();
    real->Slider(0)->setValue(-40);
    real->Slider(1)->setValue(-90);
    SaveChild(window, real, QStringLiteral("11-real-sliders"));
    // Stroke playback part-way along, then its menu open (a popup of its
    // own: the screen is pictured).
    real->StartPlayback();
    for (int frame = 0; frame < 20; ++frame) real->Playback().Advance(30);
    real->StopPlayback();
    SaveChild(window, real, QStringLiteral("12-real-playback"));
    if (auto* menu = potelan::FindIndexed<QMenu>(*real, QStringLiteral("menu_dummy"), 2)) {
      if (auto* bar = real->findChild<QMenuBar*>()) bar->setActiveAction(menu->menuAction());
      Settle();
      QThread::msleep(200);
      Settle();
      const QString path = QDir(outFolder).filePath(QStringLiteral("12-real-playback-menu.png"));
      if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path)) ++failures;
      std::printf("%s\n", qPrintable(path));
      menu->hide();
      Settle();
    }
  }

  // The printed report as a PDF; tools/screenshots.sh pictures its first page.
  if (potelan::TableView* table = window.Views().TableWindow()) {
    prompts.PickFile(QDir(outFolder).filePath(QStringLiteral("13-report.pdf")));
    table->SavePdf();
  }

  // The graph on a large frame at 5 mm: joined curves, legend, axis titles
  // and the marks where a curve leaves the fixed scale; then fitted to its
  // curves, and saved as PNG and SVG through its menu.
  if (auto* graph = qobject_cast<potelan::GraphView*>(window.Views().GraphWindow())) {
    if (QMdiSubWindow* frame = window.SubWindowOf(graph)) {
      frame->resize(900, 560);
      window.Views().BringToFront(graph);
    }
    const auto trigger = [graph](const char* name) {
      if (auto* item = graph->findChild<QAction*>(QString::fromLatin1(name))) item->trigger();
    };
    if (QAction* pitch5 =
            potelan::FindIndexed<QAction>(*graph, QStringLiteral("menu_detail_pitch"), 1)) {
      pitch5->trigger();
    }
    SaveChild(window, graph, QStringLiteral("24-graph-large"));
    // As narrow as its layout goes: every second stroke label or fewer.
    if (QMdiSubWindow* frame = window.SubWindowOf(graph)) {
      const QSize large = frame->size();
      frame->resize(frame->width() - graph->width() + graph->minimumSizeHint().width(), 420);
      SaveChild(window, graph, QStringLiteral("24-graph-narrow"));
      frame->resize(large);
    }
    prompts.PickImageSize(QSize(960, 600));
    prompts.PickFile(QDir(outFolder).filePath(QStringLiteral("26-graph-saved.png")));
    trigger("menu_save_png");
    prompts.PickFile(QDir(outFolder).filePath(QStringLiteral("26-graph-saved.svg")));
    trigger("menu_save_svg");
    trigger("menu_view_auto_scale");
    SaveChild(window, graph, QStringLiteral("25-graph-auto-scale"));
    trigger("menu_view_auto_scale");
  }

  // The ウィンドウ menu: tiled on a working area of 800 x 600, tiled from the
  // main window's start-up size (grown to the screen), and cascaded.
  window.resize(window.size() + (QSize(800, 600) - window.Area()->viewport()->size()));
  Settle();
  window.TileWindows();
  Save(&window, QStringLiteral("20-tiled-800x600"));
  window.resize(potelan::Px(12000), potelan::Px(9000));
  Settle();
  window.TileWindows();
  Save(&window, QStringLiteral("21-tiled-start-size"));
  window.resize(1380, 1000);
  Settle();
  window.TileWindows();
  Save(&window, QStringLiteral("22-tiled-large"));
  window.CascadeWindows();
  Save(&window, QStringLiteral("23-cascaded"));

  // The design assistant from the 特別 menu: its three pages, a fit to the
  // changed set's curve with 10 % more progression, and the graph with the
  // fitted set's preview.
  if (auto* menu = window.findChild<QAction*>(QStringLiteral("menu_assist"))) menu->trigger();
  if (potelan::DesignAssistant* assistant = window.Assistant()) {
    if (QMdiSubWindow* frame = window.SubWindowOf(assistant)) {
      frame->resize(960, 660);
      frame->move(0, 0);
    }
    assistant->Characteristics().StaticLoadBox()->setValue(150);
    assistant->Pages()->setCurrentIndex(0);
    SaveChild(window, assistant, QStringLiteral("30-assist-characteristics"));
    assistant->Pages()->setCurrentIndex(1);
    SaveChild(window, assistant, QStringLiteral("31-assist-sensitivity"));
    assistant->Pages()->setCurrentIndex(2);
    using potelan::Dimension;
    for (Dimension d : {Dimension::LinkUp, Dimension::TenRodLength, Dimension::FrameLinkX}) {
      if (QCheckBox* check = assistant->Fitting().Ranges().Check(d)) check->setChecked(true);
    }
    assistant->Fitting().Target().Reshape(potelan::TargetEditor::Change::AddProgression);
    SaveChild(window, assistant, QStringLiteral("32-assist-fit-target"));
    assistant->Fitting().Run();
    QElapsedTimer clock;
    clock.start();
    while (assistant->Fitting().FitRunning() && clock.elapsed() < 60000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(5);
    }
    SaveChild(window, assistant, QStringLiteral("33-assist-fit-result"));
    window.Views().BringToFront(window.Views().GraphWindow());
    if (QMdiSubWindow* graph = window.SubWindowOf(window.Views().GraphWindow())) {
      graph->resize(760, 520);
    }
    SaveChild(window, window.Views().GraphWindow(), QStringLiteral("34-graph-fit-preview"));
    Save(&window, QStringLiteral("35-editing-with-assistant"));
    // Both arrangements from the start-up size with the assistant open: the
    // main window grows to the screen's available area first.
    window.resize(potelan::Px(12000), potelan::Px(9000));
    Settle();
    window.TileWindows();
    Save(&window, QStringLiteral("36-tiled-with-assistant"));
    window.resize(potelan::Px(12000), potelan::Px(9000));
    Settle();
    window.CascadeWindows();
    Save(&window, QStringLiteral("37-cascaded-with-assistant"));
    window.resize(1380, 1000);
  }

  // The change-input form after each kind of type change: a Type 2 session
  // changed to Type 3 in the type list and back, a Type 4 file loaded into a
  // Type 2 session, and a Type 2 file loaded into a session with a link plate.
  window.ClickButton(potelan::kButtonPrevious);
  window.ClickButton(potelan::kButtonPrevious);
  window.TypeChoice()->Option(0)->click();
  window.ClickButton(potelan::kButtonNext);
  prompts.PickFile(links.filePath(QStringLiteral("type2.lin")));
  window.ClickButton(potelan::kButtonLoad);
  window.ClickButton(potelan::kButtonNext);
  if (potelan::InputForm* input = window.Input()) {
    SaveChild(window, input, QStringLiteral("13-change-input-type2"));
    input->TypeList()->setCurrentIndex(1);
    SaveChild(window, input, QStringLiteral("14-change-input-type2-to-3"));
    input->TypeList()->setCurrentIndex(0);
    SaveChild(window, input, QStringLiteral("15-change-input-type3-to-2"));
    prompts.PickFile(links.filePath(QStringLiteral("type4.lin")));
    window.ClickButton(potelan::kButtonLoad);
    SaveChild(window, input, QStringLiteral("16-change-input-type2-load-type4"));
    prompts.PickFile(links.filePath(QStringLiteral("type2.lin")));
    window.ClickButton(potelan::kButtonLoad);
    SaveChild(window, input, QStringLiteral("17-change-input-type4-load-type2"));
    prompts.PickFile(links.filePath(QStringLiteral("type5.lin")));
    window.ClickButton(potelan::kButtonLoad);
    SaveChild(window, input, QStringLiteral("18-change-input-type2-load-type5"));
    // A box that holds no number: named, marked red, nothing judged.
    if (auto* box = input->findChild<QLineEdit*>(QStringLiteral("Link_Fr_Text"))) {
      box->setText(QStringLiteral("1,5"));
      input->EnterInBox(box->objectName());
    }
    SaveChild(window, input, QStringLiteral("19-change-input-not-a-number"));
  }

  // The settings dialog.
  QTimer::singleShot(50, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      Save(modal, QStringLiteral("12-settings"));
      modal->close();
    }
  });
  window.OpenInitialSettings();
  if (QWidget* settings = window.Init()) Save(settings, QStringLiteral("12-settings"));

  for (const auto& shown : prompts.History()) {
    std::printf("shown: %s %s\n", qPrintable(shown.Kind), qPrintable(shown.Text));
  }
  return failures == 0 ? 0 : 1;
}
