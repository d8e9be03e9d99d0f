#include "SessionFuzz.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "ProgramDriving.hpp"
#include "SampleLinkages.hpp"
#include "app/ResultViews.hpp"
#include "entry/BoxNames.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/InputForm.hpp"
#include "entry/MemoryForm.hpp"
#include "entry/PositionForm.hpp"
#include "files/LinkFile.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Controls.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/ResultTableModel.hpp"
#include "views/TableView.hpp"
#include "EngineTable.hpp"

namespace potelan::testing {
namespace {

const QString kPutBack = QStringLiteral("データを前の状態に戻します");

// The spin buttons of the change-input form (the rebound spring's are hidden).
const char* const kSpins[] = {
    "Spin_Ex",        "Spin_Ey",          "Spin_Dx",          "Spin_Dy",
    "Spin_Fork_Link", "Spin_Link_Offset", "Spin_Link_Up",     "Spin_Link_Fr",
    "Spin_Link_Rr",   "Spin_Ten_Rod",     "Spin_Fork_Length", "Spin_Axle_Start_Pos",
    "Spin_Spring",    "Spin_Preload",     "Spin_Pivot_x",     "Spin_Pivot_y",
};

// Texts a user may type that are not numbers, or are numbers in a form the
// program does not take.
const char* const kBadTexts[] = {"1.2.3", "-", "１０", "1,5", "abc", "=5", "+", "5-3", "."};
const char* const kPitchTexts[] = {"0.1", "0.5", "1.0", "2", "0.25", "-1", "abc", "3"};
const char* const kMaxStrokes[] = {"150", "100", "152", "200", "35", "0", "abc", "-5", "400"};
const char* const kLoadKinds[] = {"good2", "good3", "good4", "good5",     "good6",  "unformable",
                                  "sweepfail", "garbage", "missing", "saved", "cancel"};

// The boxes whose Enter commits (the fork-side shock mount pair and the
// pivot boxes are taken by the next commit only).
bool EnterCommits(const QString& box) {
  return box != box::SusUpLength && box != box::SusUpOffset && box != box::PivotX &&
         box != box::PivotY;
}

std::string BoxPattern(const QString& box) {
  if (box == box::Spring || box == box::Preload) return "##.#";
  if (box == box::PivotX || box == box::PivotY) return "#0.#";
  return "###.##";
}

// Whether a box carries a value of a set of this link type.
bool BoxOfType(const QString& box, int type) {
  if (box == box::SusUpX || box == box::SusUpY) return type <= 4;
  if (box == box::SusUpLength || box == box::SusUpOffset) return type > 4;
  if (box == box::FrameLinkX || box == box::FrameLinkY || box == box::LinkUp ||
      box == box::LinkFr || box == box::LinkRr || box == box::TenRod) {
    return type > 2;
  }
  return true;
}

// Entered dimensions of a set, as one comparable list (type and position
// first).
// Entered dimensions of a set as its boxes would show them (type and
// position first): what a snapshot in the boxes can keep.
std::vector<std::string> Entered(const ConfigSet& c) {
  std::vector<std::string> values{std::to_string(c.SusType), std::to_string(c.SusPos)};
  for (const Field& f : kFields) {
    if (*f.Box == box::PivotX || *f.Box == box::PivotY) continue;
    if (BoxOfType(*f.Box, c.SusType)) values.push_back(FormatNumber(c.*f.Value, BoxPattern(*f.Box)));
  }
  return values;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// ---- commands -------------------------------------------------------------

QString FuzzCommand::Line() const {
  QStringList parts{Verb};
  for (const QString& arg : Args) {
    parts << (arg.isEmpty() ? QStringLiteral("%")
                            : QString::fromLatin1(QUrl::toPercentEncoding(arg)));
  }
  return parts.join(' ');
}

FuzzCommand FuzzCommand::Parse(const QString& line) {
  const QStringList parts = line.trimmed().split(' ', Qt::SkipEmptyParts);
  FuzzCommand command;
  if (parts.isEmpty()) return command;
  command.Verb = parts[0];
  for (qsizetype i = 1; i < parts.size(); ++i) {
    command.Args << (parts[i] == "%" ? QString()
                                     : QUrl::fromPercentEncoding(parts[i].toLatin1()));
  }
  return command;
}

// ---- the session ------------------------------------------------------------

FuzzSession::FuzzSession(std::uint32_t seed) : seed_(seed), rng_(seed) {
  previousDir_ = QDir::currentPath();
  if (qEnvironmentVariableIsSet("POTELAN_FUZZ_KEEP")) {
    dir_.setAutoRemove(false);  // the session's files, to look at
    qInfo("session folder: %s", qPrintable(dir_.path()));
  }
  QDir::setCurrent(dir_.path());
  QDir(dir_.path()).mkdir("dat");
  WriteFixtures();
  modalTimer_.setInterval(0);
  QObject::connect(&modalTimer_, &QTimer::timeout, [this] { AnswerModal(); });
  window_ = std::make_unique<MainWindow>(state_, prompts_, true);
  window_->show();
  QCoreApplication::processEvents();
}

FuzzSession::~FuzzSession() {
  window_.reset();
  QDir::setCurrent(previousDir_);
}

QString FuzzSession::FixturePath(const QString& kind) const {
  if (kind.startsWith("good")) {
    return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(kind.mid(4));
  }
  return dir_.filePath("dat/" + kind + ".lin");
}

void FuzzSession::WriteFixtures() {
  // A Type 4 linkage that cannot be formed at all, and one that forms at
  // its initial position but not over the whole stroke.
  auto write = [this](ConfigSet c, const QString& kind) {
    AppState probe;
    probe.Set[kBaseSet] = c;
    MemoryForm form = MemoryForm::BaseForm(c.SusType);
    probe.Mode = EditMode::Base;
    WriteSetToForm(probe, form, kBaseSet);
    WriteLinkFile(probe, form, FixturePath(kind), kBaseSet);
  };
  ConfigSet unformable = SampleSet(4);
  unformable.TenRodLength = 5;
  write(unformable, "unformable");

  ConfigSet partway = SampleSet(4);
  for (int axle = static_cast<int>(partway.AxleStartPos); axle > -1000; --axle) {
    AppState probe;
    probe.Set[kBaseSet] = partway;
    probe.Set[kBaseSet].AxleStartPos = axle;
    ResultTable table;
    NullPlotSink sink;
    const SweepResult result = BaseSweep(probe, table, sink);
    if (!result.Ok && result.FailedStroke > 0) {
      partway.AxleStartPos = axle;
      break;
    }
  }
  write(partway, "sweepfail");

  QFile garbage(FixturePath("garbage"));
  if (garbage.open(QIODevice::WriteOnly)) garbage.write(QByteArray("\x81\xff\x00=\x82zz\r\n=", 10));
}

bool FuzzSession::ViewsOpen() const { return window_->Views().IsOpen(); }

int FuzzSession::MessagesSince(std::size_t from) const {
  int count = 0;
  const auto& history = prompts_.History();
  for (std::size_t i = from; i < history.size(); ++i) {
    if (history[i].Kind == "message" || history[i].Kind == "question") ++count;
  }
  return count;
}

bool FuzzSession::MessageSince(std::size_t from, const QString& part) const {
  const auto& history = prompts_.History();
  for (std::size_t i = from; i < history.size(); ++i) {
    if (history[i].Text.contains(part)) return true;
  }
  return false;
}

bool FuzzSession::AnyShownBoxEmpty() const {
  InputForm* input = window_->Input();
  if (input == nullptr) return false;
  for (QLineEdit* edit : input->findChildren<QLineEdit*>()) {
    if (edit->objectName().endsWith("_Text") || edit->objectName().startsWith("Text_")) {
      if (edit->isVisibleTo(input) && edit->text().isEmpty()) return true;
    }
  }
  return false;
}

// ---- drawing commands ---------------------------------------------------------

FuzzCommand FuzzSession::Draw() { return DrawAny(); }

FuzzCommand FuzzSession::DrawAny() {
  auto pick = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); };
  auto chance = [this](double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; };
  auto cmd = [](const char* verb, QStringList args = {}) { return FuzzCommand{verb, args}; };
  const int roll = pick(100);

