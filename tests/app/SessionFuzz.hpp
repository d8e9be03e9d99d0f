// A harness that drives the whole desktop program as a user would, with
// commands that print and parse back, and checks the invariants of an
// editing session after every command.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/MainWindow.hpp"
#include "model/AppState.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan::testing {

// One user command: a verb and its arguments, printed as one line
// ("spin Spin_Link_Up up", "enter Link_Up_Text 1.2.3", "load good4").
// Typed texts are percent-encoded so that a line never holds a space; the
// empty text is written as "%".
struct FuzzCommand {
  QString Verb;
  QStringList Args;

  QString Line() const;
  static FuzzCommand Parse(const QString& line);
  QString Arg(int i) const { return i < Args.size() ? Args[i] : QString(); }
  int Number(int i) const { return Arg(i).toInt(); }
};

struct FuzzOutcome {
  bool Ok = true;
  std::string Report;  // the broken invariant, the seed and the command list
};

class FuzzSession {
 public:
  explicit FuzzSession(std::uint32_t seed);
  ~FuzzSession();

  // `count` commands drawn from the seed, each checked.
  FuzzOutcome RunRandom(int count);
  // The given commands, each checked.
  FuzzOutcome RunList(const QStringList& lines);

  // One command and its checks; false (with Failure()) when an invariant
  // broke. Exposed for the regression tests, which replay short lists.
  bool Step(const FuzzCommand& command);
  const QString& Failure() const { return failure_; }

  AppState& State() { return state_; }
  ScriptedPrompts& Prompts() { return prompts_; }
  MainWindow& Window() { return *window_; }

 private:
  FuzzCommand Draw();
  FuzzCommand DrawAny();
  void Execute(const FuzzCommand& command);
  void Check(const FuzzCommand& command);
  void Fail(const QString& what);
  std::string Report() const;

  // Command bodies.
  // Answers the modal window that is open, if any (the position choice).
  void AnswerModal();
  void RunNext(int firstPosition);
  void RunPosition(int position, bool ok);
  void TypeInto(const QString& box, const QString& text, bool enter);
  void FillForm(int type, int variant, bool input);
  void Load(const QString& kind);
  void Save(const QString& kind);
  void SetMaxStroke(const QString& text);
  void ViewMenu(const FuzzCommand& command);
  // 編集: undo, redo, copy (checked against Save's file) and paste.
  void EditMenu(const FuzzCommand& command);

  // Checks.
  void CheckPositions(std::initializer_list<int> sets);
  // The table against fresh sweeps of set 0 (and set 1, or no changed
  // column at all).
  void CheckTableAgainstSweeps(bool withChanged);
  void CheckChangedSetDrawnAndKept(bool accepted);
  // The boxes show set 1 (a loaded file's own texts: the same numbers);
  // `pending` boxes hold typed text that is not committed yet.
  void CheckBoxesShowChangedSet(bool loaded, const std::set<QString>& pending);
  void CheckFormLayout();
  // The undo stack against the accepted sets the harness saw pushed.
  void CheckHistory(const FuzzCommand& command, int indexBefore, const ConfigSet& setBefore,
                    int messages, bool putBack);
  bool AnyShownBoxEmpty() const;
  bool ViewsOpen() const;
  int MessagesSince(std::size_t from) const;
  bool MessageSince(std::size_t from, const QString& part) const;

  void WriteFixtures();
  QString FixturePath(const QString& kind) const;


  std::uint32_t seed_;
  std::mt19937 rng_;
  QTemporaryDir dir_;
  QString previousDir_;
  AppState state_;
  ScriptedPrompts prompts_;
  std::unique_ptr<MainWindow> window_;
  bool trace_ = qEnvironmentVariableIsSet("POTELAN_FUZZ_TRACE");
  std::vector<QString> done_;  // command lines run so far
  QString failure_;

  // What the harness knows of the session.
  bool basePositionKnown_ = false;  // chosen in the dialog or read from a file
  QTimer modalTimer_;  // runs while a command does, to answer its modal window
  int modalPosition_ = 1;
  bool modalChoosesForming_ = true;
  bool modalAccepts_ = true;
  bool positionDialogShown_ = false;
  bool committed_ = false;
  std::set<QString> typed_;  // boxes of Form_Input typed into since the last commit  // the command committed an edit of the changed set
  bool positionDialogStuck_ = false;
  std::vector<std::vector<std::string>> steps_;  // set 1 at each index of the undo stack
};

}  // namespace potelan::testing
