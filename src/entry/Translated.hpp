// A text of the program's own language that is translated each time it is
// used. Constants made before the translations are installed (at static
// initialisation) keep their context and source and so still speak the
// language chosen at start-up. lupdate finds the texts by their
// QT_TRANSLATE_NOOP marks:
//
//   inline constexpr TranslatedText kTitle{"potelan::text",
//                                          QT_TRANSLATE_NOOP("potelan::text", "ぽてらん")};
#pragma once

#include <QCoreApplication>
#include <QString>

#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {

struct TranslatedText {
  const char* Context;
  const char* Source;  // UTF-8, as the program's own language spells it

  QString Text() const { return QCoreApplication::translate(Context, Source); }
  operator QString() const { return Text(); }  // NOLINT: used wherever a QString is
};

inline QString operator+(const TranslatedText& a, const QString& b) { return a.Text() + b; }
inline QString operator+(const QString& a, const TranslatedText& b) { return a + b.Text(); }
inline QString operator+(const TranslatedText& a, const char* b) {
  return a.Text() + QString::fromUtf8(b);
}
inline bool operator==(const QString& a, const TranslatedText& b) { return a == b.Text(); }

// The sweeps' failure messages in the language of the windows.
inline QString StrokeFailureText(double stroke) {
  return QCoreApplication::translate("potelan::StrokeSweep", kStrokeFailurePattern)
      .arg(QString::fromStdString(GeneralDouble(stroke)));
}
inline QString ChangedStrokeFailureText(double stroke) {
  return QCoreApplication::translate("potelan::StrokeSweep", kChangedStrokeFailurePattern)
      .arg(QString::fromStdString(GeneralDouble(stroke)));
}

}  // namespace potelan
