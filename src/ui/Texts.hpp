// Texts shared by several windows: message titles and the common messages.
#pragma once

#include <QString>

#include "entry/Translated.hpp"

namespace potelan::text {

inline constexpr TranslatedText kAppTitle{"potelan::text",
                                          QT_TRANSLATE_NOOP("potelan::text", "ぽてらんβ2")};
inline constexpr TranslatedText kWarningTitle{
    "potelan::text", QT_TRANSLATE_NOOP("potelan::text", "ぽてらんからの警告!!")};
inline constexpr TranslatedText kNoticeTitle{
    "potelan::text", QT_TRANSLATE_NOOP("potelan::text", "ぽてらんからの注意")};
// The title of the link-type mismatch message: the program's own name.
inline constexpr TranslatedText kDefaultTitle{"potelan::text",
                                              QT_TRANSLATE_NOOP("potelan::text", "ぽてらん")};

inline constexpr TranslatedText kLinkFileFilter{
    "potelan::text", QT_TRANSLATE_NOOP("potelan::text", "ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin")};
inline const QString kLinkFileExtension = QStringLiteral("*.lin");

}  // namespace potelan::text
