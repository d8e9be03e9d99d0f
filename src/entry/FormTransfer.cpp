#include "entry/FormTransfer.hpp"

#include <stdexcept>
#include <string>
#include <utility>

#include "entry/BoxNames.hpp"
#include "model/NumberFormat.hpp"

namespace potelan {

namespace {

constexpr char kLengthPattern[] = "###.##";
constexpr char kSpringPattern[] = "##.#";
constexpr char kPivotPattern[] = "#0.#";

void CheckSet(int set, const char* operation) {
  if (set < 0 || set >= kSetCount) {
    throw std::out_of_range(std::string(operation) + ": configuration set must be 0..7");
  }
}

// Every character must sort at or before "9": digits, the decimal point,
// signs, comma and blank pass; letters, full-width characters and the ASCII
// signs from the colon upward do not.
bool PassesCharacterTest(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > u'9') return false;
  }
  return true;
}

float MarkBad(AppState& state, EntryForm& form, const QString& box) {
  form.SetBoxBackground(box, BoxColour::Red);
  state.LinkFailed = true;
  return 0.0f;
}

// Reads a box into a value of the set when the window has that box.
void ReadInto(AppState& state, EntryForm& form, const QString& box, double& value) {
  if (!form.HasBox(box)) return;
  value = static_cast<double>(ReadNumberBox(state, form, box));
}

void WriteBox(EntryForm& form, const QString& box, double value, const char* pattern) {
  if (!form.HasBox(box)) return;
  form.SetBoxText(box, QString::fromStdString(FormatNumber(value, pattern)));
}

void ShowBox(EntryForm& form, const QString& box, bool shown) {
  if (form.HasBox(box)) form.SetBoxShown(box, shown);
}

void FrontBox(EntryForm& form, const QString& box) {
  if (form.HasBox(box)) form.BringBoxToFront(box);
}

bool IsInputForm(const EntryForm& form) {
  return !form.FormName().contains(QStringLiteral("Type"), Qt::CaseSensitive);
}

}  // namespace

NumberText CheckNumberText(const QString& text) {
  if (text.isEmpty()) return NumberText::Empty;
  if (!PassesCharacterTest(text)) return NumberText::NotANumber;
  if (text == QStringLiteral(".")) return NumberText::Number;
  // Only ASCII is left after the character test.
  return ParseSingle(text.toStdString()) ? NumberText::Number : NumberText::NotANumber;
}

float ReadNumberBox(AppState& state, EntryForm& form, const QString& box) {
  if (!form.HasBox(box)) {
    state.LinkFailed = true;
    return 0.0f;
  }
  const QString text = form.BoxText(box);
  if (CheckNumberText(text) != NumberText::Number) return MarkBad(state, form, box);
  if (text == QStringLiteral(".")) {
    form.SetBoxText(box, QStringLiteral("0"));
    return 0.0f;
  }
  return *ParseSingle(text.toStdString());
}

std::int16_t PositionFromLabel(const QString& caption) {
  const std::optional<double> value = ParseDecimal(caption.mid(3).toStdString());
  if (!value) return 0;
  return RoundToInt16(*value).value_or(0);
}

