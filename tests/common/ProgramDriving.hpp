// What tests and benchmarks of the desktop program share to drive it as a
// user would: the entry boxes of a set's dimensions, typing a set into a
// window's boxes, and acting on the modal dialog a command opens.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "entry/BoxNames.hpp"
#include "model/AppState.hpp"
#include "model/NumberFormat.hpp"

namespace potelan::testing {

// An entry box of a dimension and the value of a set it carries.
struct Field {
  const QString* Box;
  double ConfigSet::*Value;
};
inline const Field kFields[] = {
    {&box::SusUpX, &ConfigSet::SusUpX},
    {&box::SusUpY, &ConfigSet::SusUpY},
    {&box::SusUpLength, &ConfigSet::SusUpLength},
    {&box::SusUpOffset, &ConfigSet::SusUpOffset},
    {&box::FrameLinkX, &ConfigSet::FrameLinkX},
    {&box::FrameLinkY, &ConfigSet::FrameLinkY},
    {&box::ForkLength, &ConfigSet::ForkLength},
    {&box::ForkLinkLength, &ConfigSet::ForkLinkLength},
    {&box::ForkLinkOffset, &ConfigSet::ForkLinkOffset},
    {&box::LinkUp, &ConfigSet::LinkUp},
    {&box::LinkFr, &ConfigSet::LinkFr},
    {&box::LinkRr, &ConfigSet::LinkRr},
    {&box::TenRod, &ConfigSet::TenRodLength},
    {&box::AxleStartPos, &ConfigSet::AxleStartPos},
    {&box::Spring, &ConfigSet::SpringRate},
    {&box::Preload, &ConfigSet::Preload},
    {&box::PivotX, &ConfigSet::PivotMoveX},
    {&box::PivotY, &ConfigSet::PivotMoveY},
};

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
