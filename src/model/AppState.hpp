// The shared state of the program: eight configuration sets side by side and
// the few application-wide values. Every window and operation reads and writes
// this one object; nothing else keeps a copy of a dimension.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace potelan {

// A force in kgf: element 0 the magnitude, 1 the X and 2 the Y component.
struct LoadVector {
  double Magnitude = 0;
  double X = 0;
  double Y = 0;
};

// One complete linkage configuration: inputs, solved joints and results.
struct ConfigSet {
  std::int16_t SusType = 0;  // link type 2..6, 0 = none chosen
  std::int16_t SusPos = 0;   // link position 1..4 (Type 2: unused)

  // Dimension inputs (mm, kgf/mm).
  double SusUpX = 0, SusUpY = 0;            // inputs for Types 2-4, solved for 5 and 6
  double SusUpLength = 0, SusUpOffset = 0;  // Types 5 and 6
  double FrameLinkX = 0, FrameLinkY = 0;
  double ForkLength = 0, ForkLinkLength = 0, ForkLinkOffset = 0;
  double LinkUp = 0, LinkFr = 0, LinkRr = 0;
  double TenRodLength = 0;
  double AxleStartPos = 0;
  double SpringRate = 0, Preload = 0;
  double PivotMoveX = 0, PivotMoveY = 0;
  double RebSpringRate = 0, RebSpringLength = 0;  // edited only, never computed or filed

  // Solved points (mm).
  double AxleX = 0, AxleY = 0;
  double SusLwrX = 0, SusLwrY = 0;
  double ForkLinkX = 0, ForkLinkY = 0;
  double ForkLinkBaseX = 0, ForkLinkBaseY = 0;
  double LinkLwrX = 0, LinkLwrY = 0;

  // Results.
  double SusLength = 0;
  double SusLength0 = 0;  // reference shock length; 0 = not yet known
  double SusStroke = 0;
  double LinkRatio = 0;
  double InvLinkRatio = 0;
  LoadVector SusLoad, AxleLoad, TenRodLoad, PivotLoad, FrameLinkLoad, ForkLinkLoad;
};

// The stage of the work, driven by the main window's Next and Previous.
enum class EditMode { None, Base, New, Change, Changing, FormInputLoad };

// The stage as the program names it: "", "BASE", "NEW", "CHANGE", "CHANGING",
// "Form_Input_Load".
std::string_view EditModeName(EditMode mode);

// Roles of the eight configuration sets.
enum SetIndex : int {
  kBaseSet = 0,
  kChangedSet = 1,
  kBaseWork = 2,
  kChangedWork = 3,
  kStoredSet = 4,
  kLastGoodSet = 5,
  kBaseMotion = 6,
  kChangedMotion = 7,
};

inline constexpr int kSetCount = 8;
inline constexpr std::int16_t kDefaultMaxStroke = 150;
// Strokes are multiplied by 10 in 16-bit arithmetic: nothing above this is valid.
inline constexpr std::int16_t kMaxStrokeLimit = 3276;
// Value that marks the link members of a Type 2 set as absent.
inline constexpr double kAbsentMember = 10000.0;

struct AppState {
  std::array<ConfigSet, kSetCount> Set{};
  bool LinkFailed = false;
  EditMode Mode = EditMode::None;
  double ChangePitch = 1.0;
  std::int16_t MaxStroke = kDefaultMaxStroke;
  float GraphDetailPitch = 5.0f;
  std::string AppFolder;
};

// The entered dimensions of a set: type, position, the shock mount pair of
// the source's type and the other lengths, the axle position, spring and
// preload. No pivot move, no rebound spring, no results.
void CopyEnteredDimensions(const ConfigSet& from, ConfigSet& to);

// Copies the dimensions of set n into set n + 2 (and into n + 6 for n = 0, 1).
// Neither results, nor SusLength0, nor the rebound-spring values are copied.
void CopySet(AppState& state, int n);

}  // namespace potelan
