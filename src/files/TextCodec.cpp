#include "files/TextCodec.hpp"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace potelan {

namespace {

constexpr char kShiftJis[] = "Shift_JIS";

std::function<int(SaveStep)>& InjectedFault() {
  static std::function<int(SaveStep)> fault;
  return fault;
}

// The error number a step fails with by injection; 0 when it is not made to fail.
int Injected(SaveStep step) { return InjectedFault() ? InjectedFault()(step) : 0; }

QString ErrorText(int number) { return QString::fromLocal8Bit(std::strerror(number)); }

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
  // Decided before opening: opening a named pipe would wait for a writer,
  // and a device such as /dev/zero never ends.
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    SetError(error, QStringLiteral("cannot read \"%1\": it is not a regular file").arg(path));
    return std::nullopt;
  }
  const QString tooLarge =
      QStringLiteral("cannot read \"%1\": it is larger than %2 bytes, more than a file of this "
                     "program can be")
          .arg(path)
          .arg(kMaxTextFileBytes);
  if (info.exists() && info.size() > kMaxTextFileBytes) {
    SetError(error, tooLarge);
    return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SetError(error, QStringLiteral("cannot open \"%1\": %2").arg(path, file.errorString()));
    return std::nullopt;
  }
  // At most one byte beyond the limit, should the file have grown since.
  const QByteArray bytes = file.read(kMaxTextFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    SetError(error, QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString()));
    return std::nullopt;
  }
  if (bytes.size() > kMaxTextFileBytes) {
    SetError(error, tooLarge);
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
  const auto notSaved = [&](const QString& reason) {
    SetError(error, QStringLiteral("\"%1\" was not saved: %2").arg(path, reason));
    return false;
  };

  // An existing target that is not a regular file is never renamed over:
  // that would put a regular file in the place of a device node.
  std::error_code code;
  const std::filesystem::file_status target =
      std::filesystem::status(QFile::encodeName(path).toStdString(), code);
  if (!code && std::filesystem::exists(target) && !std::filesystem::is_regular_file(target)) {
    if (!std::filesystem::is_character_file(target)) {
      return notSaved(QStringLiteral("it is not a regular file"));
    }
    QFile device(path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
      return notSaved(device.errorString());
    }
    if (device.write(bytes) != bytes.size() || device.error() != QFileDevice::NoError) {
      return notSaved(device.errorString());
    }
    device.close();
    if (device.error() != QFileDevice::NoError) return notSaved(device.errorString());
    return true;
  }

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return notSaved(file.errorString());
  // The file's buffer takes every write; a full disk shows only when the
  // buffer goes to the file, and commit() would rename a short file over the
  // target regardless. So every step is checked before the commit.
  const auto cancel = [&](const QString& reason) {
    file.cancelWriting();
    return notSaved(reason);
  };
  // A save cut short says how much of it reached the disk, and why when the
  // system said why.
  const auto cutShort = [&](const QString& why) {
    QString reason = QStringLiteral("only %1 of %2 bytes reached the disk")
                         .arg(std::max<qint64>(0, file.size()))
                         .arg(bytes.size());
    if (!why.isEmpty()) reason += QStringLiteral(" (%1)").arg(why);
    return cancel(reason);
  };
  errno = 0;
  if (file.write(bytes) != bytes.size() || !file.flush() ||
      file.error() != QFileDevice::NoError) {
    return cutShort(errno != 0 ? ErrorText(errno) : QString());
  }
  int fault = Injected(SaveStep::Sync);
#ifdef Q_OS_UNIX
  // Some file systems report a lack of space only when the data reach the disk.
  if (fault == 0 && ::fsync(file.handle()) != 0) fault = errno;
#endif
  if (fault != 0) return cancel(ErrorText(fault));
  if (file.size() != bytes.size()) return cutShort(QString());
  // A commit made to fail is one whose writing was cancelled: commit() then
  // refuses, as it does when the rename fails, and removes the temporary file.
  const int failed = Injected(SaveStep::Commit);
  if (failed != 0) file.cancelWriting();
  if (!file.commit()) return notSaved(failed != 0 ? ErrorText(failed) : file.errorString());
  return true;
}

SaveFaultInjection::SaveFaultInjection(std::function<int(SaveStep)> fault) {
  InjectedFault() = std::move(fault);
}

SaveFaultInjection::~SaveFaultInjection() { InjectedFault() = nullptr; }

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error) {
  QString encodeError;
  const std::optional<QByteArray> bytes = EncodeLines(lines, &encodeError);
  if (!bytes) {
    SetError(error, QStringLiteral("\"%1\" was not saved: %2").arg(path, encodeError));
    return false;
  }
  return WriteFileAtomically(path, *bytes, error);
}

}  // namespace potelan
