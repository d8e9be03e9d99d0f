// Form_Init "初期設定": the maximum axle stroke, kept in the settings file,
// and the language of the windows, kept per user and applied from the next
// start.
#pragma once

#include <QWidget>

#include "model/AppState.hpp"

class QComboBox;
class QLineEdit;

namespace potelan {

class Prompts;

class InitForm final : public QWidget {
  Q_OBJECT
 public:
  InitForm(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

  // Command_OK: an integer 0..3276 is stored in MaxStroke and the settings
  // file; anything else is refused with a message and changes nothing.
  // Returns whether the entry was taken. The language chosen is stored with it.
  bool Accept();

 signals:
  void done();

 private:
  AppState& state_;
  Prompts& prompts_;
  QLineEdit* text1_ = nullptr;
  QComboBox* language_ = nullptr;
};

}  // namespace potelan
