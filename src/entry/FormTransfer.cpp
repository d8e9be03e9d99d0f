#include "entry/FormTransfer.hpp"

#include <span>
#include <stdexcept>
#include <string>

#include "entry/BoxNames.hpp"
#include "model/Dimensions.hpp"
#include "model/NumberFormat.hpp"

namespace potelan {

namespace {

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

// Reads a value's box into the set when the window has that box.
void ReadInto(AppState& state, EntryForm& form, Dimension d, ConfigSet& s) {
  const QString box = DimensionBox(d);
  if (!form.HasBox(box)) return;
  SetValue(s, d, static_cast<double>(ReadNumberBox(state, form, box)));
}

// Writes a value of the set into its box with the box's pattern.
void WriteBox(EntryForm& form, Dimension d, const ConfigSet& s) {
  const QString box = DimensionBox(d);
  if (!form.HasBox(box)) return;
  form.SetBoxText(box, QString::fromStdString(FormatNumber(ValueOf(s, d), InfoOf(d).Pattern)));
}

// The sixteen dimensions of a link type, in the order of the transfer.
std::span<const DimensionInfo, kTypeDimensionCount> TypeDimensions() {
  return DimensionTable().first<kTypeDimensionCount>();
}

bool IsShockMount(Dimension d) { return InfoOf(d).Group == DimensionGroup::ShockMount; }

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

void ReadFormToSet(AppState& state, EntryForm& form, int set) {
  CheckSet(set, "ReadFormToSet");
  ConfigSet& s = state.Set[set];

  if (state.Mode == EditMode::Base) {
    const ConfigSet& base = state.Set[kBaseSet];
    s.SusPos = base.SusPos;
    s.SusType = base.SusType;
    s.PivotMoveX = base.PivotMoveX;
    s.PivotMoveY = base.PivotMoveY;
  } else {
    if (form.HasTypeList()) s.SusType = static_cast<std::int16_t>(form.TypeIndex() + 2);
    for (const DimensionInfo& row : DimensionTable()) {
      if (row.Group == DimensionGroup::PivotMove) ReadInto(state, form, row.Dim, s);
    }
    if (IsInputForm(form) && form.HasPositionLabel()) {
      s.SusPos = PositionFromLabel(form.PositionLabel());
    }
  }

  // The shock mount pair of the type, then every other dimension it has.
  for (const DimensionInfo& row : TypeDimensions()) {
    if (Carries(row.Dim, s.SusType)) ReadInto(state, form, row.Dim, s);
  }
}

void WriteSetToForm(const AppState& state, EntryForm& form, int set) {
  CheckSet(set, "WriteSetToForm");
  const ConfigSet& s = state.Set[set];
  const int t = s.SusType;

  // The two shock-mount pairs share one place on the window: the type's
  // pair is shown in front of the other.
  for (const bool own : {false, true}) {
    for (const DimensionInfo& row : TypeDimensions()) {
      const QString box = DimensionBox(row.Dim);
      if (!IsShockMount(row.Dim) || Carries(row.Dim, t) != own || !form.HasBox(box)) continue;
      form.SetBoxShown(box, own);
      if (own) form.BringBoxToFront(box);
    }
  }
  for (const DimensionInfo& row : TypeDimensions()) {
    if (Carries(row.Dim, t)) WriteBox(form, row.Dim, s);
  }

  // A set without a valid type selects nothing in the list.
  if (form.HasTypeList()) form.SetTypeIndex(t >= 2 && t <= 6 ? t - 2 : -1);

  for (const DimensionInfo& row : DimensionTable()) {
    if (row.Group == DimensionGroup::PivotMove) WriteBox(form, row.Dim, s);
  }
}

}  // namespace potelan
