#include "model/AppState.hpp"

#include <stdexcept>

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
  if (from.SusType <= 4) {
    to.SusUpX = from.SusUpX;
    to.SusUpY = from.SusUpY;
  } else {
    to.SusUpLength = from.SusUpLength;
    to.SusUpOffset = from.SusUpOffset;
  }
  to.FrameLinkX = from.FrameLinkX;
  to.FrameLinkY = from.FrameLinkY;
  to.ForkLength = from.ForkLength;
  to.ForkLinkLength = from.ForkLinkLength;
  to.ForkLinkOffset = from.ForkLinkOffset;
  to.LinkUp = from.LinkUp;
  to.LinkFr = from.LinkFr;
  to.LinkRr = from.LinkRr;
  to.TenRodLength = from.TenRodLength;
  to.AxleStartPos = from.AxleStartPos;
  to.SpringRate = from.SpringRate;
  to.Preload = from.Preload;
}

namespace {

void CopyDimensions(const ConfigSet& from, ConfigSet& to) {
  CopyEnteredDimensions(from, to);
  to.PivotMoveX = from.PivotMoveX;
  to.PivotMoveY = from.PivotMoveY;
}

}  // namespace

void CopySet(AppState& state, int n) {
  if (n < 0 || n + 2 >= kSetCount) throw std::out_of_range("CopySet: no set to copy into");
  CopyDimensions(state.Set[n], state.Set[n + 2]);
  if (n == 0 || n == 1) CopyDimensions(state.Set[n], state.Set[n + 6]);
}

}  // namespace potelan
