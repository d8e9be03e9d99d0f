// What tests and benchmarks of the desktop program share to drive it as a
// user would: the entry boxes of a set's dimensions, typing a set into a
// window's boxes, and acting on the modal dialog a command opens.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "entry/BoxNames.hpp"
#include "model/AppState.hpp"
#include "model/Dimensions.hpp"
#include "model/NumberFormat.hpp"

namespace potelan::testing {

// An entry box of a dimension and the value of a set it carries.
struct Field {
  const QString* Box;
  double ConfigSet::*Value;
  Dimension Dim;
};
inline Field FieldOf(Dimension d) {
  static const std::array<QString, kDimensionCount> boxes = [] {
    std::array<QString, kDimensionCount> names;
    for (const DimensionInfo& row : DimensionTable()) {
      names[static_cast<std::size_t>(row.Dim)] = DimensionBox(row.Dim);
    }
    return names;
  }();
  return {&boxes[static_cast<std::size_t>(d)], InfoOf(d).Member, d};
}
// The values a set's boxes carry, in the order the tests fill them (the
// session test draws from it by index).
inline const Field kFields[] = {
    FieldOf(Dimension::SusUpX),         FieldOf(Dimension::SusUpY),
    FieldOf(Dimension::SusUpLength),    FieldOf(Dimension::SusUpOffset),
    FieldOf(Dimension::FrameLinkX),     FieldOf(Dimension::FrameLinkY),
    FieldOf(Dimension::ForkLength),     FieldOf(Dimension::ForkLinkLength),
    FieldOf(Dimension::ForkLinkOffset), FieldOf(Dimension::LinkUp),
    FieldOf(Dimension::LinkFr),         FieldOf(Dimension::LinkRr),
    FieldOf(Dimension::TenRodLength),   FieldOf(Dimension::AxleStartPos),
    FieldOf(Dimension::SpringRate),     FieldOf(Dimension::Preload),
    FieldOf(Dimension::PivotMoveX),     FieldOf(Dimension::PivotMoveY),
};

// The boxes of kFields a link type fills: its own shock-mount pair, the rest.
inline QStringList DimensionBoxes(int type) {
  QStringList boxes;
  for (const Field& f : kFields) {
    if (InfoOf(f.Dim).Group != DimensionGroup::ShockMount || Carries(f.Dim, type)) {
      boxes << *f.Box;
    }
  }
  return boxes;
}

// Types the dimensions of a set into the boxes `form` has (a base form has
// no pivot boxes; those values are skipped there).
inline void FillBoxes(QWidget& form, const ConfigSet& c) {
  for (const Field& f : kFields) {
    if (auto* edit = form.findChild<QLineEdit*>(*f.Box)) {
      edit->setText(QString::fromStdString(GeneralDouble(c.*f.Value)));
    }
  }
}

// Runs `action` on the modal dialog that the next call opens.
inline void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* modal = QApplication::activeModalWidget()) action(modal);
  });
}

}  // namespace potelan::testing
