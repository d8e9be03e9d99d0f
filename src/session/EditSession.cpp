#include "session/EditSession.hpp"

#include <QDir>
#include <QStringList>
#include <utility>

#include "entry/BoxNames.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/MemoryForm.hpp"
#include "entry/Translated.hpp"
#include "files/LinkFile.hpp"
#include "files/TextCodec.hpp"
#include "model/Dimensions.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"

namespace potelan {
namespace {

constexpr TranslatedText kNotFormed{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "変更された条件でリンクが成立しません")};
constexpr TranslatedText kRestoredFails{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "前の状態のデータでもリンクが成立しません")};
constexpr TranslatedText kBackToBase{
    "potelan::EditSession", QT_TRANSLATE_NOOP("potelan::EditSession", "基準の状態に戻します")};
constexpr TranslatedText kNoPosition{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "変更された条件のリンク位置が選ばれていません")};
constexpr TranslatedText kCannotStore{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession",
                      "空欄または数値でない項目があるため一時保存できません")};
constexpr TranslatedText kBadPitch{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "変更ピッチには正の数を入力して下さい")};
constexpr TranslatedText kInitialNotFormed{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "初期条件でリンクが成立しません")};
constexpr TranslatedText kLoadedNoPosition{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "読み込んだデータのリンク位置が選ばれていません")};

// Whether a set needs a position it does not have: Types 3 to 6 are solved
// only at one of the positions 1 to 4.
bool LacksPosition(const ConfigSet& set) {
  return set.SusType >= 3 && (set.SusPos < 1 || set.SusPos > 4);
}

// The outcome of reading link-file lines into the change-input form when the
// reading would take nothing from them (no line gives a type, a position or
// a box's value); nothing when they give something. The lines are read into
// a form without a window whose boxes all hold a mark first, so that every
// box the reading writes shows.
std::optional<LinkReadResult> NothingTaken(const QStringList& lines) {
  AppState probe;
  probe.Mode = EditMode::Changing;
  MemoryForm form = MemoryForm::InputForm();
  const QString mark = QStringLiteral("\x01");
  const QStringList boxes = form.BoxNames();
  for (const QString& box : boxes) form.SetBoxText(box, mark);
  const LinkReadResult read = ReadLinkLines(probe, form, lines, kChangedSet);
  if (!form.TypeIndexCalls().empty() || !form.PositionLabel().isEmpty()) return std::nullopt;
  for (const QString& box : boxes) {
    if (form.BoxText(box) != mark) return std::nullopt;
  }
  return read;
}

// A spin press on the changed set: the dimension of the spin button (of the
// shock-mount pairs, the one the set's type carries) steps by the table's
// step, or the change pitch, in the direction of the button's up arrow
// (Y-like values: the up arrow lowers the number, moving the point up).
// Moving the pivot shifts the frame-fixed points the opposite way. False for
// a name that is no spin button.
bool StepBySpin(ConfigSet& c, const QString& spinName, bool upArrow, double pitch) {
  for (const DimensionInfo& row : DimensionTable()) {
    if (TableText(row.Spin) != spinName) continue;
    if (row.Group == DimensionGroup::ShockMount && !Carries(row.Dim, c.SusType)) continue;
    const double step = (upArrow ? 1.0 : -1.0) * (row.SpinStep != 0 ? row.SpinStep : pitch);
    const double delta = row.SpinSign < 0 ? -step : step;
    c.*row.Member += delta;
    if (row.Dim == Dimension::PivotMoveX) {
      for (const Dimension d : {Dimension::SusUpX, Dimension::FrameLinkX}) c.*InfoOf(d).Member -= delta;
    } else if (row.Dim == Dimension::PivotMoveY) {
      for (const Dimension d : {Dimension::SusUpY, Dimension::FrameLinkY, Dimension::AxleStartPos}) {
        c.*InfoOf(d).Member -= delta;
      }
    }
    return true;
  }
  return false;
}

}  // namespace

QString ReadStoppedMessage(const QString& path, int line) {
  if (path.isEmpty()) {
    return QCoreApplication::translate(
               "potelan::EditSession",
               "ﾘﾝｸﾌｧｲﾙの %1 行目が読めないため、その前の行までを読み込みました\n"
               "以降の値は読み込む前のままです")
        .arg(line);
  }
  return QCoreApplication::translate(
             "potelan::EditSession",
             "ﾘﾝｸﾌｧｲﾙの %1 行目が読めないため、その前の行までを読み込みました\n%2\n"
             "以降の値は読み込む前のままです")
      .arg(line)
      .arg(QDir::toNativeSeparators(path));
}

