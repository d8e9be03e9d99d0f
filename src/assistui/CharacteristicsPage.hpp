// "特性": what the base and the changed set give at the wheel, side by side
// (one row per figure, a column per set), with the sag under a static axle
// load the user may enter.
#pragma once

#include <QWidget>
#include <array>

#include "assist/Characteristics.hpp"
#include "model/AppState.hpp"

class QDoubleSpinBox;
class QTableWidget;

namespace potelan {

class CharacteristicsPage final : public QWidget {
  Q_OBJECT
 public:
  CharacteristicsPage(const AppState& state, QWidget* parent);

  QTableWidget* FiguresTable() const { return figuresTable_; }
  QDoubleSpinBox* StaticLoadBox() const { return staticLoadBox_; }
  // The characteristics the page shows (of set 0 and set 1).
  const std::array<assist::Characteristics, 2>& Shown() const { return shown_; }

  // Characterises both sets again and fills the table.
  void Fill();

 private:
  const AppState& state_;
  QDoubleSpinBox* staticLoadBox_ = nullptr;
  QTableWidget* figuresTable_ = nullptr;
  std::array<assist::Characteristics, 2> shown_{};
};

}  // namespace potelan
