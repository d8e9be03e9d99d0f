#include "model/AppState.hpp"

#include <stdexcept>

#include "model/Dimensions.hpp"

namespace potelan {

std::string_view EditModeName(EditMode mode) {
  switch (mode) {
    case EditMode::None: return "";
    case EditMode::Base: return "BASE";
    case EditMode::New: return "NEW";
    case EditMode::Change: return "CHANGE";
    case EditMode::Changing: return "CHANGING";
    case EditMode::FormInputLoad: return "Form_Input_Load";
  }
  return "";
}

void CopyEnteredDimensions(const ConfigSet& from, ConfigSet& to) {
  to.SusType = from.SusType;
  to.SusPos = from.SusPos;
  // Only the shock mount pair of the source's type; the other pair keeps
  // what the target held.
  for (const DimensionInfo& row : DimensionTable().first<kTypeDimensionCount>()) {
    if (row.Group != DimensionGroup::ShockMount || Carries(row.Dim, from.SusType)) {
      to.*row.Member = from.*row.Member;
    }
  }
}

namespace {

void CopyDimensions(const ConfigSet& from, ConfigSet& to) {
  CopyEnteredDimensions(from, to);
  for (const DimensionInfo& row : DimensionTable()) {
    if (row.Group == DimensionGroup::PivotMove) to.*row.Member = from.*row.Member;
  }
}

}  // namespace

void CopySet(AppState& state, int n) {
  if (n < 0 || n + 2 >= kSetCount) throw std::out_of_range("CopySet: no set to copy into");
  CopyDimensions(state.Set[n], state.Set[n + 2]);
  if (n == 0 || n == 1) CopyDimensions(state.Set[n], state.Set[n + 6]);
}

}  // namespace potelan
