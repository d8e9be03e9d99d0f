// The target of a fit: the quantity to match, a table of (stroke, value)
// points taken from a set's curve or typed in, and the buttons that reshape
// it (more progression, scaled, shifted).
#pragma once

#include <QWidget>
#include <vector>

#include "assist/Fit.hpp"
#include "model/AppState.hpp"

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace potelan {

class Prompts;

class TargetEditor final : public QWidget {
  Q_OBJECT
 public:
  TargetEditor(const AppState& state, Prompts& prompts, QWidget* parent);

  QComboBox* QuantityChoice() const { return quantityChoice_; }
  assist::Quantity ChosenQuantity() const;
  QTableWidget* PointsTable() const { return pointsTable_; }
  QDoubleSpinBox* AmountBox() const { return amountBox_; }

  // The rows that hold two numbers, by stroke.
  std::vector<assist::CurveSample> Points() const;
  void SetPoints(const std::vector<assist::CurveSample>& points);
  // The 1-based number of the first row that is half filled or holds a text
  // that is no number; 0 when every row is empty or two numbers.
  int FirstBadRow() const;
  // The points taken from a set's curve (0 base, 1 changed) in the chosen
  // quantity; a message when the set does not assemble.
  void TakeFrom(int set);
  // The reshaping buttons: the progression raised by the amount (percent
  // points), the values scaled by 1 + amount %, the amount added.
  enum class Change { AddProgression, Scale, Shift };
  void Reshape(Change change);
  // " kgf" for a load, nothing for a ratio.
  QString UnitSuffix() const;

 private:
  // The target's and the shift's units follow the chosen quantity.
  void ShowUnits();

  const AppState& state_;
  Prompts& prompts_;
  QComboBox* quantityChoice_ = nullptr;
  QTableWidget* pointsTable_ = nullptr;
  QDoubleSpinBox* amountBox_ = nullptr;
  QPushButton* shiftButton_ = nullptr;
};

}  // namespace potelan
