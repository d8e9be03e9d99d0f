#include "model/Solver.hpp"

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "model/Geometry.hpp"

namespace potelan {
namespace {

// Picks intersection number 1 or 2; any other number cannot form the link.
Point Pick(const Intersections& points, int number) {
  if (number == 1) return points.First;
  if (number == 2) return points.Second;
  throw GeometryFailure("no such intersection");
}

// Magnitude of a load from its components, written right after them.
void SetComponents(LoadVector& load, double x, double y) {
  load.X = Finite(x);
  load.Y = Finite(y);
  load.Magnitude = CheckedSqrt(load.X * load.X + load.Y * load.Y);
}

// The rod force along the vector (dx, dy) of rod length R.
void SetRodForce(LoadVector& load, double t, double dx, double dy, double r) {
  load.Magnitude = t;
  load.X = CheckedDiv(dx * t, r);
  load.Y = CheckedDiv(dy * t, r);
}

// Lever arm of point P from the line through A and B.
double Arm(double px, double py, double ax, double ay, double bx, double by) {
  return LineDistance(px, py, ax, ay, bx, by);
}

class Solve {
 public:
  Solve(ConfigSet& set, int position) : s_(set), position_(position) {}

  void PlaceAll() {
    PlaceFork();
    if (s_.SusType > 4) PlaceUpperMountOnFork();
    PlaceJoints();
  }

  void Run() {
    PlaceAll();
    if (s_.SusType == 2) {
      SolveType2();
    } else {
      s_.SusLength = PointDistance(s_.SusLwrX, s_.SusLwrY, s_.SusUpX, s_.SusUpY);
      s_.LinkRatio = LinkedRatio();
      SpringAndShock();
      LinkLoads();
    }
    s_.InvLinkRatio = CheckedDiv(1, s_.LinkRatio);
  }

 private:
  void PlaceFork() {
    theta0_ = ArcSin(CheckedDiv(s_.AxleStartPos, s_.ForkLength));
    cos0_ = std::cos(theta0_);
    sin0_ = std::sin(theta0_);
    s_.AxleX = Finite(cos0_ * s_.ForkLength);
    s_.AxleY = s_.AxleStartPos;
  }

  void PlaceUpperMountOnFork() {
    const double r = CheckedSqrt(
        Finite(s_.SusUpOffset * s_.SusUpOffset + s_.SusUpLength * s_.SusUpLength));
    const double phi = std::atan(CheckedDiv(s_.SusUpOffset, s_.SusUpLength));
    s_.SusUpX = Finite(std::cos(theta0_ + phi) * r);
    s_.SusUpY = Finite(std::sin(theta0_ + phi) * r);
  }

  void PlaceJoints() {
    s_.ForkLinkBaseX = Finite(cos0_ * s_.ForkLinkLength);
    s_.ForkLinkBaseY = Finite(sin0_ * s_.ForkLinkLength);
    const double psi = std::atan(CheckedDiv(s_.ForkLinkOffset, s_.ForkLinkLength));
    const double rho = CheckedSqrt(
        Finite(s_.ForkLinkOffset * s_.ForkLinkOffset + s_.ForkLinkLength * s_.ForkLinkLength));
    if (s_.SusType == 2) {
      s_.SusLwrX = Finite(std::cos(theta0_ - psi) * rho);
      s_.SusLwrY = Finite(std::sin(theta0_ - psi) * rho);
      return;
    }
    s_.ForkLinkX = Finite(std::cos(theta0_ + psi) * rho);
    s_.ForkLinkY = Finite(std::sin(theta0_ + psi) * rho);
    const int rodNumber = (position_ + 1) / 2;
    const int shockNumber = position_ % 2 != 0 ? 1 : 2;
    Point rod;
    Point shock;
    if (PlateOnFork()) {
      rod = Pick(CircleIntersect(s_.ForkLinkX, s_.ForkLinkY, s_.LinkRr, s_.FrameLinkX,
                                 s_.FrameLinkY, s_.TenRodLength),
                 rodNumber);
      s_.LinkLwrX = rod.X;
      s_.LinkLwrY = rod.Y;
      shock = Pick(CircleIntersect(s_.ForkLinkX, s_.ForkLinkY, s_.LinkUp, s_.LinkLwrX,
                                   s_.LinkLwrY, s_.LinkFr),
                   shockNumber);
    } else {
      rod = Pick(CircleIntersect(s_.ForkLinkX, s_.ForkLinkY, s_.TenRodLength, s_.FrameLinkX,
                                 s_.FrameLinkY, s_.LinkFr),
                 rodNumber);
      s_.LinkLwrX = rod.X;
      s_.LinkLwrY = rod.Y;
      shock = Pick(CircleIntersect(s_.FrameLinkX, s_.FrameLinkY, s_.LinkUp, s_.LinkLwrX,
                                   s_.LinkLwrY, s_.LinkRr),
                   shockNumber);
    }
    s_.SusLwrX = shock.X;
    s_.SusLwrY = shock.Y;
  }

