#include "files/LinkFile.hpp"

#include <QDir>
#include <stdexcept>
#include <vector>

#include "entry/BoxNames.hpp"
#include "model/NumberFormat.hpp"

namespace potelan {

namespace {

const QString kTypeKey = QStringLiteral("SUSTYPE");
const QString kPositionKey = QStringLiteral("SUSPOS");

// The value lines, in the order they are written.
const std::vector<Dimension>& FileLines() {
  static const std::vector<Dimension> lines = FileDimensions();
  return lines;
}

QString KeyOf(Dimension d) { return TableText(FileKey(d)); }

// A dimension's value text as a number. The boxes write zero as the
// decimal point alone ("###.##"), and a file is written from the boxes, so
// that text reads as 0 here too, as it does in a box.
std::optional<float> DimensionNumber(const QString& value) {
  if (value.trimmed() == QStringLiteral(".")) return 0.0f;
  return ParseSingle(value.toStdString());
}

std::optional<Dimension> FindDimension(const QString& key) {
  for (const Dimension d : FileLines()) {
    if (KeyOf(d) == key) return d;
  }
  return std::nullopt;
}

bool IsPivot(Dimension d) { return InfoOf(d).Group == DimensionGroup::PivotMove; }

bool IsInputForm(const EntryForm& form) {
  return !form.FormName().contains(QStringLiteral("Type"), Qt::CaseSensitive);
}

void SetError(QString* error, const QString& text) {
  if (error != nullptr) *error = text;
}

// One applied line of a file being read.
struct ReadStep {
  enum class Kind { Type, Position, Dimension } What;
  std::int16_t Integer = 0;
  double Number = 0;
  QString Text;
  Dimension Value = Dimension::ForkLength;
  bool BoxMissing = false;  // the value reaches the set, then reading ends
};

void MarkAbsentMembers(ConfigSet& s) {
  if (s.SusType >= 3) return;
  for (const DimensionInfo& row : DimensionTable()) {
    if (IsLinkMember(row.Dim)) s.*row.Member = kAbsentMember;
  }
}

}  // namespace

std::optional<QStringList> LinkFileLines(const AppState& state, const EntryForm& form, int set,
                                         QString* error) {
  if (set < 0 || set >= kSetCount) {
    SetError(error, QStringLiteral("configuration set %1 does not exist").arg(set));
    return std::nullopt;
  }
  const ConfigSet& s = state.Set[set];
  const int t = s.SusType;
  if (t < 2 || t > 6) {
    SetError(error,
             QStringLiteral("configuration set %1 has no link type (SUSTYPE %2)").arg(set).arg(t));
    return std::nullopt;
  }

  QStringList lines;
  lines << kTypeKey + QLatin1Char('=') + QString::number(t);
  lines << kPositionKey + QLatin1Char('=') + QString::number(s.SusPos);
  for (const Dimension d : FileLines()) {
    if (!Carries(d, t)) continue;
    const QString box = DimensionBox(d);
    QString text;
    if (form.HasBox(box)) {
      text = form.BoxText(box);
    } else if (IsPivot(d)) {
      // The base forms have no pivot entry: the set's move as the box would show it.
      text = QString::fromStdString(FormatNumber(ValueOf(s, d), InfoOf(d).Pattern));
    } else {
      SetError(error,
               QStringLiteral("%1 has no box %2 for Type %3").arg(form.FormName(), box).arg(t));
      return std::nullopt;
    }
    // A text that is there but is no number would end the reading of the
    // file at this line, losing every later value: such a file is not
    // written. (An empty box is written empty.)
    if (!text.isEmpty() && !DimensionNumber(text)) {
      SetError(error, QStringLiteral("box %1 holds \"%2\", which is not a number").arg(box, text));
      return std::nullopt;
    }
    lines << KeyOf(d) + QLatin1Char('=') + text;
  }
  return lines;
}

std::optional<QString> LinkFileText(const AppState& state, const EntryForm& form, int set,
                                    QString* error) {
  const std::optional<QStringList> lines = LinkFileLines(state, form, set, error);
  if (!lines) return std::nullopt;
  QString text;
  for (const QString& line : *lines) text += line + QStringLiteral("\r\n");
  return text;
}

WriteResult WriteLinkFile(const AppState& state, const EntryForm& form, const QString& path,
                          int set) {
  WriteResult result;
  QString error;
  const std::optional<QStringList> lines = LinkFileLines(state, form, set, &error);
  if (!lines) {
    result.Error = QStringLiteral("\"%1\" was not saved: %2").arg(path, error);
    return result;
  }
  result.Ok = WriteTextLines(path, *lines, &result.Error);
  return result;
}

LinkReadResult ReadLinkFile(AppState& state, EntryForm& form, const QString& path, int set) {
  if (set < 0 || set >= kSetCount) {
    throw std::out_of_range("ReadLinkFile: configuration set must be 0..7");
  }
  LinkReadResult result;
  const std::optional<QStringList> lines = ReadTextLines(path, &result.Error);
  if (!lines) {
    result.Status = LinkReadStatus::CannotOpen;
    MarkAbsentMembers(state.Set[set]);
    return result;
  }
  return ReadLinkLines(state, form, *lines, set);
}

LinkReadResult ReadLinkLines(AppState& state, EntryForm& form, const QStringList& lines,
                             int set) {
  if (set < 0 || set >= kSetCount) {
    throw std::out_of_range("ReadLinkLines: configuration set must be 0..7");
  }
  ConfigSet& s = state.Set[set];
  LinkReadResult result;

  // First decide which lines apply and where reading ends, so that a type
  // mismatch of the base set is found before anything has changed.
  std::vector<ReadStep> steps;
  int stopLine = 0;
  LinkLineProblem problem = LinkLineProblem::None;
  for (qsizetype i = 0; i < lines.size() && stopLine == 0; ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    const QString& line = lines.at(i);
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) {
      stopLine = lineNumber;
      problem = LinkLineProblem::NotKeyValue;
      break;
    }
    const QString key = line.left(equals);
    const QString value = line.mid(equals + 1);
    const std::string valueText = value.toStdString();

    if (key == kTypeKey) {
      const std::optional<double> number = ParseDecimal(valueText);
      const std::optional<std::int16_t> type = number ? RoundToInt16(*number) : std::nullopt;
      if (!type) {
        stopLine = lineNumber;
        problem = LinkLineProblem::NotANumber;
      } else if (set == kBaseSet) {
        if (*type != s.SusType) {
          result.Status = LinkReadStatus::TypeMismatch;
          result.Line = lineNumber;
          return result;
        }
      } else if (*type < 2 || *type > 6) {
        stopLine = lineNumber;  // the type list has no such entry
        problem = LinkLineProblem::TypeNotOffered;
      } else {
        steps.push_back({ReadStep::Kind::Type, *type, 0, value, {}, false});
      }
    } else if (key == kPositionKey) {
      const std::optional<float> number = ParseSingle(valueText);
      const std::optional<std::int16_t> position = number ? RoundToInt16(*number) : std::nullopt;
      if (!position) {
        stopLine = lineNumber;
        problem = LinkLineProblem::NotANumber;
      } else {
        steps.push_back({ReadStep::Kind::Position, *position, 0, value, {}, false});
      }
    } else if (const std::optional<Dimension> d = FindDimension(key)) {
      const std::optional<float> number = DimensionNumber(value);
      if (!number) {
        stopLine = lineNumber;
        problem = LinkLineProblem::NotANumber;
      } else {
        const bool missing = !form.HasBox(DimensionBox(*d));
        steps.push_back(
            {ReadStep::Kind::Dimension, 0, static_cast<double>(*number), value, *d, missing});
        // The base forms have no pivot boxes, yet a file written from them
        // carries the set's pivot move: it goes into the set and reading
        // goes on, so no later line is lost.
        if (missing && !IsPivot(*d)) {
          stopLine = lineNumber;
          problem = LinkLineProblem::NoBox;
        }
      }
    }
    // Any other key: the line is ignored.
  }

