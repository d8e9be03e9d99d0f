// The randomised session test: the desktop program, offscreen and answered by
// ScriptedPrompts, is driven through thousands of random user commands (type
// choices, Next and Previous, typed boxes, spin presses, type and position
// changes, store and restore, loads and saves of good, unformable and
// unreadable files, the maximum stroke and the views' menus). After every
// command the invariants of an editing session are checked against the
// engine's own sweeps. A failure prints the seed and the command list; the
// list replays as it stands (POTELAN_FUZZ_REPLAY=file).
//
// Environment:
//   POTELAN_FUZZ_SEED      first seed (default 20261208)
//   POTELAN_FUZZ_SESSIONS  sessions, one seed each (default 4)
//   POTELAN_FUZZ_COMMANDS  commands per session (default 700)
//   POTELAN_FUZZ_REPLAY    a file of commands, one a line, replayed instead
//   POTELAN_FUZZ_LONG      set: the long run's test runs too
//   POTELAN_FUZZ_TRACE     set: each command is printed with the stage and sets
//   POTELAN_FUZZ_KEEP      set: the session's folder (saved files) is kept
//   POTELAN_FUZZ_KNOWN=off the switches of known faults are off
// tools/shrink-session.py shrinks a failing list to the commands that matter.
//
// Below the random sessions: one regression test per fault they found,
// each a short replay with its own expectations.
#include "SessionFuzz.hpp"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTextStream>

#include "entry/BoxNames.hpp"
#include "entry/InputForm.hpp"
#include "model/NumberFormat.hpp"

namespace potelan::testing {
namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  bool ok = false;
  const unsigned long value = qEnvironmentVariable(name).toULong(&ok);
  return ok ? value : fallback;
}

// Runs `sessions` sessions of `commands` commands from `firstSeed` on; the
// first session that breaks an invariant is reported with what replays it.
void RunSessions(unsigned long firstSeed, unsigned long sessions, unsigned long commands) {
  for (unsigned long i = 0; i < sessions; ++i) {
    const unsigned long seed = firstSeed + i;
    FuzzSession session(static_cast<std::uint32_t>(seed));
    const FuzzOutcome outcome = session.RunRandom(static_cast<int>(commands));
    if (!outcome.Ok) {
      ADD_FAILURE() << outcome.Report;
      return;
    }
  }
}

TEST(SessionFuzzTest, RandomSessionsKeepEveryInvariant) {
  const QString replay = qEnvironmentVariable("POTELAN_FUZZ_REPLAY");
  if (!replay.isEmpty()) {
    QFile file(replay);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << replay.toStdString();
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) lines << in.readLine();
    FuzzSession session(0);
    const FuzzOutcome outcome = session.RunList(lines);
    EXPECT_TRUE(outcome.Ok) << outcome.Report;
    return;
  }
  RunSessions(EnvNumber("POTELAN_FUZZ_SEED", 20261208), EnvNumber("POTELAN_FUZZ_SESSIONS", 4),
              EnvNumber("POTELAN_FUZZ_COMMANDS", 700));
}

// The long run (make fuzz-session): many more sessions from other seeds.
TEST(SessionFuzzTest, LongRun) {
  if (!qEnvironmentVariableIsSet("POTELAN_FUZZ_LONG")) GTEST_SKIP() << "POTELAN_FUZZ_LONG not set";
  RunSessions(EnvNumber("POTELAN_FUZZ_SEED", 1), EnvNumber("POTELAN_FUZZ_SESSIONS", 40),
              EnvNumber("POTELAN_FUZZ_COMMANDS", 2000));
}

// Runs the commands, each checked by the session's invariants; the test
// fails with the report when one breaks.
void Replay(FuzzSession& session, std::initializer_list<const char*> lines) {
  QStringList list;
  for (const char* line : lines) list << QString::fromUtf8(line);
  const FuzzOutcome outcome = session.RunList(list);
  EXPECT_TRUE(outcome.Ok) << outcome.Report;
}

QString BoxText(FuzzSession& session, const QString& name) {
  return session.Window().Input()->findChild<QLineEdit*>(name)->text();
}

// Regression: a spin press after a type change in Combo1 wrote set 1 back
// into the boxes, which selected set 1's type in Combo1 again; the type
// handler then copied the base set's shock mount over the value the press
// had just changed. The box showed the pressed value, set 1 was judged and
// swept without it.
TEST(SessionRegressionTest, ASpinAfterATypeChangeKeepsThePressedValue) {
  FuzzSession session(0);
  Replay(session, {"choose-type 3", "next 1", "fill-base 3 0", "next 1", "combo-type 5",
                   "fill-input 6 2"});
  const double base = session.State().Set[kBaseSet].SusUpX;
  Replay(session, {"spin Spin_Ex down"});
  const ConfigSet& changed = session.State().Set[kChangedSet];
  EXPECT_EQ(changed.SusType, 3);
  EXPECT_EQ(changed.SusUpX, base - 1.0);
  EXPECT_EQ(BoxText(session, box::SusUpX), QString::fromStdString(FormatNumber(base - 1, "###.##")));
  EXPECT_EQ(session.Window().Input()->TypeList()->currentText(), "Type3");
}

}  // namespace
}  // namespace potelan::testing