  switch (state_.Mode) {
    case EditMode::None:
      if (roll < 45) return cmd("choose-type", {QString::number(2 + pick(5))});
      if (roll < 88) return cmd("next", {QString::number(1 + pick(4))});
      if (roll < 92) return cmd("load", {kLoadKinds[pick(std::size(kLoadKinds))]});
      if (roll < 95) return cmd("maxstroke", {kMaxStrokes[pick(std::size(kMaxStrokes))]});
      return cmd("previous");
    case EditMode::Base: {
      const int type = state_.Set[kBaseSet].SusType;
      if (roll < 35) {
        return cmd("fill-base",
                   {QString::number(chance(0.85) ? type : 2 + pick(5)), QString::number(pick(4))});
      }
      if (roll < 45) {
        const Field& f = kFields[pick(std::size(kFields))];
        QString text = chance(0.3) ? QString() : kBadTexts[pick(std::size(kBadTexts))];
        if (chance(0.4)) text = Q(GeneralDouble(SampleSet(type).*f.Value));
        return cmd(chance(0.5) ? "enter" : "text", {*f.Box, text});
      }
      if (roll < 78) return cmd("next", {QString::number(1 + pick(4))});
      if (roll < 84) return cmd("previous");
      if (roll < 94) {
        // Mostly a file of the base form's own type.
        if (chance(0.5)) return cmd("load", {QStringLiteral("good%1").arg(type)});
        return cmd("load", {kLoadKinds[pick(std::size(kLoadKinds))]});
      }
      if (roll < 97) return cmd("save", {chance(0.7) ? "ok" : (chance(0.5) ? "bad" : "cancel")});
      return cmd("maxstroke", {kMaxStrokes[pick(std::size(kMaxStrokes))]});
    }
    default:
      break;
  }

