// "感度": how each dimension of the changed set moves its curve, per unit of
// the dimension, sorted by the influence on a figure the user chooses.
#pragma once

#include <QWidget>
#include <vector>

#include "assist/Sensitivity.hpp"
#include "model/AppState.hpp"

class QComboBox;
class QLabel;
class QTableWidget;

namespace potelan {

class SensitivityPage final : public QWidget {
  Q_OBJECT
 public:
  // The figures the table can be sorted by, in the order of its columns.
  enum class Figure { RatioAtZero, RatioAtHalf, RatioAtMax, Progression, SusStroke };
  static double FigureOf(const assist::KeyFigures& figures, Figure f);

  SensitivityPage(const AppState& state, QWidget* parent);

  QComboBox* FigureChoice() const { return figureChoice_; }
  QTableWidget* SensitivityTable() const { return sensitivityTable_; }
  // The dimensions in the order the table shows them.
  std::vector<Dimension> Order() const;

  // Computes the sensitivity of the changed set again and fills the table.
  void Recompute();

 private:
  void Fill();

  const AppState& state_;
  QComboBox* figureChoice_ = nullptr;
  QLabel* noteLabel_ = nullptr;
  QTableWidget* sensitivityTable_ = nullptr;
  assist::Sensitivity sensitivity_;
};

}  // namespace potelan
