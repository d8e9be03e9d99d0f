#include "files/SettingsFile.hpp"

#include <QFileInfo>

#include "model/NumberFormat.hpp"

namespace potelan {

QString SettingsFilePath(const QString& folder) {
  if (folder.endsWith(QLatin1Char('/'))) return folder + kSettingsFileName;
  return folder + QLatin1Char('/') + kSettingsFileName;
}

SettingsReadStatus ReadSettings(AppState& state, const QString& folder, SettingsReport* report) {
  SettingsReport scratch;
  SettingsReport& told = report != nullptr ? *report : scratch;
  told = SettingsReport{};
  state.AppFolder = folder.toStdString();
  const QString path = SettingsFilePath(folder);
  if (!QFileInfo::exists(path)) {
    state.MaxStroke = kDefaultMaxStroke;
    return SettingsReadStatus::NotFound;
  }
  const std::optional<QStringList> lines = ReadTextLines(path, &told.Error);
  if (!lines) {
    state.MaxStroke = kDefaultMaxStroke;
    return SettingsReadStatus::Unreadable;
  }

  std::int16_t maxStroke = 0;
  for (qsizetype i = 0; i < lines->size(); ++i) {
    const QString& line = lines->at(i);
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) continue;
    if (line.left(equals) != kMaxStrokeKey) continue;
    const QString text = line.mid(equals + 1);
    const std::optional<double> number = ParseDecimal(text.toStdString());
    const std::optional<std::int16_t> value = number ? RoundToInt16(*number) : std::nullopt;
    if (!value || *value < 0 || *value > kMaxStrokeLimit) {
      told.Ignored << QStringLiteral("line %1: the value \"%2\" is not an integer from 0 to %3")
                          .arg(i + 1)
                          .arg(text)
                          .arg(kMaxStrokeLimit);
      continue;
    }
    maxStroke = *value;
  }
  state.MaxStroke = maxStroke;
  return SettingsReadStatus::Read;
}

WriteResult WriteSettings(const QString& folder, std::int16_t maxStroke) {
  WriteResult result;
  const QString path = SettingsFilePath(folder);
  if (maxStroke < 0 || maxStroke > kMaxStrokeLimit) {
    result.Error = QStringLiteral("\"%1\" was not saved: MaxStroke %2 lies outside 0..%3")
                       .arg(path)
                       .arg(maxStroke)
                       .arg(kMaxStrokeLimit);
    return result;
  }
  const QStringList lines{kMaxStrokeKey + QLatin1Char('=') + QString::number(maxStroke)};
  result.Ok = WriteTextLines(path, lines, &result.Error);
  return result;
}

std::optional<std::int16_t> ParseMaxStrokeEntry(const QString& text) {
  auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && isBlank(text.at(first))) ++first;
  while (last > first && isBlank(text.at(last - 1))) --last;
  if (first == last) return std::nullopt;

  int value = 0;
  for (qsizetype i = first; i < last; ++i) {
    const char16_t c = text.at(i).unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > kMaxStrokeLimit) return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace potelan