  // SideOfLine(upper mount, lower mount, origin).
  std::int16_t ShockSide() const {
    return Line(s_.SusLwrX, s_.SusLwrY, s_.SusUpX, s_.SusUpY).SideBackward(0, 0);
  }

  // Types 3 and 5 carry the plate on the fork; Types 4 and 6 on the frame.
  bool PlateOnFork() const { return s_.SusType == 3 || s_.SusType == 5; }

  void SolveType2() {
    const double dSP = Arm(0, 0, s_.SusUpX, s_.SusUpY, s_.SusLwrX, s_.SusLwrY);
    s_.LinkRatio = CheckedDiv(dSP, s_.AxleX);
    s_.SusLength = PointDistance(s_.SusLwrX, s_.SusLwrY, s_.SusUpX, s_.SusUpY);
    SpringAndShock();
    SetComponents(s_.PivotLoad, -fx_, s_.AxleLoad.Magnitude - fy_);
  }

  double LinkedRatio() {
    const bool onFork = PlateOnFork();
    const double pivotX = onFork ? s_.ForkLinkX : s_.FrameLinkX;
    const double pivotY = onFork ? s_.ForkLinkY : s_.FrameLinkY;
    // The far end of the tension rod from the plate's rod joint.
    const double rodX = onFork ? s_.FrameLinkX : s_.ForkLinkX;
    const double rodY = onFork ? s_.FrameLinkY : s_.ForkLinkY;
    // The rod's line and the shock's line each serve several arms (and the
    // rod's the side of the origin): their slopes are divided out once.
    const Line rod(rodX, rodY, s_.LinkLwrX, s_.LinkLwrY);
    const Line shock(s_.SusUpX, s_.SusUpY, s_.SusLwrX, s_.SusLwrY);
    const double dRP = rod.Distance(0, 0);
    const double dFS = shock.Distance(pivotX, pivotY);
    dFR_ = rod.Distance(pivotX, pivotY);
    dFS_ = dFS;
    // e: the sign of the rod force.
    // SideOfLine(pivot, shock's lower mount, upper mount) times
    // SideOfLine(pivot, rod joint, rod end), measured inline.
    e_ = static_cast<std::int16_t>(
        Line(s_.SusLwrX, s_.SusLwrY, pivotX, pivotY).SideBackward(s_.SusUpX, s_.SusUpY) *
        Line(s_.LinkLwrX, s_.LinkLwrY, pivotX, pivotY).SideBackward(rodX, rodY));
    const std::int16_t sRod = rod.SideBackward(0, 0);  // SideOfLine(LinkLwr, rod end, 0)
    const double denominator = Finite(dFR_ * s_.AxleX);
    switch (s_.SusType) {
      case 3: {
        const double dSP = shock.Distance(0, 0);
        const std::int16_t s1 = ShockSide();
        const std::int16_t es2 = static_cast<std::int16_t>(e_ * sRod);
        return CheckedDiv(s1 * dSP * dFR_ + es2 * dRP * dFS, denominator);
      }
      case 4: {
        const std::int16_t es = static_cast<std::int16_t>(e_ * sRod);
        return CheckedDiv(-es * dFS * dRP, denominator);
      }
      case 5: {
        const std::int16_t es = static_cast<std::int16_t>(e_ * sRod);
        return CheckedDiv(es * dRP * dFS, denominator);
      }
      default: {  // 6
        const double dSP = shock.Distance(0, 0);
        const std::int16_t s1 = ShockSide();
        const std::int16_t es2 = static_cast<std::int16_t>(e_ * sRod);
        return CheckedDiv(-(es2 * dRP * dFS + s1 * dFR_ * dSP), denominator);
      }
    }
  }

