#include "model/Dimensions.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "model/NumberFormat.hpp"
#include "model/Translatable.hpp"

namespace potelan {
namespace {

constexpr std::int16_t kLow = std::numeric_limits<std::int16_t>::min();
constexpr std::int16_t kHigh = std::numeric_limits<std::int16_t>::max();

constexpr std::string_view kLength = "###.##";
constexpr std::string_view kSpring = "##.#";
constexpr std::string_view kPivot = "#0.#";

constexpr FitBoundsRule kLengthFit{20, 0, false};
constexpr FitBoundsRule kRateFit{1, 0.2, true};
constexpr FitBoundsRule kPreloadFit{10, 0, true};
constexpr FitBoundsRule kNoFit{0, 0, false};

using TypePoints = std::array<std::string_view, 5>;
constexpr TypePoints Same(std::string_view points) {
  return {points, points, points, points, points};
}
// The link plate turns about B on the arm in Types 3 and 5, about D on the
// frame in Types 4 and 6, which renames its sides.
constexpr TypePoints Plate(std::string_view onArm, std::string_view onFrame) {
  return {"", onArm, onFrame, onArm, onFrame};
}

using enum Dimension;
using G = DimensionGroup;

// Columns: dimension, group, key, member, first and last type, box, caption,
// base-form caption, points, file key, CSV name, unit, pattern, fit bounds,
// spin, spin step, spin sign; rows on the base forms, the change-input form,
// in the link file and in the CSV file.
// clang-format off
constexpr std::array<DimensionInfo, kDimensionCount> kTable{{
    {SusUpX, G::ShockMount, "SusUpX", &ConfigSet::SusUpX, kLow, 4, "Sus_Up_X_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "サス上部取付位置Ｘ座標"), "", Same("Ex"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "サス上部取付Ｘ座標"), "", "mm", kLength, kLengthFit,
     "Spin_Ex", 0, 1, 0, 0, 0, 0},
    {SusUpY, G::ShockMount, "SusUpY", &ConfigSet::SusUpY, kLow, 4, "Sus_Up_Y_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "サス上部取付位置Ｙ座標"), "", Same("Ey"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "サス上部取付Ｙ座標"), "", "mm", kLength, kLengthFit,
     "Spin_Ey", 0, -1, 1, 2, 1, 1},
    {SusUpLength, G::ShockMount, "SusUpLength", &ConfigSet::SusUpLength, 5, kHigh,
     "Sus_Up_Length_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "サス上部取付長"), "", Same("OJ"), "",
     "", "mm", kLength, kLengthFit, "Spin_Ex", 0, 1, 2, 1, 2, -1},
    {SusUpOffset, G::ShockMount, "SusUpOffset", &ConfigSet::SusUpOffset, 5, kHigh,
     "Sus_Up_Offset_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "サス上部取付オフセット"), "", Same("EJ"),
     "", "", "mm", kLength, kLengthFit, "Spin_Ey", 0, -1, 3, 3, 3, -1},
    {ForkLength, G::Arm, "ForkLength", &ConfigSet::ForkLength, kLow, kHigh, "Fork_Length_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "リアフォーク長"), "", Same("OG"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フォーク長"), "", "mm", kLength, kLengthFit,
     "Spin_Fork_Length", 1.0, 1, 10, 12, 6, 4},
    {ForkLinkLength, G::ForkLink, "ForkLinkLength", &ConfigSet::ForkLinkLength, kLow, kHigh,
     "Fork_Link_Length_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "フォークリンク取付位置"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "サスリンク取り付け長"), Same("OF"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フォークリンク取付長"), "", "mm", kLength, kLengthFit,
     "Spin_Fork_Link", 1.0, 1, 11, 6, 4, 5},
    // Type 2 carries the shock itself at A on the bracket FA; the other
    // types carry the link at B on the bracket FB.
    {ForkLinkOffset, G::ForkLink, "ForkLinkOffset", &ConfigSet::ForkLinkOffset, kLow, kHigh,
     "Fork_Link_Offset_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "リンク取付オフセット量"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "サス取り付けオフセット"), {"AF", "BF", "BF", "BF", "BF"},
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フォークリンクオフセット"), "", "mm", kLength, kLengthFit,
     "Spin_Link_Offset", 0, -1, 12, 7, 5, 6},
    {AxleStartPos, G::Arm, "AxleStartPos", &ConfigSet::AxleStartPos, kLow, kHigh,
     "Axle_Start_Pos_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "リアアクスル初期位置"), "", Same("GH"),
     "", "", "mm", kLength, kLengthFit, "Spin_Axle_Start_Pos", 0, -1, 13, 13, 7, 11},
    {SpringRate, G::Spring, "SpringRate", &ConfigSet::SpringRate, kLow, kHigh, "Spring_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "スプリングレート"), "", Same(""), "", "", "kgf/mm", kSpring,
     kRateFit, "Spin_Spring", 0.1, 1, 14, 14, 8, 12},
    {Preload, G::Spring, "Preload", &ConfigSet::Preload, kLow, kHigh, "Preload_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "プリロード"), "", Same(""), "",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "イニシャル"), "mm", kSpring, kPreloadFit, "Spin_Preload",
     0, 1, 15, 15, 9, 13},
    {FrameLinkX, G::FrameLink, "FrameLinkX", &ConfigSet::FrameLinkX, 3, kHigh, "Frame_Link_X_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フレーム側リンク取付位置Ｘ座標"), "", Same("Dx"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フレーム側リンク取付Ｘ座標"), "", "mm", kLength, kLengthFit,
     "Spin_Dx", 0, 1, 8, 4, 10, 2},
    {FrameLinkY, G::FrameLink, "FrameLinkY", &ConfigSet::FrameLinkY, 3, kHigh, "Frame_Link_Y_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フレーム側リンク取付位置Ｙ座標"), "", Same("Dy"),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "フレーム側リンク取付Ｙ座標"), "", "mm", kLength, kLengthFit,
     "Spin_Dy", 0, -1, 9, 5, 11, 3},
    {LinkUp, G::LinkPlate, "LinkUp", &ConfigSet::LinkUp, 3, kHigh, "Link_Up_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "リンクプレート上辺"), "", Plate("AB", "AD"), "", "", "mm",
     kLength, kLengthFit, "Spin_Link_Up", 0, 1, 4, 8, 12, 7},
    {LinkFr, G::LinkPlate, "LinkFr", &ConfigSet::LinkFr, 3, kHigh, "Link_Fr_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "リンクプレート前辺"), "", Plate("AC", "CD"), "", "", "mm",
     kLength, kLengthFit, "Spin_Link_Fr", 0, 1, 5, 9, 13, 8},
    {LinkRr, G::LinkPlate, "LinkRr", &ConfigSet::LinkRr, 3, kHigh, "Link_Rr_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "リンクプレート後辺"), "", Plate("BC", "AC"), "", "", "mm",
     kLength, kLengthFit, "Spin_Link_Rr", 0, 1, 6, 10, 14, 9},
    {TenRodLength, G::LinkPlate, "TenRodLength", &ConfigSet::TenRodLength, 3, kHigh, "Ten_Rod_Text",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "テンションロッド長"), "", Plate("CD", "BC"), "", "", "mm",
     kLength, kLengthFit, "Spin_Ten_Rod", 0, 1, 7, 11, 15, 10},
    // Moving the pivot also shifts the frame-fixed points the opposite way;
    // the change-input form does that beside the step.
    {PivotMoveX, G::PivotMove, "PivotMoveX", &ConfigSet::PivotMoveX, kLow, kHigh, "Text_Pivot_x",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "ピボットＸ座標"), "", Same(""),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "ピボット移動Ｘ"), "", "mm", kPivot, kNoFit, "Spin_Pivot_x",
     0, 1, -1, 16, 16, -1},
    {PivotMoveY, G::PivotMove, "PivotMoveY", &ConfigSet::PivotMoveY, kLow, kHigh, "Text_Pivot_y",
     QT_TRANSLATE_NOOP("potelan::Dimensions", "ピボットＹ座標"), "", Same(""),
     QT_TRANSLATE_NOOP("potelan::Dimensions", "ピボット移動Ｙ"), "", "mm", kPivot, kNoFit, "Spin_Pivot_y",
     0, -1, -1, 17, 17, -1},
    {RebSpringRate, G::ReboundSpring, "RebSpringRate", &ConfigSet::RebSpringRate, kLow, kHigh,
     "Reb_Spring_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "リバウンドスプリングレート"), "", Same(""), "",
     "", "kgf/mm", "", kNoFit, "Spin_Reb_Spring", 0.1, 1, -1, 18, -1, -1},
    {RebSpringLength, G::ReboundSpring, "RebSpringLength", &ConfigSet::RebSpringLength, kLow, kHigh,
     "Reb_Spring_Length_Text", QT_TRANSLATE_NOOP("potelan::Dimensions", "リバウンドスプリング長"), "",
     Same(""), "", "", "mm", "", kNoFit, "Spin_Reb_Spring_Length", 0.1, 1, -1, 19, -1, -1},
}};
// clang-format on

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < kTable.size(); ++i) {
    if (static_cast<std::size_t>(kTable[i].Dim) != i) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "the table is indexed by Dimension");