  for (const ReadStep& step : steps) {
    switch (step.What) {
      case ReadStep::Kind::Type:
        s.SusType = step.Integer;
        if (form.HasTypeList()) form.SetTypeIndex(step.Integer - 2);
        break;
      case ReadStep::Kind::Position:
        s.SusPos = step.Integer;
        if (IsInputForm(form) && form.HasPositionLabel()) {
          form.SetPositionLabel(QStringLiteral(" P ") + step.Text);
        }
        break;
      case ReadStep::Kind::Dimension:
        SetValue(s, step.Value, step.Number);
        if (!step.BoxMissing) form.SetBoxText(DimensionBox(step.Value), step.Text);
        break;
    }
  }

  MarkAbsentMembers(s);
  if (stopLine != 0) {
    result.Status = LinkReadStatus::StoppedAtLine;
    result.Line = stopLine;
    result.Problem = problem;
    result.Text = lines.at(stopLine - 1);
  }
  return result;
}

bool IsLinkFileLine(const QString& line) {
  const qsizetype equals = line.indexOf(QLatin1Char('='));
  if (equals < 0) return false;
  const QString key = line.left(equals);
  return key == kTypeKey || key == kPositionKey || FindDimension(key).has_value();
}

QString LinkFileKey(const QString& boxName) {
  for (const Dimension d : FileLines()) {
    if (DimensionBox(d) == boxName) return KeyOf(d);
  }
  return {};
}

QString LinkFileFolder(const std::string& appFolder) {
  const QString start = QString::fromStdString(appFolder);
  const QString links = start + QStringLiteral("/dat");
  return QDir(links).exists() ? links : start;
}

}  // namespace potelan