  void SpringAndShock() {
    if (s_.SusLength0 == 0) s_.SusLength0 = s_.SusLength;
    s_.SusStroke = Finite(s_.SusLength0 - s_.SusLength);
    s_.SusLoad.Magnitude = Finite((s_.Preload + s_.SusStroke) * s_.SpringRate);
    const double load = s_.SusLoad.Magnitude;
    fx_ = CheckedDiv((s_.SusLwrX - s_.SusUpX) * load, s_.SusLength);
    fy_ = CheckedDiv((s_.SusLwrY - s_.SusUpY) * load, s_.SusLength);
    s_.AxleLoad.Magnitude = Finite(load * s_.LinkRatio);
  }

  void LinkLoads() {
    const double t = CheckedDiv(e_ * s_.SusLoad.Magnitude * dFS_, dFR_);
    const double r = s_.TenRodLength;
    const double axle = s_.AxleLoad.Magnitude;
    switch (s_.SusType) {
      case 3: {
        s_.TenRodLoad.Magnitude = t;
        SetRodForce(s_.FrameLinkLoad, t, s_.LinkLwrX - s_.FrameLinkX, s_.LinkLwrY - s_.FrameLinkY,
                    r);
        const LoadVector& frame = s_.FrameLinkLoad;
        SetComponents(s_.ForkLinkLoad, frame.X - fx_, frame.Y - fy_);
        SetComponents(s_.PivotLoad, frame.X - fx_, frame.Y + axle - fy_);
        break;
      }
      case 4: {
        s_.TenRodLoad.Magnitude = t;
        SetRodForce(s_.ForkLinkLoad, t, s_.LinkLwrX - s_.ForkLinkX, s_.LinkLwrY - s_.ForkLinkY, r);
        const LoadVector& fork = s_.ForkLinkLoad;
        SetComponents(s_.PivotLoad, -fork.X, axle - fork.Y);
        SetComponents(s_.FrameLinkLoad, fork.X - fx_, fork.Y - fy_);
        break;
      }
      case 5: {
        SetRodForce(s_.TenRodLoad, t, s_.FrameLinkX - s_.LinkLwrX, s_.FrameLinkY - s_.LinkLwrY, r);
        const LoadVector& rod = s_.TenRodLoad;
        SetComponents(s_.ForkLinkLoad, -(fx_ + rod.X), -(fy_ + rod.Y));
        SetComponents(s_.PivotLoad, -rod.X, axle - rod.Y);
        // The frame-side mount carries the rod force, as in Type 3.
        SetRodForce(s_.FrameLinkLoad, t, s_.LinkLwrX - s_.FrameLinkX, s_.LinkLwrY - s_.FrameLinkY,
                    r);
        break;
      }
      default: {  // 6
        SetRodForce(s_.TenRodLoad, t, s_.ForkLinkX - s_.LinkLwrX, s_.ForkLinkY - s_.LinkLwrY, r);
        const LoadVector& rod = s_.TenRodLoad;
        s_.ForkLinkLoad.Magnitude = t;
        s_.ForkLinkLoad.X = -rod.X;
        s_.ForkLinkLoad.Y = -rod.Y;
        SetComponents(s_.FrameLinkLoad, -(fx_ + rod.X), -(fy_ + rod.Y));
        const LoadVector& frame = s_.FrameLinkLoad;
        SetComponents(s_.PivotLoad, -frame.X, axle - frame.Y);
        break;
      }
    }
  }

  ConfigSet& s_;
  int position_;
  double theta0_ = 0, cos0_ = 1, sin0_ = 0;
  double fx_ = 0, fy_ = 0;
  double dFS_ = 0, dFR_ = 0;
  std::int16_t e_ = 0;
};

}  // namespace

SolveResult PlaceJoints(ConfigSet& set, int position) {
  if (set.SusType < 2 || set.SusType > 6) return SolveResult::NotFormed;
  if (set.SusType >= 3 && position == 0) return SolveResult::Skipped;
  try {
    Solve(set, position).PlaceAll();
  } catch (const GeometryFailure&) {
    return SolveResult::NotFormed;
  }
  return SolveResult::Assembled;
}

SolveResult SolveLinkage(AppState& state, int set, int position) {
  if (set < 0 || set >= kSetCount) throw std::out_of_range("SolveLinkage: no such set");
  ConfigSet& s = state.Set[set];
  if (s.SusType == 0) return SolveResult::Skipped;
  if (s.SusType >= 3 && position == 0) return SolveResult::Skipped;
  if (state.Mode == EditMode::Changing) return SolveResult::Skipped;
  if (s.SusType < 2 || s.SusType > 6) return SolveResult::NotFormed;
  try {
    Solve(s, position).Run();
  } catch (const GeometryFailure&) {
    return SolveResult::NotFormed;
  }
  return SolveResult::Assembled;
}

}  // namespace potelan
