// The link position choice: solving on each click, refusing a position that
// cannot be formed, the preview of the solved linkage, OK and Cancel in the
// base stage and in change mode, and the caller's modal entry point.
#include "entry/PositionForm.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "../model/SampleLinkages.hpp"
#include "model/Solver.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

using testing::S;

// A joint as the preview receives it: in single precision.
QPointF F(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

// Positions 1..4 of `set` that assemble (or fail) at its axle position.
std::vector<int> Positions(const ConfigSet& set, bool assembling) {
  std::vector<int> found;
  for (int p = 1; p <= 4; ++p) {
    ConfigSet probe = set;
    if (testing::SolvesAt(probe, p) == assembling) found.push_back(p);
  }
  return found;
}

// The sample of a type with the shock's upper mount moved onto the lower
// mount that position `collapsed` gives: the shock has no length there, so
// that position cannot be formed while the others still can.
ConfigSet CollapsedAt(int type, int collapsed) {
  ConfigSet set = testing::SampleSet(type);
  ConfigSet solved = set;
  testing::SolvesAt(solved, collapsed);
  set.SusUpX = solved.SusLwrX;
  set.SusUpY = solved.SusLwrY;
  return set;
}

// The set solved alone at `position`, as the window's solve should leave it.
ConfigSet Solved(ConfigSet set, int position) {
  EXPECT_TRUE(testing::SolvesAt(set, position));
  return set;
}

void ExpectLine(const PositionForm& form, const char* name, QPointF from, QPointF to) {
  const std::optional<QLineF> line = form.PreviewLine(name);
  ASSERT_TRUE(line.has_value()) << name;
  EXPECT_EQ(line->p1(), from) << name;
  EXPECT_EQ(line->p2(), to) << name;
}

const char* const kMembers[] = {"Line_Fork",    "Line_Sus",     "Line_Offset", "Line_Ten_Rod",
                                "Line_Link_Fr", "Line_Link_Up", "Line_Link_Rr"};

// Pixels of the preview that are neither background nor on an axis.
int DrawnPixels(const PositionForm& form) {
  const QImage image = form.Picture()->grab().toImage();
  // The pivot sits at 300 mm of 1020 across and 300 of 600 down.
  const int axisX = image.width() * 300 / 1020;
  const int axisY = image.height() * 300 / 600;
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (std::abs(x - axisX) <= 2 || std::abs(y - axisY) <= 2) continue;
      if (image.pixelColor(x, y) != QColor(192, 192, 192)) ++drawn;
    }
  }
  return drawn;
}

// Runs `action` on the modal window once an event loop is running; the
// timer dies with the test, so nothing is left for a later one.
class WhenModal {
 public:
  explicit WhenModal(std::function<void(QWidget*)> action) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [action] {
      if (QWidget* modal = QApplication::activeModalWidget()) action(modal);
    });
    timer_.start(0);
  }

 private:
  QTimer timer_;
};

class PositionFormTest : public ::testing::Test {
 protected:
  // A base stage with freshly entered dimensions: no position yet.
  void Base(const ConfigSet& set) {
    state.Mode = EditMode::Base;
    state.Set[0] = set;
    state.Set[0].SusPos = 0;
  }
  // Change mode: set 1 carries the base position, as the change-input form sets it.
  void Change(const ConfigSet& set, int position) {
    state.Mode = EditMode::Change;
    state.Set[1] = set;
    state.Set[1].SusPos = static_cast<std::int16_t>(position);
  }

  AppState state;
  ScriptedPrompts prompts;
};

