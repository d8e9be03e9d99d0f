// Qt strings in tests: gtest prints a QString as its quoted text, S() gives
// one as a std::string and Q() makes one of UTF-8 text.
#pragma once

#include <QString>
#include <ostream>
#include <string>
#include <string_view>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace potelan::testing {

inline std::string S(const QString& text) { return text.toStdString(); }

inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace potelan::testing
