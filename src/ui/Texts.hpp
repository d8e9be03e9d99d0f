// Texts shared by several windows: message titles and the common messages.
#pragma once

#include <QString>

namespace potelan::text {

inline const QString kAppTitle = QStringLiteral("ぽてらんβ2");
inline const QString kWarningTitle = QStringLiteral("ぽてらんからの警告!!");
inline const QString kNoticeTitle = QStringLiteral("ぽてらんからの注意");
// The title of the link-type mismatch message: the program's own name.
inline const QString kDefaultTitle = QStringLiteral("ぽてらん");

inline const QString kLinkFileFilter = QStringLiteral("ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin");
inline const QString kLinkFileExtension = QStringLiteral("*.lin");

}  // namespace potelan::text