// The rows that have a place in an order, sorted by it.
std::vector<Dimension> InOrder(int DimensionInfo::*place) {
  std::vector<const DimensionInfo*> rows;
  for (const DimensionInfo& row : kTable) {
    if (row.*place >= 0) rows.push_back(&row);
  }
  std::sort(rows.begin(), rows.end(), [place](const DimensionInfo* a, const DimensionInfo* b) {
    return a->*place < b->*place;
  });
  std::vector<Dimension> dims;
  dims.reserve(rows.size());
  for (const DimensionInfo* row : rows) dims.push_back(row->Dim);
  return dims;
}

bool ValidType(int susType) { return susType >= 2 && susType <= 6; }

}  // namespace

std::span<const DimensionInfo, kDimensionCount> DimensionTable() { return kTable; }

const DimensionInfo& InfoOf(Dimension d) { return kTable[static_cast<std::size_t>(d)]; }

bool IsTypeDimension(Dimension d) { return static_cast<std::size_t>(d) < kTypeDimensionCount; }

bool IsLinkMember(Dimension d) {
  const DimensionGroup g = InfoOf(d).Group;
  return g == DimensionGroup::LinkPlate || g == DimensionGroup::FrameLink;
}

bool IsSpringValue(Dimension d) { return InfoOf(d).Group == DimensionGroup::Spring; }