TEST_F(PositionFormTest, OpensWithNothingChosenAndOnlyTheAxes) {
  Base(testing::SampleSet(4));
  PositionForm form(state, prompts);
  form.show();
  EXPECT_EQ(S(form.objectName()), "Form_Pos_Sel");
  EXPECT_EQ(S(form.windowTitle()), "リンク位置を選んで下さい");
  EXPECT_TRUE(form.isModal());
  auto* frame = form.findChild<QGroupBox*>("Frame1");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(S(frame->title()), "リンク位置選択");
  int previousY = -1;
  for (int i = 0; i < 4; ++i) {
    QRadioButton* option = form.Option(i);
    ASSERT_NE(option, nullptr) << i;
    EXPECT_EQ(S(option->text()), "Position " + std::to_string(i + 1));
    EXPECT_FALSE(option->isChecked()) << i;
    EXPECT_GT(option->y(), previousY) << i;  // top to bottom
    previousY = option->y();
  }
  EXPECT_EQ(S(form.OkButton()->text()), "OK");
  EXPECT_EQ(S(form.CancelButton()->text()), "ｷｬﾝｾﾙ");
  EXPECT_EQ(form.WorkingSet(), 0);
  EXPECT_FALSE(form.HasPreview());
  for (const char* name : kMembers) EXPECT_FALSE(form.PreviewLine(name)) << name;
  EXPECT_EQ(DrawnPixels(form), 0);
}

TEST_F(PositionFormTest, AnAssemblingPositionIsStoredAndPreviewed) {
  const ConfigSet sample = testing::SampleSet(4);
  const std::vector<int> good = Positions(sample, true);
  ASSERT_FALSE(good.empty());
  const int p = good.back();
  Base(sample);
  PositionForm form(state, prompts);
  form.Option(p - 1)->click();

  EXPECT_EQ(state.Set[0].SusPos, p);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_TRUE(form.HasPreview());
  EXPECT_GT(DrawnPixels(form), 0);
  // Type 4: the rod runs from the arm's mount B, the upper side from A to D.
  const ConfigSet s = Solved(sample, p);
  EXPECT_EQ(state.Set[0].SusLwrX, s.SusLwrX);
  ExpectLine(form, "Line_Fork", F(0, 0), F(s.AxleX, s.AxleY));
  ExpectLine(form, "Line_Sus", F(s.SusUpX, s.SusUpY), F(s.SusLwrX, s.SusLwrY));
  ExpectLine(form, "Line_Offset", F(s.ForkLinkX, s.ForkLinkY), F(s.ForkLinkBaseX, s.ForkLinkBaseY));
  ExpectLine(form, "Line_Ten_Rod", F(s.ForkLinkX, s.ForkLinkY), F(s.LinkLwrX, s.LinkLwrY));
  ExpectLine(form, "Line_Link_Rr", F(s.LinkLwrX, s.LinkLwrY), F(s.SusLwrX, s.SusLwrY));
  ExpectLine(form, "Line_Link_Fr", F(s.FrameLinkX, s.FrameLinkY), F(s.LinkLwrX, s.LinkLwrY));
  ExpectLine(form, "Line_Link_Up", F(s.SusLwrX, s.SusLwrY), F(s.FrameLinkX, s.FrameLinkY));
}

TEST_F(PositionFormTest, Type3PreviewHangsThePlateOnTheArm) {
  const ConfigSet sample = testing::SampleSet(3);
  Base(sample);
  PositionForm form(state, prompts);
  form.ChoosePosition(0);
  ASSERT_EQ(state.Set[0].SusPos, 1);
  EXPECT_TRUE(form.Option(0)->isChecked());
  const ConfigSet s = Solved(sample, 1);
  ExpectLine(form, "Line_Fork", F(0, 0), F(s.AxleX, s.AxleY));
  ExpectLine(form, "Line_Sus", F(s.SusUpX, s.SusUpY), F(s.SusLwrX, s.SusLwrY));
  ExpectLine(form, "Line_Offset", F(s.ForkLinkX, s.ForkLinkY), F(s.ForkLinkBaseX, s.ForkLinkBaseY));
  ExpectLine(form, "Line_Ten_Rod", F(s.FrameLinkX, s.FrameLinkY), F(s.LinkLwrX, s.LinkLwrY));
  ExpectLine(form, "Line_Link_Rr", F(s.LinkLwrX, s.LinkLwrY), F(s.ForkLinkX, s.ForkLinkY));
  ExpectLine(form, "Line_Link_Fr", F(s.SusLwrX, s.SusLwrY), F(s.LinkLwrX, s.LinkLwrY));
  ExpectLine(form, "Line_Link_Up", F(s.SusLwrX, s.SusLwrY), F(s.ForkLinkX, s.ForkLinkY));
}