bool ReadFormToSet(AppState& state, EntryForm& form, int set) {
  CheckSet(set, "ReadFormToSet");
  // The boxes' verdict is returned, not left behind in the shared flag.
  const bool flagged = std::exchange(state.LinkFailed, false);
  ConfigSet& s = state.Set[set];

  if (state.Mode == EditMode::Base) {
    const ConfigSet& base = state.Set[kBaseSet];
    s.SusPos = base.SusPos;
    s.SusType = base.SusType;
    s.PivotMoveX = base.PivotMoveX;
    s.PivotMoveY = base.PivotMoveY;
  } else {
    if (form.HasTypeList()) s.SusType = static_cast<std::int16_t>(form.TypeIndex() + 2);
    ReadInto(state, form, box::PivotX, s.PivotMoveX);
    ReadInto(state, form, box::PivotY, s.PivotMoveY);
    if (IsInputForm(form) && form.HasPositionLabel()) {
      s.SusPos = PositionFromLabel(form.PositionLabel());
    }
  }

  const int t = s.SusType;
  if (t > 4) {
    ReadInto(state, form, box::SusUpLength, s.SusUpLength);
    ReadInto(state, form, box::SusUpOffset, s.SusUpOffset);
  } else {
    ReadInto(state, form, box::SusUpX, s.SusUpX);
    ReadInto(state, form, box::SusUpY, s.SusUpY);
  }
  ReadInto(state, form, box::ForkLength, s.ForkLength);
  ReadInto(state, form, box::ForkLinkLength, s.ForkLinkLength);
  ReadInto(state, form, box::ForkLinkOffset, s.ForkLinkOffset);
  ReadInto(state, form, box::AxleStartPos, s.AxleStartPos);
  ReadInto(state, form, box::Spring, s.SpringRate);
  ReadInto(state, form, box::Preload, s.Preload);
  if (t >= 3) {
    ReadInto(state, form, box::FrameLinkX, s.FrameLinkX);
    ReadInto(state, form, box::FrameLinkY, s.FrameLinkY);
    ReadInto(state, form, box::LinkUp, s.LinkUp);
    ReadInto(state, form, box::LinkFr, s.LinkFr);
    ReadInto(state, form, box::LinkRr, s.LinkRr);
    ReadInto(state, form, box::TenRod, s.TenRodLength);
  }
  return !std::exchange(state.LinkFailed, flagged);
}

void WriteSetToForm(const AppState& state, EntryForm& form, int set) {
  CheckSet(set, "WriteSetToForm");
  const ConfigSet& s = state.Set[set];
  const int t = s.SusType;

  // The two shock-mount pairs share one place on the window.
  if (t > 4) {
    ShowBox(form, box::SusUpX, false);
    ShowBox(form, box::SusUpY, false);
    ShowBox(form, box::SusUpLength, true);
    ShowBox(form, box::SusUpOffset, true);
    FrontBox(form, box::SusUpLength);
    FrontBox(form, box::SusUpOffset);
    WriteBox(form, box::SusUpLength, s.SusUpLength, kLengthPattern);
    WriteBox(form, box::SusUpOffset, s.SusUpOffset, kLengthPattern);
  } else {
    ShowBox(form, box::SusUpLength, false);
    ShowBox(form, box::SusUpOffset, false);
    ShowBox(form, box::SusUpX, true);
    ShowBox(form, box::SusUpY, true);
    FrontBox(form, box::SusUpX);
    FrontBox(form, box::SusUpY);
    WriteBox(form, box::SusUpX, s.SusUpX, kLengthPattern);
    WriteBox(form, box::SusUpY, s.SusUpY, kLengthPattern);
  }

  WriteBox(form, box::ForkLength, s.ForkLength, kLengthPattern);
  WriteBox(form, box::ForkLinkLength, s.ForkLinkLength, kLengthPattern);
  WriteBox(form, box::ForkLinkOffset, s.ForkLinkOffset, kLengthPattern);
  WriteBox(form, box::AxleStartPos, s.AxleStartPos, kLengthPattern);
  WriteBox(form, box::Spring, s.SpringRate, kSpringPattern);
  WriteBox(form, box::Preload, s.Preload, kSpringPattern);

  if (t > 2) {
    WriteBox(form, box::FrameLinkX, s.FrameLinkX, kLengthPattern);
    WriteBox(form, box::FrameLinkY, s.FrameLinkY, kLengthPattern);
    WriteBox(form, box::LinkUp, s.LinkUp, kLengthPattern);
    WriteBox(form, box::LinkFr, s.LinkFr, kLengthPattern);
    WriteBox(form, box::LinkRr, s.LinkRr, kLengthPattern);
    WriteBox(form, box::TenRod, s.TenRodLength, kLengthPattern);
  }

  // A set without a valid type selects nothing in the list.
  if (form.HasTypeList()) form.SetTypeIndex(t >= 2 && t <= 6 ? t - 2 : -1);

  WriteBox(form, box::PivotX, s.PivotMoveX, kPivotPattern);
  WriteBox(form, box::PivotY, s.PivotMoveY, kPivotPattern);
}

}  // namespace potelan