  // The editing stages.
  const ConfigSet& changed = state_.Set[kChangedSet];
  if (chance(0.12)) {
    const char* const edits[] = {"undo", "undo", "undo", "redo", "redo", "copy", "paste", "view-front"};
    const QString verb = edits[pick(8)];
    if (verb == "view-front") return cmd("view-front", {QString::number(pick(3))});
    if (verb != "paste") return FuzzCommand{verb, {}};
    const char* const kinds[] = {"good2", "good4", "good6", "copied", "copied", "garbage"};
    return cmd("paste", {kinds[pick(6)], QString::number(pick(4))});
  }
  if (roll < 26) {
    return cmd("spin", {kSpins[pick(std::size(kSpins))], chance(0.5) ? "up" : "down"});
  }
  if (roll < 44) {
    const Field& f = kFields[pick(std::size(kFields))];
    QString text;
    const int kind = pick(10);
    if (kind < 6) {
      const double step = std::uniform_int_distribution<int>(-8, 8)(rng_) * 0.5;
      text = Q(GeneralDouble(changed.*f.Value + step));
    } else if (kind < 8) {
      text = kBadTexts[pick(std::size(kBadTexts))];
    }  // else empty
    return cmd(chance(0.8) ? "enter" : "text", {*f.Box, text});
  }
  if (roll < 49) return cmd("combo-type", {QString::number(2 + pick(5))});
  if (roll < 54) {
    return cmd("position", {QString::number(1 + pick(4)), chance(0.8) ? "ok" : "cancel"});
  }
  if (roll < 58) return cmd("store");
  if (roll < 63) return cmd("restore");
  if (roll < 69) return cmd("load", {kLoadKinds[pick(std::size(kLoadKinds))]});
  if (roll < 71) return cmd("save", {chance(0.7) ? "ok" : (chance(0.5) ? "bad" : "cancel")});
  if (roll < 74) return cmd("pitch", {kPitchTexts[pick(std::size(kPitchTexts))]});
  if (roll < 76) return cmd("maxstroke", {kMaxStrokes[pick(std::size(kMaxStrokes))]});
  if (roll < 80) {
    return cmd("fill-input", {QString::number(2 + pick(5)), QString::number(pick(4))});
  }
  if (roll < 90) {
    switch (pick(11)) {
      case 7:
        return cmd("graph-click", {QString::number(pick(1501)), QString::number(pick(4001))});
      case 8: {
        const char* const labels[] = {"Label1", "Label9", "Label10", "Label11", "Label3",
                                      "Label4", "Label7", "Label8",  "Label21"};
        return cmd("label", {labels[pick(std::size(labels))], QString::number(pick(2))});
      }
      case 9: return cmd("csv", {chance(0.7) ? "ok" : "cancel"});
      case 10: return cmd("print");
      case 0: return cmd("table-item", {QString::number(pick(kResultItemCount))});
      case 1: return cmd("graph-pitch", {QString::number(pick(7))});
      case 2: {
        const char* const toggles[] = {"menu_view_load", "menu_view_ratio", "menu_view_no_org"};
        return cmd("graph-toggle", {toggles[pick(3)]});
      }
      case 3: return cmd("graph-detail");
      case 4: return cmd("real-load", {QString::number(pick(2))});
      case 5:
        return cmd("real-slider", {QString::number(pick(2)), QString::number(pick(16) * 10)});
      default: return cmd("button", {QString::number(6 + pick(4))});
    }
  }
  if (roll < 96) return cmd("enter-after-fill");
  return cmd("previous");
}

// ---- running commands ---------------------------------------------------------

void FuzzSession::Execute(const FuzzCommand& c) {
  InputForm* input = window_->Input();
  committed_ = false;
  // Any command may open the position choice (a commit of a set that has no
  // position): it is answered with the first position that forms, unless
  // the command says otherwise.
  positionDialogShown_ = false;
  positionDialogStuck_ = false;
  modalPosition_ = 1;
  modalChoosesForming_ = true;
  modalAccepts_ = true;
  modalTimer_.start();
  const QString& v = c.Verb;
  if (v == "choose-type") {
    StartMixForm* choice = window_->TypeChoice();
    if (choice != nullptr && choice->isVisible() && state_.Mode == EditMode::None) {
      choice->Option(std::clamp(c.Number(0), 2, 6) - 2)->click();
    }
  } else if (v == "next") {
    RunNext(c.Number(0));
  } else if (v == "previous") {
    window_->ClickButton(kButtonPrevious);
  } else if (v == "fill-base") {
    if (state_.Mode == EditMode::Base) FillForm(c.Number(0), c.Number(1), false);
  } else if (v == "fill-input") {
    if (input != nullptr) FillForm(c.Number(0), c.Number(1), true);
  } else if (v == "enter-after-fill") {
    // Enter in the first shown box that commits.
    if (input != nullptr) {
      for (const Field& f : kFields) {
        auto* edit = input->findChild<QLineEdit*>(*f.Box);
        if (edit != nullptr && edit->isVisibleTo(input) && EnterCommits(*f.Box)) {
          committed_ = true;
          QTest::keyClick(edit, Qt::Key_Return);
          break;
        }
      }
    }
  } else if (v == "text" || v == "enter") {
    TypeInto(c.Arg(0), c.Arg(1), v == "enter");
  } else if (v == "spin") {
    if (input != nullptr) {
      auto* spin = input->findChild<SpinButton*>(c.Arg(0));
      if (spin != nullptr && spin->isVisibleTo(input)) {
        committed_ = true;
        (c.Arg(1) == "up" ? spin->UpArrow() : spin->DownArrow())->click();
      }
    }
  } else if (v == "combo-type") {
    if (input != nullptr) input->TypeList()->setCurrentIndex(std::clamp(c.Number(0), 2, 6) - 2);
  } else if (v == "position") {
    RunPosition(c.Number(0), c.Arg(1) == "ok");
  } else if (v == "store") {
    if (input != nullptr) input->findChild<QPushButton*>("Command_Store")->click();
  } else if (v == "restore") {
    if (input != nullptr) {
      committed_ = state_.Set[kStoredSet].SusType != 0;  // else the button does nothing
      input->findChild<QPushButton*>("Command_Restore")->click();
    }
  } else if (v == "load") {
    Load(c.Arg(0));
  } else if (v == "save") {
    Save(c.Arg(0));
  } else if (v == "pitch") {
    if (input != nullptr) {
      QLineEdit* edit = input->PitchList()->lineEdit();
      edit->setFocus();
      edit->selectAll();
      edit->del();
      QTest::keyClicks(edit, c.Arg(0));
      QTest::keyClick(edit, Qt::Key_Return);
    }
  } else if (v == "maxstroke") {
    SetMaxStroke(c.Arg(0));
  } else if (v == "undo" || v == "redo" || v == "copy" || v == "paste" || v == "view-front") {
    EditMenu(c);
  } else {
    ViewMenu(c);
  }
  QCoreApplication::processEvents();  // queued work and layouts
  modalTimer_.stop();
}

void FuzzSession::AnswerModal() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  auto* dialog = qobject_cast<PositionForm*>(modal);
  if (dialog == nullptr) {
    // No other modal window is expected (messages go through the prompts).
    if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
    return;
  }
  positionDialogShown_ = true;
  const int set = dialog->WorkingSet();
  if (modalChoosesForming_) {
    // The first position that forms, from the drawn one on.
    for (int k = 0; k < 4; ++k) {
      const int index = (modalPosition_ - 1 + k) % 4;
      const std::size_t before = prompts_.History().size();
      dialog->ChoosePosition(index);
      if (prompts_.History().size() == before && state_.Set[set].SusPos == index + 1) break;
    }
  } else {
    dialog->ChoosePosition(modalPosition_ - 1);
  }
  if (modalAccepts_) dialog->Accept();
  if (dialog->isVisible()) dialog->reject();  // Cancel, where the window has it
  if (dialog->isVisible()) {
    // No position forms and the base step has no Cancel: the window cannot
    // be left. Closed here so that the session goes on.
    positionDialogStuck_ = true;
    dialog->done(QDialog::Rejected);
  }
}

void FuzzSession::RunNext(int firstPosition) {
  modalPosition_ = std::clamp(firstPosition, 1, 4);
  modalChoosesForming_ = true;
  modalAccepts_ = true;
  window_->ClickButton(kButtonNext);
}

void FuzzSession::RunPosition(int position, bool ok) {
  InputForm* input = window_->Input();
  if (input == nullptr) return;
  committed_ = true;
  modalPosition_ = std::clamp(position, 1, 4);
  modalChoosesForming_ = false;
  modalAccepts_ = ok;
  input->findChild<QPushButton*>("Command1")->click();
}

void FuzzSession::TypeInto(const QString& boxName, const QString& text, bool enter) {
  QWidget* form = nullptr;
  if (state_.Mode == EditMode::Base) form = window_->BaseDimensions();
  if (state_.Mode == EditMode::New || state_.Mode == EditMode::Change) form = window_->Input();
  if (form == nullptr) return;
  auto* edit = form->findChild<QLineEdit*>(boxName);
  if (edit == nullptr || !edit->isVisibleTo(form)) return;  // a user cannot type there
  edit->setText(text);
  if (form == window_->Input()) typed_.insert(boxName);
  if (enter) {
    committed_ = form == window_->Input() && EnterCommits(boxName);
    QTest::keyClick(edit, Qt::Key_Return);
  }
}

