// The dimensions a fit may vary: a row per dimension of the changed set's
// link type, with a tick, the current value and the range (lower and upper
// bound) the search may move it in.
#pragma once

#include <QScrollArea>
#include <cstdint>
#include <map>
#include <vector>

#include "assist/Dimensions.hpp"
#include "model/AppState.hpp"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

namespace potelan {

class DimensionRanges final : public QScrollArea {
  Q_OBJECT
 public:
  explicit DimensionRanges(QWidget* parent);

  // The rows follow the changed set: built anew for another link type; for
  // the same type the current values, and the default range around a value
  // that changed (a range the user set for an unchanged value stays).
  void Follow(const ConfigSet& changed);

  // The controls of a dimension's row; nullptr when its type has none.
  QCheckBox* Check(assist::Dimension d) const;
  QDoubleSpinBox* LowerBox(assist::Dimension d) const;
  QDoubleSpinBox* UpperBox(assist::Dimension d) const;

  std::vector<assist::Dimension> Ticked() const;
  assist::Bounds RangeOf(assist::Dimension d) const;

 private:
  struct Row {
    QCheckBox* Check = nullptr;
    QLabel* CurrentValue = nullptr;
    QDoubleSpinBox* Lower = nullptr;
    QDoubleSpinBox* Upper = nullptr;
    double Value = 0;  // the value the row shows
  };
  void Rebuild(const ConfigSet& changed);
  void UpdateValues(const ConfigSet& changed);
  const Row* Find(assist::Dimension d) const;

  QWidget* rowHolder_ = nullptr;
  std::map<assist::Dimension, Row> rows_;
  std::int16_t rowsType_ = 0;  // the link type the rows were built for
};

}  // namespace potelan