std::optional<int> LinkFileType(const QStringList& lines) {
  for (const QString& line : lines) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) break;
    if (line.left(equals) != QLatin1String("SUSTYPE")) continue;
    const std::optional<double> number = ParseDecimal(line.mid(equals + 1).toStdString());
    const std::optional<std::int16_t> type = number ? RoundToInt16(*number) : std::nullopt;
    if (!type || *type < 2 || *type > 6) return std::nullopt;
    return *type;
  }
  return std::nullopt;
}

EditSession::EditSession(AppState& state, SessionPrompts& prompts, ChangeViews& views,
                         QObject* parent)
    : QObject(parent), state_(state), prompts_(prompts), views_(views), stage_(state.Mode) {}

void EditSession::SetStage(EditMode stage) {
  // Compared with the stage last set, not with a passing "CHANGING".
  const bool moved = stage_ != stage;
  state_.Mode = stage_ = stage;
  if (moved) emit stageChanged(stage);
}

// ---- the stages ---------------------------------------------------------------

void EditSession::ChooseType(int susType) {
  SetStage(EditMode::Base);
  state_.Set[kBaseSet].SusType = static_cast<std::int16_t>(susType);
  // A position belongs to its linkage: the new base set has none until one
  // is chosen or a link file supplies it.
  state_.Set[kBaseSet].SusPos = 0;
}

void EditSession::BackToTypeChoice() { SetStage(EditMode::None); }

bool EditSession::ReadBase(EntryForm& form) { return ReadFormToSet(state_, form, kBaseSet); }

bool EditSession::PlaceBase() {
  if (state_.Set[kBaseSet].SusType < 3) {
    // A set that does not form fails at the first step of the base sweep.
    static_cast<void>(SolveLinkage(state_, kBaseSet, 2));
    return true;
  }
  return prompts_.ChoosePosition();
}

void EditSession::EnterEditing() { SetStage(EditMode::New); }

SweepResult EditSession::SweepBase() {
  return BaseSweep(state_, views_.Table(), views_.Graph());
}

void EditSession::LeaveEditing() {
  history_.clear();
  SetStage(EditMode::Base);
}

void EditSession::StartChangedSet() {
  CopyEnteredDimensions(state_.Set[kBaseSet], state_.Set[kChangedSet]);
  // The pivot boxes show the base set's move too: set 1 starts as its boxes
  // show it, not with the move an earlier editing session left in it (which
  // the next commit would bring back into the boxes and the drawing).
  state_.Set[kChangedSet].PivotMoveX = state_.Set[kBaseSet].PivotMoveX;
  state_.Set[kChangedSet].PivotMoveY = state_.Set[kBaseSet].PivotMoveY;
  // A new editing session: no steps yet, and its first judged change takes
  // the snapshot.
  history_.clear();
  accepted_ = state_.Set[kChangedSet];
  snapshotTaken_ = false;
}

// ---- commits ----------------------------------------------------------------

void EditSession::Spin(const QString& spinName, bool upArrow) {
  ConfigSet stepped = state_.Set[kChangedSet];
  if (form_ == nullptr || !StepBySpin(stepped, spinName, upArrow, state_.ChangePitch)) return;
  ConfigSet& s = state_.Set[kChangedSet];
  const ConfigSet before = s;
  bool read = true;
  // Text typed into a box without Enter is committed with the press, not
  // overwritten by it: the press steps what the boxes show.
  if (form_->HasTypedText()) {
    if (!form_->CheckEntries()) return;
    read = ReadFormToSet(state_, form_->Entry(), kChangedSet);
    form_->ForgetTypedText();
  }
  beforeCommit_ = before;
  StepBySpin(s, spinName, upArrow, state_.ChangePitch);
  Judge(read);
}

void EditSession::EnterInBox(const QString& boxName) {
  if (form_ == nullptr) return;
  // The shock mount pair on the fork and the pivot boxes are taken by the
  // next commit only.
  if (boxName == box::SusUpLength || boxName == box::SusUpOffset || boxName == box::PivotX ||
      boxName == box::PivotY) {
    return;
  }
  // A box that is empty or holds no number stops the commit before anything
  // is read, so the changed set never takes its 0.
  if (!form_->CheckEntries()) return;
  beforeCommit_ = state_.Set[kChangedSet];
  const bool read = ReadFormToSet(state_, form_->Entry(), kChangedSet);
  form_->ForgetTypedText();
  Judge(read);
}