void FuzzSession::FillForm(int type, int variant, bool input) {
  ConfigSet c = SampleSet(std::clamp(type, 2, 6));
  if (variant > 0) {
    const std::vector<ConfigSet> variants =
        RandomLinkages(c.SusType, 3, 7 + static_cast<unsigned>(c.SusType));
    if (!variants.empty()) c = variants[static_cast<std::size_t>(variant - 1) % variants.size()];
  }
  QWidget* form = input ? static_cast<QWidget*>(window_->Input())
                        : static_cast<QWidget*>(window_->BaseDimensions());
  if (form == nullptr) return;
  // Only the boxes a user sees.
  for (const Field& f : kFields) {
    auto* edit = form->findChild<QLineEdit*>(*f.Box);
    if (edit != nullptr && edit->isVisibleTo(form)) {
      edit->setText(Q(GeneralDouble(c.*f.Value)));
      if (input) typed_.insert(*f.Box);
    }
  }
}

void FuzzSession::Load(const QString& kind) {
  QAction* button = window_->Button(kButtonLoad);
  if (!button->isEnabled()) return;
  if (kind == "cancel") {
    prompts_.PickFile(std::nullopt);
  } else if (kind == "missing") {
    prompts_.PickFile(dir_.filePath("dat/nothing-here.lin"));
  } else {
    prompts_.PickFile(FixturePath(kind));
  }
  const bool atBase = state_.Mode == EditMode::Base;
  // A file that holds no link data (garbage) sets nothing: the boxes keep
  // what they showed, which is not always set 1 (see the pivot boxes).
  committed_ = !atBase && window_->Input() != nullptr && kind != "cancel" && kind != "garbage";
  // Any link file of the base set's type supplies its position (SUSPOS),
  // whatever its dimensions: whether the linkage forms there is judged at
  // Next, which asks when it does not.
  bool supplies = false;
  if (atBase && kind != "cancel") {
    AppState probe;
    probe.Mode = EditMode::Base;
    probe.Set[kBaseSet].SusType = state_.Set[kBaseSet].SusType;
    MemoryForm read = MemoryForm::BaseForm(std::clamp<int>(probe.Set[kBaseSet].SusType, 2, 6));
    const LinkReadStatus status = ReadLinkFile(probe, read, FixturePath(kind), kBaseSet).Status;
    supplies = status != LinkReadStatus::CannotOpen && status != LinkReadStatus::TypeMismatch &&
               probe.Set[kBaseSet].SusPos != 0;
  }
  window_->ClickButton(kButtonLoad);
  if (supplies) basePositionKnown_ = true;
}

void FuzzSession::Save(const QString& kind) {
  QAction* button = window_->Button(kButtonSave);
  if (!button->isEnabled()) return;
  if (kind == "cancel") {
    prompts_.PickFile(std::nullopt);
  } else if (kind == "bad") {
    prompts_.PickFile(dir_.filePath("no-such-folder/x.lin"));
  } else {
    prompts_.PickFile(FixturePath("saved"));
  }
  QFile::remove(FixturePath("saved"));
  const std::size_t shown = prompts_.History().size();
  window_->ClickButton(kButtonSave);
  if (kind != "ok" || MessagesSince(shown) != 0) return;

  // A file written and read back is the same: the form's boxes, the set's
  // type and position.
  const bool base = state_.Mode == EditMode::Base;
  QWidget* form = base ? static_cast<QWidget*>(window_->BaseDimensions())
                       : static_cast<QWidget*>(window_->Input());
  const int set = base ? kBaseSet : kChangedSet;
  if (form == nullptr) return;
  if (!QFile::exists(FixturePath("saved"))) {
    Fail("the save reported nothing, but wrote no file");
    return;
  }
  AppState probe;
  probe.Mode = EditMode::Changing;
  probe.Set[set].SusType = state_.Set[set].SusType;
  MemoryForm read = base ? MemoryForm::BaseForm(std::clamp<int>(state_.Set[set].SusType, 2, 6))
                         : MemoryForm::InputForm();
  const LinkReadResult result = ReadLinkFile(probe, read, FixturePath("saved"), set);
  const bool emptyBox = std::any_of(kFields, kFields + std::size(kFields), [&](const Field& f) {
    auto* edit = form->findChild<QLineEdit*>(*f.Box);
    return edit != nullptr && BoxOfType(*f.Box, state_.Set[set].SusType) && edit->text().isEmpty();
  });
  if (emptyBox) return;  // a file of empty entries cannot read back (told elsewhere)
  if (result.Status != LinkReadStatus::Ok) {
    Fail(QStringLiteral("the saved file does not read back (status %1, line %2)")
             .arg(static_cast<int>(result.Status))
             .arg(result.Line));
    return;
  }
  if (probe.Set[set].SusType != state_.Set[set].SusType ||
      probe.Set[set].SusPos != state_.Set[set].SusPos) {
    Fail(QStringLiteral("the saved file reads back as Type %1 P %2, the set is Type %3 P %4")
             .arg(probe.Set[set].SusType)
             .arg(probe.Set[set].SusPos)
             .arg(state_.Set[set].SusType)
             .arg(state_.Set[set].SusPos));
    return;
  }
  for (const Field& f : kFields) {
    auto* edit = form->findChild<QLineEdit*>(*f.Box);
    if (edit == nullptr || !BoxOfType(*f.Box, state_.Set[set].SusType)) continue;
    if (read.BoxText(*f.Box) != edit->text()) {
      Fail(QStringLiteral("box %1 shows \"%2\", the saved file reads back \"%3\"")
               .arg(*f.Box, edit->text(), read.BoxText(*f.Box)));
      return;
    }
  }
}

void FuzzSession::SetMaxStroke(const QString& text) {
  window_->OpenInitialSettings();
  InitForm* init = window_->Init();
  if (init == nullptr) return;
  init->findChild<QLineEdit*>("Text1")->setText(text);
  init->Accept();
  QCoreApplication::processEvents();
  // A refused entry leaves the dialog open; the user closes it.
  if (window_->Init() != nullptr) {
    if (QMdiSubWindow* sub = window_->SubWindowOf(window_->Init())) sub->close();
  }
}

