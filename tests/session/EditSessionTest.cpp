// The edit session without any window: a form in memory, prompts that
// record, views that count. A commit is judged, swept and announced once; a
// set that cannot be formed is refused, announced and put back.
#include <gtest/gtest.h>

#include <QStringList>

#include "CountingViews.hpp"
#include "SampleLinkages.hpp"
#include "entry/BoxNames.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/MemoryForm.hpp"
#include "model/NumberFormat.hpp"
#include "session/EditSession.hpp"

namespace potelan::testing {
namespace {

struct FormInMemory final : EditForm {
  EntryForm& Entry() override { return form; }
  bool CheckEntries() override {
    for (const QString& box : form.BoxNames()) {
      if (form.IsBoxShown(box) && CheckNumberText(form.BoxText(box)) != NumberText::Number) {
        return false;
      }
    }
    return true;
  }
  void ApplyTypeLayout(int) override {}
  void ClearBoxes() override {}
  bool HasTypedText() const override { return false; }
  void ForgetTypedText() override {}
  MemoryForm form = MemoryForm::InputForm();
};

struct RecordingPrompts final : SessionPrompts {
  void Warn(const QString& text) override { told << text; }
  void FileFailure(const QString& headline, const QString&, const QString&) override {
    told << headline;
  }
  bool ChoosePosition() override { return true; }
  QStringList told;
};

TEST(EditSessionTest, ACommitIsAnnouncedOnceOrRefusedAndPutBack) {
  AppState state;
  state.Set[kBaseSet] = SampleSet(4);
  RecordingPrompts prompts;
  CountingViews views;
  FormInMemory form;
  EditSession session(state, prompts, views);
  QStringList heard;
  QObject::connect(&session, &EditSession::changedSetAccepted, [&] { heard << "accepted"; });
  QObject::connect(&session, &EditSession::changeRefused, [&](const QString& m) { heard << m; });
  QObject::connect(&session, &EditSession::stageChanged,
                   [&](EditMode m) { heard << QString::fromLatin1(EditModeName(m).data()); });
  session.EnterEditing();
  form.form.SetTypeIndex(2);
  form.form.SetPositionLabel(" P 3");
  WriteSetToForm(state, form.form, kBaseSet);
  session.StartChangedSet();
  session.AttachForm(&form);

  session.Spin("Spin_Spring", true);
  EXPECT_EQ(heard, QStringList({"NEW", "CHANGE", "accepted"}));
  EXPECT_TRUE(prompts.told.isEmpty());
  const double good = state.Set[kBaseSet].SpringRate + 0.1;
  EXPECT_EQ(state.Set[kLastGoodSet].SpringRate, good);
  EXPECT_GT(views.sink.points, 0);

  heard.clear();
  form.form.SetBoxText(box::TenRod, "5");
  session.EnterInBox(box::TenRod);
  const QString refusal = "変更された条件でリンクが成立しません\nデータを前の状態に戻します";
  EXPECT_EQ(heard, QStringList({refusal}));
  EXPECT_EQ(prompts.told, QStringList({refusal}));
  EXPECT_EQ(state.Set[kChangedSet].TenRodLength, state.Set[kBaseSet].TenRodLength);
  EXPECT_EQ(state.Set[kChangedSet].SpringRate, good);
  EXPECT_NE(form.form.BoxText(box::TenRod), "5");  // the box shows the set put back

  // The accepted press is the one step; the refusal added none. Undo shows
  // the set as editing began (at "NEW"), redo the press; a new step drops
  // the redo; pasted text that is no link file changes nothing.
  QUndoStack& history = session.History();
  EXPECT_EQ(history.count(), 1);
  history.undo();
  EXPECT_EQ(state.Set[kChangedSet].SpringRate, state.Set[kBaseSet].SpringRate);
  EXPECT_EQ(state.Mode, EditMode::New);
  history.redo();
  EXPECT_EQ(form.form.BoxText(box::Spring), QString::fromStdString(FormatNumber(good, "##.#")));
  history.undo();
  session.Spin("Spin_Preload", true);
  EXPECT_FALSE(history.canRedo());
  session.PasteChangedSet("ぽてらん\n=5");
  EXPECT_EQ(prompts.told.back(), kNotLinkFileText);
  EXPECT_EQ(history.count(), 1);
}

}  // namespace
}  // namespace potelan::testing
