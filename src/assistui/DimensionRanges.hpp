// The dimensions a fit may vary: a row per dimension of the changed set's
// link type, with a tick, the current value and the range (lower and upper
// bound) the search may move it in.
#pragma once

#include <QScrollArea>
#include <cstdint>
#include <map>
#include <vector>

#include "model/AppState.hpp"
#include "model/Dimensions.hpp"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

namespace potelan {

class DimensionRanges final : public QScrollArea {
  Q_OBJECT
 public:
  explicit DimensionRanges(QWidget* parent);
  // A few rows high: the rest scroll, and the target above takes the height.
  QSize sizeHint() const override;

  // The rows follow the changed set: built anew for another link type; for
  // the same type the current values, and the default range around a value
  // that changed (a range the user set for an unchanged value stays).
  void Follow(const ConfigSet& changed);

  // The controls of a dimension's row; nullptr when its type has none.
  QCheckBox* Check(Dimension d) const;
  QDoubleSpinBox* LowerBox(Dimension d) const;
  QDoubleSpinBox* UpperBox(Dimension d) const;

  std::vector<Dimension> Ticked() const;
  Bounds RangeOf(Dimension d) const;

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
  const Row* Find(Dimension d) const;

  QWidget* rowHolder_ = nullptr;
  std::map<Dimension, Row> rows_;
  std::int16_t rowsType_ = 0;  // the link type the rows were built for
};

}  // namespace potelan