void FuzzSession::ViewMenu(const FuzzCommand& c) {
  ResultViews& views = window_->Views();
  const QString& v = c.Verb;
  if (v == "button") {
    window_->ClickButton(std::clamp(c.Number(0), 6, 9));
    return;
  }
  if (!views.IsOpen()) return;
  if (v == "table-item") {
    const ResultItem item = ResultItems()[static_cast<std::size_t>(
                                              std::clamp(c.Number(0), 0, kResultItemCount - 1))]
                                .Item;
    views.TableWindow()->ItemMenu(item)->trigger();
  } else if (v == "graph-pitch") {
    if (QAction* a = FindIndexed<QAction>(*views.GraphWindow(), "menu_detail_pitch",
                                          std::clamp(c.Number(0), 0, 6))) {
      a->trigger();
    }
  } else if (v == "graph-toggle") {
    if (auto* a = views.GraphWindow()->findChild<QAction*>(c.Arg(0))) a->trigger();
  } else if (v == "graph-detail") {
    if (auto* a = views.GraphWindow()->findChild<QAction*>("menu_detail")) a->trigger();
  } else if (v == "real-load") {
    if (QAction* a = FindIndexed<QAction>(*views.RealWindow(), "menu_load",
                                          std::clamp(c.Number(0), 0, 1))) {
      a->trigger();
    }
  } else if (v == "real-slider") {
    if (QSlider* slider = views.RealWindow()->Slider(std::clamp(c.Number(0), 0, 1))) {
      if (slider->isVisibleTo(views.RealWindow())) slider->setValue(c.Number(1));
    }
  } else if (v == "graph-click") {
    // A click on the plot and its release: the read-out comes and goes.
    views.GraphWindow()->PlotMouseMove(c.Number(0), c.Number(1));
    views.GraphWindow()->PlotMouseDown(c.Number(0), c.Number(1));
    QCoreApplication::processEvents();
    views.GraphWindow()->PlotMouseUp();
  } else if (v == "label") {
    // A label of the change-input form held (and let go when asked): the
    // changed linkage's member pulses or its joint is starred.
    InputForm* input = window_->Input();
    if (input == nullptr) return;
    for (QLabel* label : input->findChildren<QLabel*>(c.Arg(0))) {
      if (!label->isVisibleTo(input)) continue;
      QTest::mousePress(label, Qt::LeftButton);
      if (input->Timer()->isActive()) input->PulseTick();
      if (c.Number(1) == 1) QTest::mouseRelease(label, Qt::LeftButton);
      break;
    }
  } else if (v == "csv") {
    prompts_.PickFile(c.Arg(0) == "ok" ? std::optional<QString>(dir_.filePath("table.csv"))
                                      : std::nullopt);
    if (auto* a = views.TableWindow()->findChild<QAction*>("menu_file_csv")) a->trigger();
  } else if (v == "print") {
    prompts_.AcceptPrinter(false);  // the printer dialog cancelled: nothing printed
    if (auto* a = views.TableWindow()->findChild<QAction*>("menu_print")) a->trigger();
  }
}

void FuzzSession::EditMenu(const FuzzCommand& c) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const char* const names[] = {"menu_undo", "menu_redo", "menu_copy", "menu_paste", "menu_graph",
                               "menu_hyo", "menu_real"};
  const int at = c.Verb == "view-front" ? 4 + std::clamp(c.Number(0), 0, 2)
               : static_cast<int>(QStringList({"undo", "redo", "copy", "paste"}).indexOf(c.Verb));
  QAction* item = window_->findChild<QAction*>(names[at]);
  committed_ = item->isEnabled() && at != 2 && at < 4;
  if (c.Verb == "paste" && c.Arg(0) == "garbage") {
    const char* const garbage[] = {"ぽてらん", "=5\r\nx=1", "", "SUSTYPE=9\nSUSPOS=1"};
    clipboard->setText(QString::fromUtf8(garbage[std::clamp(c.Number(1), 0, 3)]));
  } else if (c.Verb == "paste" && c.Arg(0).startsWith("good")) {
    clipboard->setText(ReadTextLines(FixturePath(c.Arg(0))).value_or(QStringList()).join('\n'));
  }
  if (c.Verb == "copy") clipboard->setText(QStringLiteral("-"));
  item->trigger();
  if (c.Verb != "copy" || clipboard->text() == "-") return;
  // Copy gives the text of the file Save writes.
  QFile::remove(FixturePath("copied"));
  prompts_.PickFile(FixturePath("copied"));
  window_->ClickButton(kButtonSave);
  QFile saved(FixturePath("copied"));
  if (!saved.open(QIODevice::ReadOnly) || DecodeText(saved.readAll()) != clipboard->text()) {
    Fail("the copied text is not the text of the file Save writes");
  }
}

// ---- the invariants ---------------------------------------------------------

void FuzzSession::Fail(const QString& what) {
  if (failure_.isEmpty()) failure_ = what;
}

bool FuzzSession::Step(const FuzzCommand& command) {
  done_.push_back(command.Line());
  const std::size_t shown = prompts_.History().size();
  Check(command);
  if (trace_) {
    // What a replay did, command by command (POTELAN_FUZZ_TRACE).
    const ConfigSet& changed = state_.Set[kChangedSet];
    std::printf("%-40s %-8s set0 T%d P%d  set1 T%d P%d  set4 T%d  views %s\n",
                qPrintable(command.Line()), std::string(EditModeName(state_.Mode)).c_str(),
                state_.Set[kBaseSet].SusType, state_.Set[kBaseSet].SusPos, changed.SusType,
                changed.SusPos, state_.Set[kStoredSet].SusType, ViewsOpen() ? "open" : "closed");
    const auto& history = prompts_.History();
    if (ViewsOpen()) {
      if (const auto fork = window_->Views().RealWindow()->Line("Line_Fork", 1)) {
        std::printf("    real view: changed arm %.2f mm (set 1 %.2f, set 7 %.2f)\n",
                    std::hypot(fork->P2.x() - fork->P1.x(), fork->P2.y() - fork->P1.y()),
                    changed.ForkLength, state_.Set[kChangedMotion].ForkLength);
      }
    }
    for (std::size_t i = shown; i < history.size(); ++i) {
      std::printf("    [%s] %s\n", qPrintable(history[i].Kind),
                  qPrintable(QString(history[i].Text).replace('\n', " / ")));
    }
    if (!failure_.isEmpty()) std::printf("    BROKEN: %s\n", qPrintable(failure_));
  }
  return failure_.isEmpty();
}

