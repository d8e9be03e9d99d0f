// Control names of the entry windows. The form-transfer operations, the link
// file and the windows themselves find boxes by these names, so they are
// spelled once here.
#pragma once

#include <QString>

namespace potelan::box {

// Dimension boxes of the base-dimension forms and the change-input form.
inline const QString SusUpX = QStringLiteral("Sus_Up_X_Text");
inline const QString SusUpY = QStringLiteral("Sus_Up_Y_Text");
inline const QString SusUpLength = QStringLiteral("Sus_Up_Length_Text");
inline const QString SusUpOffset = QStringLiteral("Sus_Up_Offset_Text");
inline const QString FrameLinkX = QStringLiteral("Frame_Link_X_Text");
inline const QString FrameLinkY = QStringLiteral("Frame_Link_Y_Text");
inline const QString ForkLength = QStringLiteral("Fork_Length_Text");
inline const QString ForkLinkLength = QStringLiteral("Fork_Link_Length_Text");
inline const QString ForkLinkOffset = QStringLiteral("Fork_Link_Offset_Text");
inline const QString LinkUp = QStringLiteral("Link_Up_Text");
inline const QString LinkFr = QStringLiteral("Link_Fr_Text");
inline const QString LinkRr = QStringLiteral("Link_Rr_Text");
inline const QString TenRod = QStringLiteral("Ten_Rod_Text");
inline const QString AxleStartPos = QStringLiteral("Axle_Start_Pos_Text");
inline const QString Spring = QStringLiteral("Spring_Text");
inline const QString Preload = QStringLiteral("Preload_Text");

// Boxes of the change-input form only.
inline const QString PivotX = QStringLiteral("Text_Pivot_x");
inline const QString PivotY = QStringLiteral("Text_Pivot_y");
inline const QString RebSpring = QStringLiteral("Reb_Spring_Text");
inline const QString RebSpringLength = QStringLiteral("Reb_Spring_Length_Text");

// Other controls of the change-input form that the transfer operations use.
inline const QString TypeList = QStringLiteral("Combo1");
inline const QString PositionLabel = QStringLiteral("Label23");

}  // namespace potelan::box

namespace potelan::formname {

inline const QString Input = QStringLiteral("Form_Input");

// "Form_Type2" .. "Form_Type6".
inline QString BaseForm(int susType) { return QStringLiteral("Form_Type%1").arg(susType); }

}  // namespace potelan::formname
