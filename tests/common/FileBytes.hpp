// Whole files as bytes, for the tests that compare what was written byte for
// byte or lay out a file before reading it.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace potelan::testing {

// The file's bytes, or nothing when it cannot be opened.
inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

// Writes the bytes as they are (no line-end or encoding conversion).
inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(bytes) == bytes.size();
}

}  // namespace potelan::testing