void FuzzSession::Check(const FuzzCommand& c) {
  const EditMode before = state_.Mode;
  const std::size_t messagesBefore = prompts_.History().size();
  const ConfigSet storedBefore = state_.Set[kStoredSet];
  const bool emptyBefore = AnyShownBoxEmpty();
  const bool inputBefore = window_->Input() != nullptr;
  const int indexBefore = window_->Session().History().index();
  const ConfigSet setBefore = state_.Set[kChangedSet];

  Execute(c);

  const int messages = MessagesSince(messagesBefore);
  const bool editing = state_.Mode == EditMode::New || state_.Mode == EditMode::Change;

  // Every caller that tests the failure flag clears it: none survives a
  // command, or the next judgement reports a failure that is not there.
  if (state_.LinkFailed) Fail("LinkFailed is still set after the command");

  // Next at the base stage ends in the editing stage or says why not.
  if (c.Verb == "next" && before == EditMode::Base && state_.Mode == EditMode::Base &&
      messages == 0) {
    Fail("Next at the base stage stopped without a word");
  }
  if (c.Verb == "next" && positionDialogStuck_) {
    Fail("the base stage's position dialog could not be left: no position forms");
  }
  // Next from the type choice: the base position of a former type means
  // nothing now.
  if (c.Verb == "next" && before == EditMode::None && state_.Mode == EditMode::Base) {
    basePositionKnown_ = false;
  }
  if (c.Verb == "next" && before == EditMode::Base && positionDialogShown_) {
    basePositionKnown_ = true;
  }
  if (c.Verb == "next" && before == EditMode::Base && state_.Mode == EditMode::New &&
      state_.Set[kBaseSet].SusType >= 3 && !positionDialogShown_ && !basePositionKnown_) {
    Fail(QStringLiteral("the base set was taken at position %1 without asking")
             .arg(state_.Set[kBaseSet].SusPos));
  }

  // Sets 0 and 5 are solved whenever they are set; set 1 after a commit
  // that was judged (a refused one may hold anything the boxes gave).
  if (editing) CheckPositions({kBaseSet, kLastGoodSet});

  // The sweeps put their working sets back where their sources stand.
  if (editing && state_.Set[kBaseWork].AxleStartPos != state_.Set[kBaseSet].AxleStartPos) {
    Fail(QStringLiteral("a working set was left away from its source's axle position "
                        "(set 2 at %1, set 0 at %2; set 3 at %3, set 1 at %4)")
             .arg(state_.Set[kBaseWork].AxleStartPos)
             .arg(state_.Set[kBaseSet].AxleStartPos)
             .arg(state_.Set[kChangedWork].AxleStartPos)
             .arg(state_.Set[kChangedSet].AxleStartPos));
  }
  // Next and Previous are offered where they act.
  const bool nextActs = state_.Mode == EditMode::None || state_.Mode == EditMode::Base;
  const bool previousActs = state_.Mode != EditMode::None;
  if (window_->Button(kButtonNext)->isEnabled() != nextActs ||
      window_->Button(kButtonPrevious)->isEnabled() != previousActs) {
    Fail(QStringLiteral("at stage \"%1\" Next is %2 and Previous %3")
             .arg(QString::fromLatin1(EditModeName(state_.Mode).data()))
             .arg(window_->Button(kButtonNext)->isEnabled() ? "enabled" : "disabled")
             .arg(window_->Button(kButtonPrevious)->isEnabled() ? "enabled" : "disabled"));
  }

  // The stored set: a restore only reads it, and nothing but the store
  // button empties it.
  if (c.Verb == "restore" && Entered(state_.Set[kStoredSet]) != Entered(storedBefore)) {
    Fail("the restore changed the stored set 4");
  }
  auto empty = [](const ConfigSet& set) {
    return set.ForkLength == 0 && set.ForkLinkLength == 0 && set.AxleStartPos == 0 &&
           set.SpringRate == 0;
  };
  if (c.Verb != "store" && !empty(storedBefore) && empty(state_.Set[kStoredSet])) {
    Fail("the stored set 4 was emptied");
  }

  // After an accepted commit (or a refused one that put the previous set
  // back) the boxes show set 1, and the table's columns are the engine's
  // sweeps of sets 0 and 1.
  InputForm* input = window_->Input();
  // A table item toggled processes the changed set again.
  const bool reprocessed = c.Verb == "table-item" && ViewsOpen();
  const bool commit = inputBefore && input != nullptr && (committed_ || reprocessed);
  // Typed texts that this command left uncommitted: a spin press does not
  // read the boxes; it may commit them first, or keep them pending.
  const std::set<QString> pending = typed_;
  const bool readsBoxes = c.Verb == "enter" || c.Verb == "enter-after-fill" ||
                          c.Verb == "position" || c.Verb == "restore" || c.Verb == "load" ||
                          c.Verb == "combo-type" || c.Verb == "previous" || c.Verb == "next" ||
                          c.Verb == "undo" || c.Verb == "redo" || c.Verb == "paste";
  // A load, a paste, undo and redo write every box.
  const bool rewrites = c.Verb == "load" || c.Verb == "paste" || c.Verb == "undo" || c.Verb == "redo";
  if (input == nullptr || (readsBoxes && committed_) || c.Verb == "combo-type" ||
      c.Verb == "previous") {
    typed_.clear();
  }
  if (commit && editing && state_.Mode == EditMode::Change && ViewsOpen()) {
    // (A load fills the boxes itself: boxes a type change emptied before it
    // do not stop it.)
    const bool accepted = messages == 0 && (!emptyBefore || rewrites);
    const bool putBack = MessageSince(messagesBefore, kPutBack);
    if ((accepted && !AnyShownBoxEmpty()) || putBack) {
      CheckPositions({kChangedSet});
      // A reprocessing leaves the boxes as they are (typed, not committed).
      if (!reprocessed) {
        CheckBoxesShowChangedSet(rewrites,
                                 c.Verb == "spin" ? pending : std::set<QString>{});
      }
      CheckTableAgainstSweeps(true);
      CheckChangedSetDrawnAndKept(accepted);
    }
  }
  // Next into the editing stage: the table holds the base set's sweep and
  // no changed column yet.
  if (c.Verb == "next" && before == EditMode::Base && state_.Mode == EditMode::New &&
      ViewsOpen() && messages == 0) {
    CheckTableAgainstSweeps(false);
    // The form opens on the base set, and set 1 is what the boxes show.
    CheckBoxesShowChangedSet(false, {});
  }
  if (input != nullptr && editing) {
    // The form names the base set's type and position.
    const ConfigSet& base = state_.Set[kBaseSet];
    const QString type = input->findChild<QLabel*>("Label18")->text();
    const QString position = input->findChild<QLabel*>("Label16")->text();
    if (type != QStringLiteral("Type%1").arg(base.SusType) ||
        position != QStringLiteral("P %1").arg(base.SusPos)) {
      Fail(QStringLiteral("the form shows the base set as \"%1\" \"%2\", it is Type %3 P %4")
               .arg(type, position)
               .arg(base.SusType)
               .arg(base.SusPos));
    }
  }
  if (c.Verb == "restore" && input != nullptr && messages == 0 && !emptyBefore &&
      state_.Set[kStoredSet].SusType != 0) {
    std::vector<std::string> stored = Entered(state_.Set[kStoredSet]);
    std::vector<std::string> now = Entered(state_.Set[kChangedSet]);
    stored[1] = now[1] = "";  // the position label is the form's, not the snapshot's
    if (stored != now) Fail("the restore did not put the stored set back into set 1");
  }

  if (input != nullptr && editing) CheckFormLayout();
  CheckHistory(c, indexBefore, setBefore, messages, MessageSince(messagesBefore, kPutBack));
}