void EditSession::ChoosePosition() {
  if (form_ == nullptr) return;
  beforeCommit_ = state_.Set[kChangedSet];
  // The choice solves and draws the set the boxes show, a type just chosen
  // in Combo1 included. Boxes that do not read are left to the judgement;
  // a set of a new type without a position is asked for one there.
  bool read = ReadFormToSet(state_, form_->Entry(), kChangedSet);
  if (read && !LacksPosition(state_.Set[kChangedSet])) {
    prompts_.ChoosePosition();
    ShowPosition();
  }
  read = ReadFormToSet(state_, form_->Entry(), kChangedSet) && read;
  Judge(read);
}

void EditSession::Store() {
  if (form_ == nullptr) return;
  // A box that is empty or not a number would be stored as 0 and come back
  // as such at the restore: the snapshot is kept as it was, and the user is
  // told. Nothing is judged here; a bad box keeps its red mark.
  const ConfigSet kept = state_.Set[kStoredSet];
  if (!ReadFormToSet(state_, form_->Entry(), kStoredSet)) {
    state_.Set[kStoredSet] = kept;
    prompts_.Warn(kCannotStore);
  }
}

void EditSession::Restore() {
  // Nothing has been stored yet: there is nothing to go back to.
  if (form_ == nullptr || state_.Set[kStoredSet].SusType == 0) return;
  // The stored set comes back whole, its type and position included. While
  // it is written the type list's handler must not take the stored type for
  // a new one and empty the boxes.
  const EditMode kept = state_.Mode;
  WriteChangedSet(kStoredSet);
  state_.Mode = kept;
  beforeCommit_ = state_.Set[kChangedSet];
  Judge(ReadFormToSet(state_, form_->Entry(), kChangedSet));
}

void EditSession::SelectType(int index) {
  if (state_.Mode != EditMode::Change && state_.Mode != EditMode::New) return;
  if (index < 0 || form_ == nullptr) return;
  const int t = index + 2;
  ConfigSet& changed = state_.Set[kChangedSet];
  const ConfigSet& base = state_.Set[kBaseSet];
  form_->ApplyTypeLayout(t);
  if (t < 5) {
    changed.SusUpX = base.SusUpX;
    changed.SusUpY = base.SusUpY;
  } else {
    changed.SusUpLength = base.SusUpLength;
    changed.SusUpOffset = base.SusUpOffset;
  }
  if (t != changed.SusType) {
    form_->ClearBoxes();
    views_.Close();
  }
}

bool EditSession::SetChangePitch(const QString& text) {
  const std::optional<double> pitch = ParseDecimal(text.trimmed().toStdString());
  if (!pitch || !(*pitch > 0)) {
    prompts_.Warn(kBadPitch);
    return false;
  }
  state_.ChangePitch = *pitch;
  return true;
}

// ---- judging and processing -----------------------------------------------

void EditSession::ShowPosition() {
  form_->Entry().SetPositionLabel(QStringLiteral(" P %1").arg(state_.Set[kChangedSet].SusPos));
}

void EditSession::WriteChangedSet(int set) {
  state_.Mode = EditMode::Changing;
  WriteSetToForm(state_, form_->Entry(), set);
  form_->Entry().SetPositionLabel(QStringLiteral(" P %1").arg(state_.Set[set].SusPos));
  form_->ApplyTypeLayout(state_.Set[set].SusType);
}

void EditSession::Refuse(const QString& message) {
  prompts_.Warn(message);
  emit changeRefused(message);
}