// Type 2 has no link: only the arm, the shock and its bracket are drawn, and
// the shock's upper mount of Types 5 and 6 is the solved one.
TEST_F(PositionFormTest, Type2DrawsNoLinkAndType6UsesTheSolvedUpperMount) {
  Change(testing::SampleSet(2), 2);
  PositionForm type2(state, prompts);
  type2.ChoosePosition(1);
  const ConfigSet s2 = Solved(testing::SampleSet(2), 2);
  ExpectLine(type2, "Line_Offset", F(s2.ForkLinkBaseX, s2.ForkLinkBaseY),
             F(s2.SusLwrX, s2.SusLwrY));
  for (const char* name : {"Line_Ten_Rod", "Line_Link_Fr", "Line_Link_Up", "Line_Link_Rr"})
    EXPECT_FALSE(type2.PreviewLine(name)) << name;

  Change(testing::SampleSet(6), 1);
  PositionForm type6(state, prompts);
  type6.ChoosePosition(0);
  const ConfigSet s6 = Solved(testing::SampleSet(6), 1);
  ASSERT_NE(s6.SusUpX, 0);
  ExpectLine(type6, "Line_Sus", F(s6.SusUpX, s6.SusUpY), F(s6.SusLwrX, s6.SusLwrY));
  ExpectLine(type6, "Line_Link_Up", F(s6.SusLwrX, s6.SusLwrY), F(s6.FrameLinkX, s6.FrameLinkY));
}

TEST_F(PositionFormTest, SetWithoutTypeIsDrawnAsType4) {
  ConfigSet set = testing::SampleSet(4);
  set.SusType = 0;
  Change(set, 0);
  PositionForm form(state, prompts);
  form.ChoosePosition(2);
  EXPECT_EQ(state.Set[1].SusType, 4);
  EXPECT_EQ(state.Set[1].SusPos, 3);
  EXPECT_TRUE(form.PreviewLine("Line_Link_Up"));
}

// A refused position must leave everything as the last accepted one left
// it, although the failed solve has already overwritten some joints.
TEST_F(PositionFormTest, AFailingPositionWarnsAndKeepsThePreviousChoice) {
  const ConfigSet set = CollapsedAt(4, 1);
  const std::vector<int> failing = Positions(set, false);
  const std::vector<int> good = Positions(set, true);
  ASSERT_EQ(failing, std::vector<int>{1});
  ASSERT_FALSE(good.empty());
  Base(set);
  PositionForm form(state, prompts);

  form.Option(0)->click();  // nothing accepted yet
  EXPECT_EQ(state.Set[0].SusPos, 0);
  EXPECT_FALSE(form.HasPreview());
  EXPECT_EQ(DrawnPixels(form), 0);

  form.Option(good[0] - 1)->click();
  std::vector<std::optional<QLineF>> before;
  for (const char* name : kMembers) before.push_back(form.PreviewLine(name));
  prompts.Clear();
  form.Option(0)->click();

  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(S(prompts.Messages()[0].Text), "その位置ではリンクが成立しません");
  EXPECT_EQ(S(prompts.Messages()[0].Title), "ぽてらんからの警告!!");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[0].SusPos, good[0]);
  EXPECT_TRUE(form.Option(0)->isChecked());
  EXPECT_FALSE(form.Option(good[0] - 1)->isChecked());
  for (std::size_t m = 0; m < before.size(); ++m)
    EXPECT_EQ(form.PreviewLine(kMembers[m]), before[m]) << kMembers[m];
}

