// Text files at the edge of the program: inside, all text is QString; on
// disk it is Shift-JIS with CR LF line ends. Reading also accepts UTF-8
// (with or without a byte-order mark) and lone LF line ends. Reading takes
// only regular files of a sensible size, so a device or a named pipe can
// neither hang the program nor fill its memory. Writing goes through a
// temporary file that replaces the target only when every byte is known to
// be on disk, so a failed save never destroys the previous file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace potelan {

// Outcome of writing a file: success, or a sentence saying what went wrong.
struct WriteResult {
  bool Ok = false;
  QString Error;
  explicit operator bool() const { return Ok; }
};

// Decodes the bytes of a text file: UTF-8 after a UTF-8 byte-order mark,
// UTF-8 when the bytes are valid UTF-8, Shift-JIS otherwise (bytes that are
// not Shift-JIS either become replacement characters). Nothing only when the
// platform has no Shift-JIS converter.
std::optional<QString> DecodeText(const QByteArray& bytes);

// Splits text into lines at CR LF or a lone LF. A final line end does not
// make an extra empty line; an empty text has no lines.
QStringList SplitLines(const QString& text);

// The largest text file the program reads: far above any link or settings
// file, far below what could strain memory.
inline constexpr qint64 kMaxTextFileBytes = 1 << 20;

// Reads a text file into lines. A path that is not a regular file (a
// device, a named pipe, a folder) or a file larger than kMaxTextFileBytes is
// refused at once, without reading. On failure gives nothing and, when
// `error` is given, a sentence naming the file and saying why.
std::optional<QStringList> ReadTextLines(const QString& path, QString* error = nullptr);

// Encodes text as Shift-JIS. A character that Shift-JIS cannot hold gives
// nothing and an error naming the character; nothing is ever replaced by "?".
std::optional<QByteArray> EncodeShiftJis(const QString& text, QString* error = nullptr);

// Number of Shift-JIS bytes of one character (a code point given as text);
// nothing when the character cannot be encoded.
std::optional<int> ShiftJisByteCount(const QString& character);

// Encodes lines as Shift-JIS, each followed by CR LF. A line that holds a CR
// or LF of its own, or a character Shift-JIS cannot hold, gives nothing and
// an error naming the line.
std::optional<QByteArray> EncodeLines(const QStringList& lines, QString* error = nullptr);

// Writes bytes to `path`, creating or replacing the file, through a temporary
// file in the same folder that is renamed over the target only after every
// byte was written, flushed and synced without an error. On failure the
// previous file is byte for byte what it was, no temporary file is left, and
// the error names the file and says that it was not saved. An existing
// target that is not a regular file is never replaced: a character device
// (/dev/null, a terminal) is written in place with every write checked, and
// anything else (a folder, a named pipe) is refused.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The steps of WriteFileAtomically that reach the disk: the data synced to it
// and the temporary file put in the target's place.
enum class SaveStep { Sync, Commit };

// A seam for tests: while an object of this class lives, `fault` is asked
// before each step of every save, and an error number it gives (such as EIO)
// makes that step fail with it, as the system would. Not for concurrent saves.
class SaveFaultInjection {
 public:
  explicit SaveFaultInjection(std::function<int(SaveStep)> fault);
  ~SaveFaultInjection();
  SaveFaultInjection(const SaveFaultInjection&) = delete;
  SaveFaultInjection& operator=(const SaveFaultInjection&) = delete;
};

// EncodeLines followed by WriteFileAtomically; nothing is written when the
// lines cannot be encoded.
bool WriteTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace potelan
