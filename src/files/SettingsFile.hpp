// The settings file "potelan.ini" in the folder that is current at start-up:
// Shift-JIS "key=value" lines with CR LF; the one key is "MaxStroke".
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "files/TextCodec.hpp"
#include "model/AppState.hpp"

namespace potelan {

inline const QString kSettingsFileName = QStringLiteral("potelan.ini");
inline const QString kMaxStrokeKey = QStringLiteral("MaxStroke");

// The settings file inside `folder`.
QString SettingsFilePath(const QString& folder);

enum class SettingsReadStatus {
  Read,        // the file was read; MaxStroke is its last valid line, or 0
  NotFound,    // no file: MaxStroke is the default 150
  Unreadable,  // the file exists but cannot be read: MaxStroke is 150
};

// What a reader of the settings file may want to tell: why an existing file
// could not be read, and every "MaxStroke" value that was passed over.
struct SettingsReport {
  QString Error;        // Unreadable: the reason, naming the file
  QStringList Ignored;  // one sentence per unusable "MaxStroke" line, naming line and value
};

// Sets AppFolder to `folder` and MaxStroke from the settings file there.
// A missing file gives 150; a file without a valid "MaxStroke" line gives 0.
// A line without "=", a value that is not a number, or a value whose rounded
// value (halves to even) lies outside 0..3276 is skipped; a later valid
// "MaxStroke" line overrides an earlier one. Nothing stops the program; with
// `report`, what was passed over is described there.
SettingsReadStatus ReadSettings(AppState& state, const QString& folder,
                                SettingsReport* report = nullptr);

// Replaces the settings file in `folder` with the single line
// "MaxStroke=<n>". A value outside 0..3276 is refused; a failed write leaves
// the previous file untouched.
WriteResult WriteSettings(const QString& folder, std::int16_t maxStroke);

// The entry of the initial-settings dialog: an integer 0..3276 written in
// ASCII digits, blanks around it allowed. Anything else gives nothing.
std::optional<std::int16_t> ParseMaxStrokeEntry(const QString& text);

}  // namespace potelan