void EditSession::Judge(bool entriesRead) {
  if (form_ == nullptr) return;
  baseFailureShown_ = false;
  const std::optional<ConfigSet> before = std::exchange(beforeCommit_, std::nullopt);
  // The first judged change keeps what the boxes showed as the snapshot.
  // Boxes that a type change emptied, or that hold no number, are no set:
  // the snapshot waits for the first commit whose boxes all read.
  if (state_.Mode == EditMode::New) {
    AppState read = state_;
    if (ReadFormToSet(read, form_->Entry(), kStoredSet)) {
      if (!std::exchange(snapshotTaken_, true)) state_.Set[kStoredSet] = read.Set[kStoredSet];
      SetStage(EditMode::Change);
    }
  }
  if (views_.LoadDisplayShown()) views_.LoadDisplayOff();
  if (state_.Mode == EditMode::Changing || state_.Mode == EditMode::FormInputLoad) return;
  if (!form_->CheckEntries()) {
    // The boxes were not judged: set 1 goes back to what it was before this
    // commit, so that no later drawing or sweep shows values that were
    // never judged.
    if (before) state_.Set[kChangedSet] = *before;
    return;
  }
  // A type with a link plate is judged only at a position of its own (the
  // solver would leave the set as it was and the stale numbers would pass):
  // the position is asked for first, and without one the commit is refused.
  if (entriesRead && LacksPosition(state_.Set[kChangedSet])) {
    prompts_.ChoosePosition();
    ShowPosition();
    if (LacksPosition(state_.Set[kChangedSet])) {
      Refuse(kNoPosition + "\n" + kPutBackText);
      RestorePreviousSet();
      return;
    }
  }

  // Set 1 back into the boxes. Its type in Combo1 is no type selection: the
  // handler would copy the base set's shock mount over the value just
  // written and judged (a spin press after a type change).
  const EditMode judging = state_.Mode;
  state_.Mode = EditMode::Changing;
  WriteSetToForm(state_, form_->Entry(), kChangedSet);
  form_->ApplyTypeLayout(state_.Set[kChangedSet].SusType);
  state_.Mode = judging;
  state_.Set[kChangedSet].SusLength0 = 0;
  if (NotFormed(SolveLinkage(state_, kChangedSet, state_.Set[kChangedSet].SusPos))) {
    Refuse(kNotFormed + "\n" + kPutBackText);
    RestorePreviousSet();
  } else {
    ApplyChangedSet(Origin::Commit);
  }
}

void EditSession::Process() {
  if (form_ == nullptr) return;
  baseFailureShown_ = false;
  ProcessPass(Pass::Edit);
}

bool EditSession::ApplyChangedSet(Origin origin) {
  if (origin == Origin::Commit) {
    const bool held = ProcessPass(Pass::Edit);
    if (held) {
      PushStep();
      emit changedSetAccepted();
    }
    return held;
  }
  // A loaded set: both sides are swept, at "NEW" too: the stroke range may
  // have grown since the base sweep (the settings dialog), or the views were
  // reopened empty, and the changed side alone would leave the stroke and
  // base cells of those rows blank. Where nothing changed the base cells
  // come out as they were.
  CopySet(state_, kChangedSet);
  views_.DrawChangedSet();
  state_.Set[kChangedWork].SusLength0 = 0;
  const SweepResult swept = PairedSweep(state_, views_.Table(), views_.Graph());
  views_.TableChanged();
  if (!swept.Ok) {
    Refuse(StrokeFailureText(swept.FailedStroke));
    views_.Close();
    return false;
  }
  // The loaded set has formed over the whole stroke: the graph shows its
  // detail curves beside the base set's, as after any accepted edit.
  views_.DetailDrawingAtCheckedPitch();
  PushStep();
  emit changedSetAccepted();
  return true;
}

void EditSession::RefillBase() {
  views_.EnsureOpen();
  views_.DrawChangedSet();
  views_.Graph().Clear();
  // The base set, unchecked as it was judged when it was entered; should it
  // fail now (the stroke range grew since), that is its own failure, told
  // once per commit.
  const int baseFailedAt = BaseRefill(state_, views_.Table(), views_.Graph());
  state_.Set[kBaseWork].AxleStartPos = state_.Set[kBaseSet].AxleStartPos;
  if (baseFailedAt >= 0 && !baseFailureShown_) {
    baseFailureShown_ = true;
    prompts_.Warn(StrokeFailureText(baseFailedAt));
  }
}

bool EditSession::ProcessPass(Pass pass) {
  RefillBase();
  PlotSink& graph = views_.Graph();
  ResultTable& table = views_.Table();

  // The changed set over the whole stroke; on success it is the last good set.
  const SweepResult changed = ChangedSweep(state_, table, graph);
  views_.TableChanged();
  if (!changed.Ok) {
    const QString failed = ChangedStrokeFailureText(changed.FailedStroke);
    switch (pass) {
      case Pass::Edit:
        Refuse(failed + "\n" + kPutBackText);
        RestorePreviousSet();
        break;
      case Pass::AfterRestore:
        // The set put back fails as well (possible for the base set, whose
        // sweep is not judged, or after the stroke range grew): tell the
        // user once and show the base set; never restore in a loop.
        prompts_.Warn(failed + "\n" + kRestoredFails + "\n" + kBackToBase);
        RestoreFrom(kBaseSet);
        ProcessPass(Pass::BaseFallback);
        break;
      case Pass::BaseFallback:
        break;
    }
    return false;
  }
  views_.DetailDrawingAtCheckedPitch();
  return true;
}

