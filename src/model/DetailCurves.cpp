#include "model/DetailCurves.hpp"

#include <cmath>
#include <utility>

#include "model/Solver.hpp"

namespace potelan {
namespace {

// One sweep of the detail drawing on working set w from source set src.
void SweepSet(AppState& state, const DetailRequest& request, int w, int src,
              PlotColour ratioColour, PlotColour loadColour, PlotSink& sink,
              std::vector<SweptCurve>& curves) {
  ConfigSet& work = state.Set[static_cast<std::size_t>(w)];
  const ConfigSet& source = state.Set[static_cast<std::size_t>(src)];
  const bool linkRatio = request.LinkRatio;
  const float pitch = request.Pitch;
  const float last = state.MaxStroke;
  const int set = src == kBaseSet ? 0 : 1;
  SweptCurve ratioCurve{set, linkRatio ? GraphQuantity::Ratio : GraphQuantity::InverseRatio,
                        ratioColour, {{}}};
  SweptCurve loadCurve{set, GraphQuantity::Load, loadColour, {{}}};
  // A point joins the run before it; a stroke where the set cannot be formed
  // ends the run, so that no line is drawn across the gap.
  const auto addPoint = [](SweptCurve& curve, bool formed, double stroke, double value) {
    if (formed && std::isfinite(value)) {
      curve.Runs.back().push_back({stroke, value});
    } else if (!curve.Runs.back().empty()) {
      curve.Runs.emplace_back();
    }
  };
  for (float s = 0; s <= last;) {
    work.AxleStartPos = source.AxleStartPos - s;
    const bool formed = !NotFormed(SolveLinkage(state, w, work.SusPos));
    const double x = GraphX(s);
    if (request.ShowRatio) {
      sink.Plot(x, linkRatio ? GraphRatioY(work.LinkRatio) : GraphInvRatioY(work.InvLinkRatio),
                ratioColour);
      addPoint(ratioCurve, formed, s, linkRatio ? work.LinkRatio : work.InvLinkRatio);
    }
    if (request.ShowLoad) {
      sink.Plot(x, GraphLoadY(work.AxleLoad.Magnitude), loadColour);
      addPoint(loadCurve, formed, s, work.AxleLoad.Magnitude);
    }
    const float next = s + pitch;
    if (!(next > s)) break;  // a pitch too small to move the counter on
    s = next;
  }
  for (SweptCurve* curve : {&ratioCurve, &loadCurve}) {
    if (curve->Runs.back().empty()) curve->Runs.pop_back();
    if (!curve->Runs.empty()) curves.push_back(std::move(*curve));
  }
}

}  // namespace

bool DetailDrawable(const AppState& state, float pitch) {
  if (state.Mode != EditMode::New && state.Mode != EditMode::Change) return false;
  return pitch > 0 && std::isfinite(pitch);
}

std::vector<SweptCurve> DetailCurves(AppState& state, const DetailRequest& request,
                                     PlotSink& sink) {
  std::vector<SweptCurve> curves;
  const bool drawBase = state.Mode == EditMode::New || !request.HideBase;
  if (drawBase) {
    SweepSet(state, request, kBaseWork, kBaseSet, PlotColour::Blue, PlotColour::Cyan, sink,
             curves);
  }
  state.Set[kBaseWork].AxleStartPos = state.Set[kBaseSet].AxleStartPos;

  if (state.Mode == EditMode::Change) {
    state.Set[kChangedWork].SusLength0 = 0;
    SweepSet(state, request, kChangedWork, kChangedSet, PlotColour::Red, PlotColour::Magenta,
             sink, curves);
    state.Set[kChangedWork].AxleStartPos = state.Set[kChangedSet].AxleStartPos;
  }
  return curves;
}

}  // namespace potelan
