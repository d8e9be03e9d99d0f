// The edit session's door to the user, through the windows' Prompts: its
// messages are shown over a window, and its position choice is the modal
// PositionForm. The session itself, being QtCore only, knows neither.
#pragma once

#include "model/AppState.hpp"
#include "session/SessionDoors.hpp"

class QWidget;

namespace potelan {

class Prompts;

class SessionWindowsPrompts final : public SessionPrompts {
 public:
  SessionWindowsPrompts(AppState& state, Prompts& prompts, QWidget* parent)
      : state_(state), prompts_(prompts), parent_(parent) {}

  void Warn(const QString& text) override;
  void FileFailure(const QString& headline, const QString& path, const QString& cause) override;
  bool ChoosePosition() override;

 private:
  AppState& state_;
  Prompts& prompts_;
  QWidget* parent_;
};

}  // namespace potelan
