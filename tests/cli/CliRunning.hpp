// Running the command-line tool inside a test: its exit status and what it
// wrote, the bundled examples, and its JSON output as an object.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <sstream>
#include <string>

#include "cli/CliCommands.hpp"

namespace potelan::cli::testing {

struct Outcome {
  int Code;
  std::string Out;
  std::string Err;
};

inline Outcome RunCli(const QStringList& args) {
  std::ostringstream out, err;
  const int code = Run(args, out, err);
  return {code, out.str(), err.str()};
}

inline QString Example(int type) {
  return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(type);
}

inline QJsonObject ParseJson(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return doc.object();
}

}  // namespace potelan::cli::testing