bool Carries(Dimension d, int susType) {
  const DimensionInfo& row = InfoOf(d);
  return susType >= row.FirstType && susType <= row.LastType;
}

bool TypeUses(int susType, Dimension d) {
  return ValidType(susType) && IsTypeDimension(d) && Carries(d, susType);
}

std::vector<Dimension> DimensionsOfType(int susType) {
  if (!ValidType(susType)) return {};
  std::vector<Dimension> dims = InOrder(&DimensionInfo::FileRow);
  std::erase_if(dims, [susType](Dimension d) { return !TypeUses(susType, d); });
  return dims;
}

std::vector<Dimension> FormDimensions(int susType) {
  if (!ValidType(susType)) return {};
  std::vector<Dimension> dims = InOrder(&DimensionInfo::FormRow);
  std::erase_if(dims, [susType](Dimension d) { return !TypeUses(susType, d); });
  return dims;
}

std::vector<Dimension> InputFormDimensions() { return InOrder(&DimensionInfo::InputRow); }

std::vector<Dimension> FileDimensions() { return InOrder(&DimensionInfo::FileRow); }

std::vector<Dimension> CsvDimensions() { return InOrder(&DimensionInfo::CsvRow); }

std::string_view JsonName(Dimension d) { return InfoOf(d).Key; }

std::optional<Dimension> DimensionFromJsonName(std::string_view name) {
  for (const DimensionInfo& row : kTable) {
    if (IsTypeDimension(row.Dim) && row.Key == name) return row.Dim;
  }
  return std::nullopt;
}

std::string_view BaseCaption(Dimension d) {
  const DimensionInfo& row = InfoOf(d);
  return row.BaseCaption.empty() ? row.Caption : row.BaseCaption;
}

std::string_view Points(Dimension d, int susType) {
  return ValidType(susType) ? InfoOf(d).Points[static_cast<std::size_t>(susType - 2)]
                            : std::string_view();
}

std::string_view FileKey(Dimension d) {
  const DimensionInfo& row = InfoOf(d);
  return row.FileKey.empty() ? row.Caption : row.FileKey;
}

std::string_view CsvName(Dimension d) {
  const DimensionInfo& row = InfoOf(d);
  return row.CsvName.empty() ? FileKey(d) : row.CsvName;
}

double ValueOf(const ConfigSet& set, Dimension d) { return set.*(InfoOf(d).Member); }

void SetValue(ConfigSet& set, Dimension d, double value) { set.*(InfoOf(d).Member) = value; }

int EntryDecimals(Dimension d) {
  const std::string_view pattern = InfoOf(d).Pattern;
  const std::size_t point = pattern.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

double EntryStep(Dimension d) {
  switch (EntryDecimals(d)) {
    case 0:
      return 1.0;
    case 1:
      return 0.1;
    default:
      return 0.01;
  }
}

double RoundToEntry(Dimension d, double value) {
  const std::string text = FormatNumber(value, InfoOf(d).Pattern);
  // A value that rounds to zero is written as the decimal point alone, which
  // the form reads as 0.
  const std::optional<float> read = ParseSingle(text);
  return read ? static_cast<double>(*read) : 0.0;
}

Bounds DefaultBounds(Dimension d, double current) {
  const FitBoundsRule& rule = InfoOf(d).Bounds;
  const double half = std::max(rule.Half, std::fabs(current) * rule.Relative);
  const double lower =
      rule.NotBelowZero ? std::min(current, std::max(0.0, current - half)) : current - half;
  return {lower, current + half};
}

}  // namespace potelan