TEST_F(PositionFormTest, OkNeedsAStoredPositionInTheBaseStage) {
  Base(testing::SampleSet(4));
  PositionForm form(state, prompts);
  form.show();
  EXPECT_TRUE(form.CancelButton()->isHidden());
  form.OkButton()->click();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(S(prompts.Messages()[0].Text), "リンク位置を選んでから OKﾎﾞﾀﾝ を押して下さい");
  EXPECT_EQ(S(prompts.Messages()[0].Title), "ぽてらんからの警告!!");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  EXPECT_TRUE(form.isVisible());

  // The frame's close button is no way around the choice either.
  form.close();
  EXPECT_EQ(prompts.Messages().size(), 2u);
  EXPECT_TRUE(form.isVisible());

  form.ChoosePosition(1);
  form.OkButton()->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(state.Set[0].SusPos, 2);
  EXPECT_EQ(prompts.Messages().size(), 2u);
}

TEST_F(PositionFormTest, CancelInChangeModeKeepsWhateverWasStored) {
  const ConfigSet sample = testing::SampleSet(4);
  const std::vector<int> good = Positions(sample, true);
  ASSERT_GE(good.size(), 2u);
  Change(sample, good[0]);
  {
    PositionForm form(state, prompts);
    form.show();
    EXPECT_EQ(form.WorkingSet(), 1);
    EXPECT_TRUE(form.CancelButton()->isVisible());
    form.CancelButton()->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(state.Set[1].SusPos, good[0]);
  }
  {
    PositionForm form(state, prompts);
    form.show();
    form.ChoosePosition(good[1] - 1);
    form.close();  // by the frame: the same as Cancel here
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(state.Set[1].SusPos, good[1]);
  }
  {
    // The base position is already there, so OK closes without a click.
    PositionForm form(state, prompts);
    form.show();
    form.Accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
  }
  EXPECT_EQ(state.Set[0].SusPos, 0);
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(PositionFormTest, RunShowsTheWindowModallyCentredOnTheScreen) {
  Base(testing::SampleSet(3));
  bool seen = false;
  WhenModal act([&](QWidget* modal) {
    auto* form = qobject_cast<PositionForm*>(modal);
    ASSERT_NE(form, nullptr);
    seen = true;
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 2);
    form->Option(2)->click();
    form->OkButton()->click();
  });
  PositionForm::Run(state, prompts, nullptr);
  EXPECT_TRUE(seen);
  EXPECT_EQ(state.Set[0].SusPos, 3);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A position from a link file is solved once without asking. Also guards
// against Next at the base stage ending in silence when the filed position
// does not form: it used to close with LinkFailed and no word.
TEST_F(PositionFormTest, RunWithAFiledPositionSolvesOnceWithoutShowing) {
  const ConfigSet set = CollapsedAt(4, 2);
  const std::vector<int> good = Positions(set, true);
  ASSERT_EQ(Positions(set, false), std::vector<int>{2});
  for (const int p : {good[0], 2}) {
    state = AppState{};
    state.Mode = EditMode::Base;
    state.Set[0] = set;
    state.Set[0].SusPos = static_cast<std::int16_t>(p);
    bool shown = false;
    WhenModal guard([&](QWidget* modal) {
      shown = true;
      static_cast<QDialog*>(modal)->done(QDialog::Rejected);
    });
    prompts.Clear();
    PositionForm::Run(state, prompts, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(state.Set[0].AxleX, Solved(set, good[0]).AxleX);  // it was solved
    if (p != 2) {
      EXPECT_FALSE(shown) << p;
      EXPECT_FALSE(state.LinkFailed) << p;
      EXPECT_EQ(state.Set[0].SusPos, p);
      EXPECT_TRUE(prompts.Messages().empty());
      continue;
    }
    // Where the filed position does not form, Next does not end in
    // silence: the user is told and offered the choice, and the position
    // is no longer taken as known.
    EXPECT_TRUE(shown);
    EXPECT_FALSE(state.LinkFailed);
    EXPECT_EQ(state.Set[0].SusPos, 0);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(S(prompts.Messages()[0].Text),
              "リンク位置 P 2 ではリンクが成立しません\nリンク位置を選び直して下さい");
    EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  }
}

}  // namespace
}  // namespace potelan
