#include "files/TextCodec.hpp"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace potelan {

namespace {

constexpr char kShiftJis[] = "Shift_JIS";

void SetError(QString* error, const QString& text) {
  if (error != nullptr) *error = text;
}

QString DescribeCharacter(const QString& character) {
  const uint code = character.isEmpty() ? 0u : static_cast<uint>(character.toUcs4().value(0));
  return QStringLiteral("\"%1\" (U+%2)")
      .arg(character, QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

// The first character of `text` that Shift-JIS cannot hold, as text (a
// surrogate pair stays together); the empty text when there is none.
QString FirstUnencodable(const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length =
        (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ? 2
            : 1;
    const QString character = text.mid(i, length);
    if (!ShiftJisByteCount(character)) return character;
    i += length;
  }
  return QString();
}

}  // namespace

std::optional<QString> DecodeText(const QByteArray& bytes) {
  static const QByteArray kUtf8Bom("\xEF\xBB\xBF");
  if (bytes.startsWith(kUtf8Bom)) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    return QString(utf8.decode(bytes.mid(kUtf8Bom.size())));
  }
  {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
  }
  QStringDecoder shiftJis(kShiftJis);
  if (!shiftJis.isValid()) return std::nullopt;
  return QString(shiftJis.decode(bytes));
}

QStringList SplitLines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  // The piece after a final line end is not a line.
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  return lines;
}

std::optional<QStringList> ReadTextLines(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SetError(error, QStringLiteral("cannot open \"%1\": %2").arg(path, file.errorString()));
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    SetError(error, QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString()));
    return std::nullopt;
  }
  const std::optional<QString> text = DecodeText(bytes);
  if (!text) {
    SetError(error,
             QStringLiteral("cannot read \"%1\": no Shift-JIS converter is available").arg(path));
    return std::nullopt;
  }
  return SplitLines(*text);
}

std::optional<int> ShiftJisByteCount(const QString& character) {
  QStringEncoder encoder(kShiftJis);
  if (!encoder.isValid()) return std::nullopt;
  const QByteArray bytes = encoder.encode(character);
  if (encoder.hasError()) return std::nullopt;
  return static_cast<int>(bytes.size());
}

std::optional<QByteArray> EncodeShiftJis(const QString& text, QString* error) {
  QStringEncoder encoder(kShiftJis);
  if (!encoder.isValid()) {
    SetError(error, QStringLiteral("no Shift-JIS converter is available"));
    return std::nullopt;
  }
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) {
    const QString bad = FirstUnencodable(text);
    SetError(error, bad.isEmpty()
                        ? QStringLiteral("the text cannot be written in Shift-JIS")
                        : QStringLiteral("the character %1 cannot be written in Shift-JIS")
                              .arg(DescribeCharacter(bad)));
    return std::nullopt;
  }
  return bytes;
}

std::optional<QByteArray> EncodeLines(const QStringList& lines, QString* error) {
  QByteArray bytes;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString& line = lines.at(i);
    if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))) {
      SetError(error, QStringLiteral("line %1 holds a line break of its own").arg(i + 1));
      return std::nullopt;
    }
    QString lineError;
    const std::optional<QByteArray> encoded = EncodeShiftJis(line, &lineError);
    if (!encoded) {
      SetError(error, QStringLiteral("line %1: %2").arg(i + 1).arg(lineError));
      return std::nullopt;
    }
    bytes += *encoded;
    bytes += "\r\n";
  }
  return bytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    SetError(error, QStringLiteral("cannot create \"%1\": %2").arg(path, file.errorString()));
    return false;
  }
  if (file.write(bytes) != bytes.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    SetError(error, QStringLiteral("cannot write \"%1\": %2").arg(path, reason));
    return false;
  }
  if (!file.commit()) {
    SetError(error, QStringLiteral("cannot save \"%1\": %2").arg(path, file.errorString()));
    return false;
  }
  return true;
}

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error) {
  QString encodeError;
  const std::optional<QByteArray> bytes = EncodeLines(lines, &encodeError);
  if (!bytes) {
    SetError(error, QStringLiteral("cannot write \"%1\": %2").arg(path, encodeError));
    return false;
  }
  return WriteFileAtomically(path, *bytes, error);
}

}  // namespace potelan
