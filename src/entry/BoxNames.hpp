// Control names of the entry windows. The form-transfer operations, the link
// file and the windows themselves find boxes by these names: the boxes of
// the values as the table of dimensions spells them, the other controls here.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "model/Dimensions.hpp"

namespace potelan {

// A text of the table of dimensions (UTF-8) as a QString.
inline QString TableText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The entry box of a value on every form ("Fork_Length_Text").
inline QString DimensionBox(Dimension d) { return TableText(InfoOf(d).Box); }

// A caption of the table of dimensions in the language of the windows (the
// table's own text where no translation is installed).
inline QString DimensionText(std::string_view caption) {
  return QCoreApplication::translate("potelan::Dimensions", std::string(caption).c_str());
}

// The caption of a value without a form's decoration ("リアフォーク長").
inline QString DimensionCaption(Dimension d) { return DimensionText(InfoOf(d).Caption); }

// The value an entry box holds, or nothing for a box of no value.
inline std::optional<Dimension> DimensionOfBox(const QString& box) {
  for (const DimensionInfo& row : DimensionTable()) {
    if (box == TableText(row.Box)) return row.Dim;
  }
  return std::nullopt;
}

}  // namespace potelan

namespace potelan::box {

// The entry boxes by name, as the table of dimensions spells them.
inline const QString SusUpX = DimensionBox(Dimension::SusUpX);
inline const QString SusUpY = DimensionBox(Dimension::SusUpY);
inline const QString SusUpLength = DimensionBox(Dimension::SusUpLength);
inline const QString SusUpOffset = DimensionBox(Dimension::SusUpOffset);
inline const QString FrameLinkX = DimensionBox(Dimension::FrameLinkX);
inline const QString FrameLinkY = DimensionBox(Dimension::FrameLinkY);
inline const QString ForkLength = DimensionBox(Dimension::ForkLength);
inline const QString ForkLinkLength = DimensionBox(Dimension::ForkLinkLength);
inline const QString ForkLinkOffset = DimensionBox(Dimension::ForkLinkOffset);
inline const QString LinkUp = DimensionBox(Dimension::LinkUp);
inline const QString LinkFr = DimensionBox(Dimension::LinkFr);
inline const QString LinkRr = DimensionBox(Dimension::LinkRr);
inline const QString TenRod = DimensionBox(Dimension::TenRodLength);
inline const QString AxleStartPos = DimensionBox(Dimension::AxleStartPos);
inline const QString Spring = DimensionBox(Dimension::SpringRate);
inline const QString Preload = DimensionBox(Dimension::Preload);
inline const QString PivotX = DimensionBox(Dimension::PivotMoveX);
inline const QString PivotY = DimensionBox(Dimension::PivotMoveY);
inline const QString RebSpring = DimensionBox(Dimension::RebSpringRate);
inline const QString RebSpringLength = DimensionBox(Dimension::RebSpringLength);

// Other controls of the change-input form that the transfer operations use.
inline const QString TypeList = QStringLiteral("Combo1");
inline const QString PositionLabel = QStringLiteral("Label23");

}  // namespace potelan::box

namespace potelan::formname {

inline const QString Input = QStringLiteral("Form_Input");

// "Form_Type2" .. "Form_Type6".
inline QString BaseForm(int susType) { return QStringLiteral("Form_Type%1").arg(susType); }

}  // namespace potelan::formname