void FuzzSession::CheckHistory(const FuzzCommand& c, int indexBefore, const ConfigSet& setBefore,
                               int messages, bool putBack) {
  const QUndoStack& history = window_->Session().History();
  const bool editing = (state_.Mode == EditMode::New || state_.Mode == EditMode::Change);
  if (window_->findChild<QAction*>("menu_undo")->isEnabled() != (editing && history.canUndo()) ||
      window_->findChild<QAction*>("menu_redo")->isEnabled() != (editing && history.canRedo())) {
    Fail("元に戻す or やり直し is not enabled exactly where it acts");
  }
  if (!editing || steps_.empty()) {
    if (history.count() != 0) Fail("the history holds steps outside an editing session");
    steps_.assign(editing ? 1 : 0, Entered(state_.Set[kChangedSet]));
    return;
  }
  const int index = history.index();
  const bool moved = c.Verb == "undo" || c.Verb == "redo";
  if (moved && messages == 0 && index != indexBefore) {
    // The set, the boxes and the table are those of the step; at the
    // first, the views are as editing began: no changed column.
    if (Entered(state_.Set[kChangedSet]) != steps_[static_cast<std::size_t>(index)]) {
      Fail(QStringLiteral("after %1 set 1 is not the accepted set of step %2").arg(c.Verb).arg(index));
    }
    if (index == 0 && state_.Mode != EditMode::New) Fail("undone to the start, the stage is not NEW");
    CheckBoxesShowChangedSet(false, {});
    if (index == 0 && ViewsOpen()) CheckTableAgainstSweeps(false);
  } else if (!moved && index == indexBefore + 1) {
    if (history.canRedo()) Fail("a new step left the undone steps to redo");
    if (putBack) Fail("a refused change added a step");
    steps_.resize(static_cast<std::size_t>(index));
    steps_.push_back(Entered(state_.Set[kChangedSet]));
  } else if (!moved && index != indexBefore) {
    Fail(QStringLiteral("%1 moved the history from %2 to %3").arg(c.Verb).arg(indexBefore).arg(index));
  }
  if (c.Verb == "paste" && c.Arg(0) == "garbage" && committed_ &&
      (messages != 1 || index != indexBefore || Entered(state_.Set[kChangedSet]) != Entered(setBefore))) {
    Fail("a paste of garbage changed the set or the history, or said nothing");
  }
}

void FuzzSession::CheckPositions(std::initializer_list<int> sets) {
  for (int set : sets) {
    const ConfigSet& s = state_.Set[set];
    if (set == kLastGoodSet && s.ForkLength == 0) continue;
    if (s.SusType >= 3 && s.SusType <= 6 && (s.SusPos < 1 || s.SusPos > 4)) {
      Fail(QStringLiteral("set %1 of Type %2 stands at position %3, which its type lacks")
               .arg(set)
               .arg(s.SusType)
               .arg(s.SusPos));
    }
  }
}

void FuzzSession::CheckTableAgainstSweeps(bool withChanged) {
  ResultTable& shown = window_->Views().Table();
  AppState probe;
  probe.Set[kBaseSet] = state_.Set[kBaseSet];
  probe.Set[kChangedSet] = state_.Set[kChangedSet];
  probe.MaxStroke = state_.MaxStroke;
  probe.Mode = EditMode::Change;
  ResultTable expected = testing::TableLike(shown);
  NullPlotSink sink;
  if (!BaseSweep(probe, expected, sink).Ok) return;  // told by the program itself
  if (withChanged && !ChangedSweep(probe, expected, sink).Ok) {
    Fail("set 1 was accepted, but it does not form over the whole stroke");
    return;
  }
  if (shown.ColumnCount() != expected.ColumnCount()) {
    Fail(QStringLiteral("the table has %1 columns, its items need %2")
             .arg(shown.ColumnCount())
             .arg(expected.ColumnCount()));
    return;
  }
  const int last = ResultTable::RowOfStroke(LastSweepStroke(state_.MaxStroke));
  for (int row = 2; row <= last; ++row) {
    for (int column = 0; column < expected.ColumnCount(); ++column) {
      if (shown.Cell(column, row) != expected.Cell(column, row)) {
        const char* side = column == 0 ? "stroke" : (column % 2 == 0 ? "changed" : "base");
        Fail(QStringLiteral("table cell (%1, %2) of the %3 side shows \"%4\", a fresh sweep \"%5\"")
                 .arg(column)
                 .arg(row)
                 .arg(side)
                 .arg(Q(shown.Cell(column, row)))
                 .arg(Q(expected.Cell(column, row))));
        return;
      }
    }
  }
  // No row beyond the stroke range is shown with old numbers.
  TableView* table = window_->Views().TableWindow();
  const int rows = table->Model()->rowCount();
  if (rows > last - 1) {
    for (int row = last + 1; row < shown.RowCount(); ++row) {
      for (int column = 0; column < shown.ColumnCount(); ++column) {
        if (!shown.Cell(column, row).empty()) {
          Fail(QStringLiteral("table row %1 lies beyond the stroke range of %2 mm but shows \"%3\"")
                   .arg(row)
                   .arg(state_.MaxStroke)
                   .arg(Q(shown.Cell(column, row))));
          return;
        }
      }
    }
  }
}