void EditSession::RestorePreviousSet() {
  if (form_ == nullptr) return;
  const int source = state_.Set[kLastGoodSet].ForkLength != 0 ? kLastGoodSet : kBaseSet;
  RestoreFrom(source);
  ProcessPass(source == kBaseSet ? Pass::BaseFallback : Pass::AfterRestore);
}

void EditSession::RestoreFrom(int source) {
  CopyEnteredDimensions(state_.Set[source], state_.Set[kChangedSet]);
  state_.Set[kChangedSet].SusLength0 = 0;
  // A failure here is found again, at its stroke, by the sweep that follows.
  static_cast<void>(SolveLinkage(state_, kChangedSet, state_.Set[kChangedSet].SusPos));
  const EditMode stage = state_.Mode;
  WriteChangedSet(kChangedSet);
  state_.Mode = stage;
  SetStage(EditMode::Change);
}

// ---- loads ------------------------------------------------------------------

void EditSession::LoadChangedSet(const QString& path) {
  if (form_ == nullptr) return;
  QString error;
  const std::optional<QStringList> lines = ReadTextLines(path, &error);
  if (!lines) {
    // Nothing is read; a set of Type 2 keeps its absent-member markers, as
    // after any reading.
    static_cast<void>(ReadLinkLines(state_, form_->Entry(), {}, kChangedSet));
    prompts_.FileFailure(kCannotReadText, path, error);
    return;
  }
  LoadChangedLines(*lines, path);
}

void EditSession::LoadChangedLines(const QStringList& lines, const QString& path) {
  const bool wasNew = state_.Mode == EditMode::New;
  // A file from which no line would be taken (no type, position or
  // dimension) changes nothing: no set, no stage, no view, and above all not
  // the stored set. The user is told so.
  if (const std::optional<LinkReadResult> nothing = NothingTaken(lines)) {
    if (path.isEmpty()) {
      prompts_.Warn(kNotLinkFileText);  // pasted text that is no link file
    } else if (nothing->Status == LinkReadStatus::StoppedAtLine) {
      prompts_.Warn(ReadStoppedMessage(path, nothing->Line));
    } else {
      prompts_.FileFailure(kNotLinkFileText, path, QStringLiteral("%1 holds no link data").arg(path));
    }
    return;
  }
  // Pasted text is a commit of the user's: the slider display (and a
  // playback) ends first, as for an edit.
  if (path.isEmpty() && views_.LoadDisplayShown()) views_.LoadDisplayOff();
  state_.Mode = EditMode::Changing;
  const LinkReadResult read = ReadLinkLines(state_, form_->Entry(), lines, kChangedSet);
  // Views that a type change closed come back empty: the base set is swept
  // into them again with the changed one. They are opened only for a file
  // that was read, so a file that could not be read leaves no empty views
  // behind for the next load to take for filled ones.
  views_.EnsureOpen();
  SetStage(EditMode::Change);
  if (read.Status == LinkReadStatus::StoppedAtLine) {
    prompts_.Warn(ReadStoppedMessage(path, read.Line));
  }
  // The boxes follow the file's type: the shock-mount pair of that type is
  // shown (the file filled it), and a type with a link plate shows its groups.
  form_->ApplyTypeLayout(state_.Set[kChangedSet].SusType);

  // A file of a type with a link plate but without a position of it: the
  // position is asked for; without one the loaded set is not used.
  if (LacksPosition(state_.Set[kChangedSet])) {
    prompts_.ChoosePosition();
    ShowPosition();
    if (LacksPosition(state_.Set[kChangedSet])) {
      Refuse(kLoadedNoPosition + "\n" + kPutBackText);
      RestorePreviousSet();
      return;
    }
  }

  state_.Set[kChangedSet].SusLength0 = 0;
  if (NotFormed(SolveLinkage(state_, kChangedSet, state_.Set[kChangedSet].SusPos))) {
    Refuse(kInitialNotFormed);
    views_.Close();
    return;
  }
  // The loaded set becomes the one the form's restore button returns to,
  // once it has held over the stroke. Boxes that do not read (a type change
  // emptied them and the file did not fill them) are no set: the snapshot
  // waits, as for the first commit.
  if (ApplyChangedSet(Origin::Load) && wasNew && !snapshotTaken_) {
    AppState boxes = state_;
    if (ReadFormToSet(boxes, form_->Entry(), kStoredSet)) {
      state_.Set[kStoredSet] = boxes.Set[kStoredSet];
      snapshotTaken_ = true;
    }
  }
}

}  // namespace potelan
