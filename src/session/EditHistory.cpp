// The steps of the edit session: each accepted change of the changed set is
// one command of its undo stack, holding set 1 before and after it. Undo and
// redo put a set back through the processing every accepted set passes.
#include <QUndoCommand>
#include <utility>

#include "entry/BoxNames.hpp"
#include "files/TextCodec.hpp"
#include "model/Dimensions.hpp"
#include "model/Solver.hpp"
#include "session/EditSession.hpp"

namespace potelan {
namespace {

// Whether two sets hold the same entered values: type, position, the
// dimensions of the type and the pivot move.
bool SameEntered(const ConfigSet& a, const ConfigSet& b) {
  if (a.SusType != b.SusType || a.SusPos != b.SusPos) return false;
  for (const DimensionInfo& row : DimensionTable()) {
    const bool entered = row.Group == DimensionGroup::PivotMove || Carries(row.Dim, a.SusType);
    if (entered && a.*row.Member != b.*row.Member) return false;
  }
  return true;
}

// What a step changed, for the captions of undo and redo: the one
// dimension it changed (a pivot move shifts the frame points with it), or
// nothing; in the language of the windows.
QString StepName(const ConfigSet& before, const ConfigSet& after) {
  if (before.SusType != after.SusType || before.SusPos != after.SusPos) return {};
  std::optional<Dimension> changed;
  for (const DimensionInfo& row : DimensionTable()) {
    if (!Carries(row.Dim, after.SusType) || before.*row.Member == after.*row.Member) continue;
    if (row.Group == DimensionGroup::PivotMove) return DimensionCaption(row.Dim);
    if (changed) return {};
    changed = row.Dim;
  }
  return changed ? DimensionCaption(*changed) : QString();
}

// One accepted change: set 1 before and after it. Pushing it does nothing
// (the change is on show already); undo and redo show one of the two.
class ChangeStep final : public QUndoCommand {
 public:
  ChangeStep(EditSession& session, const ConfigSet& before, const ConfigSet& after, bool first)
      : QUndoCommand(StepName(before, after)), session_(session), before_(before),
        after_(after), first_(first) {}
  void undo() override { session_.ShowStep(before_, first_); }
  void redo() override {
    if (std::exchange(pushed_, true)) session_.ShowStep(after_, false);
  }

 private:
  EditSession& session_;
  ConfigSet before_;
  ConfigSet after_;
  bool first_;  // the first step: before it, the set as editing began
  bool pushed_ = false;
};

}  // namespace

void EditSession::PushStep() {
  const ConfigSet& now = state_.Set[kChangedSet];
  if (SameEntered(accepted_, now)) return;
  history_.push(new ChangeStep(*this, accepted_, now, history_.index() == 0));
  accepted_ = now;
}

void EditSession::ShowStep(const ConfigSet& set, bool start) {
  if (form_ == nullptr) return;
  // As a commit: the slider display (and a playback) ends first, and typed
  // text that no commit read is replaced by the set.
  if (views_.LoadDisplayShown()) views_.LoadDisplayOff();
  form_->ForgetTypedText();
  baseFailureShown_ = false;
  accepted_ = set;
  state_.Set[kChangedSet] = set;
  WriteChangedSet(kChangedSet);
  state_.Mode = stage_;
  state_.Set[kChangedSet].SusLength0 = 0;
  // An accepted set forms; should it not now, the sweep that follows says so.
  static_cast<void>(SolveLinkage(state_, kChangedSet, state_.Set[kChangedSet].SusPos));
  if (!start) {
    SetStage(EditMode::Change);
    if (ProcessPass(Pass::Edit)) emit changedSetAccepted();
    return;
  }
  // Back to the start: "NEW", the base set's sweep alone and no changed
  // column, as after Next; a refusal from here puts this set back.
  SetStage(EditMode::New);
  CopySet(state_, kChangedSet);
  state_.Set[kLastGoodSet] = state_.Set[kChangedSet];
  RefillBase();
  ResultTable& table = views_.Table();
  for (int row = kGridHeaderRows; row < table.RowCount(); ++row) {
    for (int column = 2; column < table.ColumnCount(); column += 2) table.SetCell(column, row, {});
  }
  views_.TableChanged();
  views_.DetailDrawingAtCheckedPitch();
  emit changedSetAccepted();
}

void EditSession::PasteChangedSet(const QString& text) {
  if (form_ == nullptr) return;
  // Far more text than any link file holds is none.
  if (text.size() > kMaxTextFileBytes) {
    prompts_.Warn(kNotLinkFileText);
    return;
  }
  LoadChangedLines(SplitLines(text), QString());
}

}  // namespace potelan