void FuzzSession::CheckChangedSetDrawnAndKept(bool accepted) {
  // An accepted set swept clean: it is the last good set 5 now, and its
  // working copy stands where it does.
  if (accepted && Entered(state_.Set[kLastGoodSet]) != Entered(state_.Set[kChangedSet])) {
    Fail("the last good set 5 is not the set 1 just accepted");
  }
  if (accepted && state_.Set[kChangedWork].AxleStartPos != state_.Set[kChangedSet].AxleStartPos) {
    Fail("the changed working set 3 was left away from set 1's axle position");
  }
  // The real-motion view draws set 1: its swing arm is set 1's length long.
  RealView* real = window_->Views().RealWindow();
  const std::optional<RealView::DrawnLine> fork = real->Line("Line_Fork", 1);
  if (!fork || !fork->Placed) {
    Fail("the real-motion view does not place the changed swing arm");
    return;
  }
  const double length = std::hypot(fork->P2.x() - fork->P1.x(), fork->P2.y() - fork->P1.y());
  if (std::abs(length - state_.Set[kChangedSet].ForkLength) > 1e-3) {
    Fail(QStringLiteral("the real-motion view draws a swing arm of %1 mm, set 1's is %2 mm")
             .arg(length)
             .arg(state_.Set[kChangedSet].ForkLength));
  }
}

void FuzzSession::CheckBoxesShowChangedSet(bool loaded, const std::set<QString>& pending) {
  InputForm& input = *window_->Input();
  const ConfigSet& s = state_.Set[kChangedSet];
  for (const Field& f : kFields) {
    if (!BoxOfType(*f.Box, s.SusType) || pending.count(*f.Box) != 0) continue;
    auto* edit = input.findChild<QLineEdit*>(*f.Box);
    const QString want = Q(FormatNumber(s.*f.Value, BoxPattern(*f.Box)));
    // A loaded file leaves its own texts in the boxes: the same number (a
    // lone decimal point, as a box writes zero, reads as 0).
    const std::optional<double> typed = edit->text().trimmed() == QStringLiteral(".")
                                            ? std::optional<double>(0.0)
                                            : ParseDecimal(edit->text().toStdString());
    const bool same = edit->text() == want ||
                      (loaded && typed && Q(FormatNumber(*typed, BoxPattern(*f.Box))) == want);
    if (!same) {
      Fail(QStringLiteral("box %1 shows \"%2\", set 1 holds \"%3\"")
               .arg(*f.Box, edit->text(), want));
      return;
    }
    if (!edit->isVisibleTo(&input)) {
      Fail(QStringLiteral("box %1 of set 1's Type %2 is hidden").arg(*f.Box).arg(s.SusType));
      return;
    }
  }
  if (input.TypeList()->currentIndex() != s.SusType - 2) {
    Fail(QStringLiteral("Combo1 shows %1, set 1 is Type %2")
             .arg(input.TypeList()->currentText())
             .arg(s.SusType));
  }
  const QString position = input.findChild<QLabel*>(box::PositionLabel)->text();
  if (position != QStringLiteral(" P %1").arg(s.SusPos)) {
    Fail(QStringLiteral("Label23 shows \"%1\", set 1 stands at position %2")
             .arg(position)
             .arg(s.SusPos));
  }
}

void FuzzSession::CheckFormLayout() {
  InputForm& input = *window_->Input();
  // Every shown row has its full height: a shown box or label lies wholly
  // inside each of its parents, and no two shown boxes overlap.
  std::vector<std::pair<QString, QRect>> placed;
  for (QWidget* w : input.findChildren<QWidget*>()) {
    const bool row = qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QLabel*>(w) != nullptr;
    if (!row || !w->isVisibleTo(&input)) continue;
    if (qobject_cast<QLineEdit*>(w->parentWidget()) != nullptr) continue;
    if (qobject_cast<QComboBox*>(w->parentWidget()) != nullptr) continue;
    if (w->height() < w->minimumSizeHint().height() && qobject_cast<QLabel*>(w) != nullptr &&
        !qobject_cast<QLabel*>(w)->text().isEmpty()) {
      Fail(QStringLiteral("label %1 is %2 px high, it needs %3")
               .arg(w->objectName())
               .arg(w->height())
               .arg(w->minimumSizeHint().height()));
      return;
    }
    for (QWidget* p = w; p != &input; p = p->parentWidget()) {
      QWidget* parent = p->parentWidget();
      const QRect inParent(w->mapTo(parent, QPoint(0, 0)), w->size());
      if (!parent->rect().contains(inParent)) {
        Fail(QStringLiteral("%1 is cut off by %2 (%3 px high)")
                 .arg(w->objectName(), parent->objectName())
                 .arg(parent->height()));
        return;
      }
    }
    if (qobject_cast<QLineEdit*>(w) != nullptr) {
      const QRect at(w->mapTo(&input, QPoint(0, 0)), w->size());
      for (const auto& [name, other] : placed) {
        if (other.intersects(at)) {
          Fail(QStringLiteral("boxes %1 and %2 overlap").arg(name, w->objectName()));
          return;
        }
      }
      placed.emplace_back(w->objectName(), at);
    }
  }
}

// ---- runs ---------------------------------------------------------------

std::string FuzzSession::Report() const {
  std::string report = "Session invariant broken: " + failure_.toStdString() + "\n";
  report += "seed " + std::to_string(seed_) + ", after " + std::to_string(done_.size()) +
            " commands (stage \"" + std::string(EditModeName(state_.Mode)) + "\").\n";
  report += "Replay: POTELAN_FUZZ_SEED=" + std::to_string(seed_) + " POTELAN_FUZZ_SESSIONS=1" +
            " POTELAN_FUZZ_COMMANDS=" + std::to_string(done_.size()) +
            ", or save the lines below and set POTELAN_FUZZ_REPLAY to the file.\n";
  report += "---- commands\n";
  for (const QString& line : done_) report += line.toStdString() + "\n";
  report += "---- end\n";
  return report;
}

FuzzOutcome FuzzSession::RunRandom(int count) {
  for (int i = 0; i < count; ++i) {
    if (!Step(Draw())) return {false, Report()};
  }
  return {};
}

FuzzOutcome FuzzSession::RunList(const QStringList& lines) {
  for (const QString& line : lines) {
    const FuzzCommand command = FuzzCommand::Parse(line);
    if (command.Verb.isEmpty() || command.Verb.startsWith('#')) continue;
    if (!Step(command)) return {false, Report()};
  }
  return {};
}

}  // namespace potelan::testing
