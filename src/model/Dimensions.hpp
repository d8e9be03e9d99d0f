// The table of dimensions: every value a person enters for a configuration
// set, and how each window, file and command names, shows and holds it. The
// forms, the form transfer, the link file, the CSV and report export, the
// design assistant and the command-line tool all read it from here, so a
// caption, key or pattern is written once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/AppState.hpp"

namespace potelan {

// The sixteen dimensions a link type is built from come first (their order
// is the order of the command-line help and of the transfer between a form
// and a set); the values only the change-input form carries follow.
enum class Dimension : std::uint8_t {
  SusUpX,
  SusUpY,
  SusUpLength,
  SusUpOffset,
  ForkLength,
  ForkLinkLength,
  ForkLinkOffset,
  AxleStartPos,
  SpringRate,
  Preload,
  FrameLinkX,
  FrameLinkY,
  LinkUp,
  LinkFr,
  LinkRr,
  TenRodLength,
  PivotMoveX,  // the change-input form's pivot move
  PivotMoveY,
  RebSpringRate,  // the change-input form's rebound spring: kept, never shown or filed
  RebSpringLength,
};

inline constexpr std::size_t kDimensionCount = 20;
inline constexpr std::size_t kTypeDimensionCount = 16;

// Where a value stands: the groups of rows the forms show, hide and lay out
// together.
enum class DimensionGroup {
  ShockMount,     // the shock's upper mount: X/Y (Types 2-4) or length/offset (5, 6)
  FrameLink,      // the frame-side mount of the link (Types 3-6)
  ForkLink,       // the bracket on the swing arm that carries the link or shock
  LinkPlate,      // link plate and tension rod (Types 3-6)
  Arm,            // swing-arm length and axle position
  Spring,         // spring rate and preload
  PivotMove,      // change-input form only
  ReboundSpring,  // change-input form only, never shown
};

// The default range a fit may move a dimension in around its value v:
// v +- max(Half, |v| * Relative), the lower end not below 0 when
// NotBelowZero (unless v already is).
struct FitBoundsRule {
  double Half = 20;
  double Relative = 0;
  bool NotBelowZero = false;
};

struct DimensionInfo {
  Dimension Dim;
  DimensionGroup Group;
  // "TenRodLength": the ConfigSet member, the JSON key and the command-line key.
  std::string_view Key;
  double ConfigSet::*Member;
  // The link types whose sets carry the value, as every form, file and copy
  // treats a type number (the int16 limits: open on that side).
  std::int16_t FirstType;
  std::int16_t LastType;
  std::string_view Box;  // "Ten_Rod_Text": the entry box on every form
  // "リアフォーク長": the caption of the change-input form and the
  // assistant; the forms add their own decoration (":", "　CD=").
  std::string_view Caption;
  std::string_view BaseCaption;  // the base forms' caption where it differs, else empty
  // The points of the type's picture the value spans on the base forms
  // ("CD"), per link type 2..6; empty where the caption names none.
  std::array<std::string_view, 5> Points;
  std::string_view FileKey;  // the link file's key where it differs from the caption, else empty
  std::string_view CsvName;  // the CSV and report name where it differs from the file key
  std::string_view Unit;     // "mm", "kgf/mm"
  std::string_view Pattern;  // "###.##": how a form writes it; empty: never written
  FitBoundsRule Bounds;
  // The change-input form's spin button: its name, its step (0: the change
  // pitch) and the sign of its up arrow (-1: up lowers the number, moving a
  // Y-like point up).
  std::string_view Spin;
  double SpinStep;
  int SpinSign;
  // Places in the orders that differ (-1: not there): the base forms, top to
  // bottom; the change-input form; the link file; the CSV file and report.
  int FormRow;
  int InputRow;
  int FileRow;
  int CsvRow;
};

// Every row, indexed by the Dimension.
std::span<const DimensionInfo, kDimensionCount> DimensionTable();
const DimensionInfo& InfoOf(Dimension d);

// One of the sixteen dimensions of a link type (not a pivot move or a
// rebound spring value).
bool IsTypeDimension(Dimension d);
// The link plate, tension rod and frame-side mount: absent in Type 2.
bool IsLinkMember(Dimension d);
// Spring rate and preload, entered with one decimal.
bool IsSpringValue(Dimension d);

// Whether a set of type `susType` carries the value, for any type number:
// the forms, the link file and the copy of a set go by this.
bool Carries(Dimension d, int susType);
// Whether a link type 2..6 is built from the dimension; false for any other
// type and for the change-input form's own values.
bool TypeUses(int susType, Dimension d);

// The dimensions of link type 2..6 in the order of the link file (the order
// of the sensitivity rows and the assistant); empty for any other type.
std::vector<Dimension> DimensionsOfType(int susType);
// The boxes of a base form of type 2..6, top to bottom; empty for others.
std::vector<Dimension> FormDimensions(int susType);
// Every value of the change-input form, in the order of its boxes.
std::vector<Dimension> InputFormDimensions();
// Every value the link file carries, in the order of its lines.
std::vector<Dimension> FileDimensions();
// The dimension lines of the CSV file and the report, in their order.
std::vector<Dimension> CsvDimensions();

// "TenRodLength", "LinkUp", ...: the ConfigSet member name.
std::string_view JsonName(Dimension d);
// The dimension of a link type with that JSON name (exact, case-sensitive).
std::optional<Dimension> DimensionFromJsonName(std::string_view name);
// The base forms' caption without the points ("サスリンク取り付け長").
std::string_view BaseCaption(Dimension d);
// The points on a base form of type 2..6 ("CD"); empty when none.
std::string_view Points(Dimension d, int susType);
// The link file's key and the CSV name.
std::string_view FileKey(Dimension d);
std::string_view CsvName(Dimension d);

// The value of a dimension in a set.
double ValueOf(const ConfigSet& set, Dimension d);
void SetValue(ConfigSet& set, Dimension d, double value);

// Decimals of the entry pattern, and the smallest step of its grid (0.01
// for "###.##", 0.1 for "##.#").
int EntryDecimals(Dimension d);
double EntryStep(Dimension d);

// The value that an entry box makes of `value`: written with the box's
// pattern and read back through single precision, exactly as a value applied
// to the form ends up in the set.
double RoundToEntry(Dimension d, double value);

// The default range of a fit around the current value (see FitBoundsRule):
// +-20 mm for lengths, +-20 % (at least 1 kgf/mm) for the spring rate and
// +-10 mm for the preload; neither spring value below 0.
struct Bounds {
  double Lower = 0;
  double Upper = 0;
};
Bounds DefaultBounds(Dimension d, double current);

}  // namespace potelan
