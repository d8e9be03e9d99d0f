#include "assist/Fit.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <nlopt.hpp>
#include <stdexcept>
#include <utility>

#include "model/Solver.hpp"

namespace potelan::assist {

std::string_view QuantityName(Quantity q) {
  switch (q) {
    case Quantity::LinkRatio: return "ratio";
    case Quantity::InvLinkRatio: return "inverse";
    case Quantity::AxleLoad: return "axle-load";
  }
  return "";
}

std::optional<Quantity> QuantityFromName(std::string_view name) {
  for (Quantity q : {Quantity::LinkRatio, Quantity::InvLinkRatio, Quantity::AxleLoad}) {
    if (QuantityName(q) == name) return q;
  }
  return std::nullopt;
}

double QuantityOf(const CurvePoint& point, Quantity q) {
  switch (q) {
    case Quantity::LinkRatio: return point.LinkRatio;
    case Quantity::InvLinkRatio: return point.InvLinkRatio;
    case Quantity::AxleLoad: return point.Loads[static_cast<std::size_t>(LoadItem::Axle)];
  }
  return 0;
}

double Interpolate(const std::vector<CurveSample>& samples, double stroke) {
  if (samples.empty()) return 0;
  if (stroke <= samples.front().Stroke) return samples.front().Value;
  if (stroke >= samples.back().Stroke) return samples.back().Value;
  const auto after = std::upper_bound(
      samples.begin(), samples.end(), stroke,
      [](double s, const CurveSample& sample) { return s < sample.Stroke; });
  const CurveSample& b = *after;
  const CurveSample& a = *(after - 1);
  const double t = (stroke - a.Stroke) / (b.Stroke - a.Stroke);
  return a.Value + t * (b.Value - a.Value);
}

std::vector<CurveSample> TargetFromCurve(const Curve& curve, Quantity q) {
  std::vector<CurveSample> target;
  target.reserve(curve.Points.size());
  for (const CurvePoint& p : curve.Points) target.push_back({p.Stroke, QuantityOf(p, q)});
  return target;
}

std::vector<CurveSample> ScaleTarget(std::vector<CurveSample> target, double factor) {
  for (CurveSample& s : target) s.Value *= factor;
  return target;
}

std::vector<CurveSample> ShiftTarget(std::vector<CurveSample> target, double offset) {
  for (CurveSample& s : target) s.Value += offset;
  return target;
}

double TargetProgression(const std::vector<CurveSample>& target) {
  if (target.empty() || target.front().Value == 0) return 0;
  return (target.back().Value / target.front().Value - 1) * 100;
}

std::vector<CurveSample> AddProgression(std::vector<CurveSample> target, double percentPoints) {
  if (target.size() < 2 || target.front().Value == 0) return target;
  const double first = target.front().Stroke;
  const double span = target.back().Stroke - first;
  if (span <= 0) return target;
  const double ratio = 1 + TargetProgression(target) / 100;
  if (ratio == 0) return target;
  const double a = (ratio + percentPoints / 100) / ratio - 1;
  for (CurveSample& s : target) s.Value *= 1 + a * (s.Stroke - first) / span;
  return target;
}

FitRequest MakeFitRequest(const ConfigSet& start, std::int16_t maxStroke, Quantity what,
                          std::vector<CurveSample> target, const std::vector<Dimension>& vary) {
  FitRequest r;
  r.Start = start;
  r.MaxStroke = maxStroke;
  r.What = what;
  r.Target = std::move(target);
  for (Dimension d : vary) r.Vary.push_back({d, DefaultBounds(d, ValueOf(start, d))});
  return r;
}

namespace {

bool SortedDistinct(const std::vector<CurveSample>& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (!std::isfinite(samples[i].Stroke) || !std::isfinite(samples[i].Value)) return false;
    if (i > 0 && !(samples[i].Stroke > samples[i - 1].Stroke)) return false;
  }
  return true;
}

}  // namespace

std::optional<FitRefusal> FindFitProblem(const FitRequest& r) {
  const auto refuse = [](FitProblem p, Dimension d = Dimension::LinkUp) {
    return std::optional<FitRefusal>(FitRefusal{p, d, {}});
  };
  const int type = r.Start.SusType;
  if (type < 2 || type > 6) return refuse(FitProblem::NoLinkType);
  if (r.MaxStroke < 0) return refuse(FitProblem::NoStroke);
  if (r.Target.empty()) return refuse(FitProblem::NoTarget);
  if (!SortedDistinct(r.Target)) return refuse(FitProblem::TargetOrder);
  if (!r.Weights.empty()) {
    if (!SortedDistinct(r.Weights)) return refuse(FitProblem::WeightOrder);
    bool any = false;
    for (const CurveSample& w : r.Weights) {
      if (w.Value < 0) return refuse(FitProblem::NegativeWeight);
      any = any || w.Value > 0;
    }
    bool anyOnGrid = false;
    for (double stroke : CurveStrokes(r.MaxStroke)) {
      anyOnGrid = anyOnGrid || (std::fmod(stroke, 5.0) == 0 && Interpolate(r.Weights, stroke) > 0);
    }
    if (!any || !anyOnGrid) return refuse(FitProblem::NoWeight);
  }
  if (r.Vary.empty()) return refuse(FitProblem::NoDimension);
  for (std::size_t i = 0; i < r.Vary.size(); ++i) {
    const VaryingDimension& v = r.Vary[i];
    if (!TypeUses(type, v.Dim)) return refuse(FitProblem::NotOfType, v.Dim);
    for (std::size_t j = 0; j < i; ++j) {
      if (r.Vary[j].Dim == v.Dim) return refuse(FitProblem::Twice, v.Dim);
    }
    if (!std::isfinite(v.Range.Lower) || !std::isfinite(v.Range.Upper) ||
        !(v.Range.Upper - v.Range.Lower >= EntryStep(v.Dim))) {
      return refuse(FitProblem::BadRange, v.Dim);
    }
  }
  if (r.MaxEvaluations < 0) return refuse(FitProblem::BadBudget);
  return std::nullopt;
}

std::string FitProblemText(const FitRefusal& refusal) {
  const std::string name(JsonName(refusal.Dim));
  switch (refusal.Problem) {
    case FitProblem::None: return "";
    case FitProblem::NoLinkType: return "リンクタイプが選択されていません";
    case FitProblem::NoStroke: return "ｱｸｽﾙｽﾄﾛｰｸの範囲がありません";
    case FitProblem::NoTarget: return "目標の点がありません";
    case FitProblem::TargetOrder:
      return "目標の点はｽﾄﾛｰｸの小さい順に、同じｽﾄﾛｰｸを重ねずに与えて下さい";
    case FitProblem::WeightOrder: return "重みの点はｽﾄﾛｰｸの小さい順に与えて下さい";
    case FitProblem::NegativeWeight: return "重みは 0 以上にして下さい";
    case FitProblem::NoWeight: return "重みがすべて 0 です";
    case FitProblem::NoDimension: return "変える寸法が選ばれていません";
    case FitProblem::NotOfType: return name + " はこのリンクタイプにありません";
    case FitProblem::Twice: return name + " が二度選ばれています";
    case FitProblem::BadRange: return name + " の範囲が正しくありません (下限 < 上限)";
    case FitProblem::BadBudget: return "評価回数が正しくありません";
    case FitProblem::StageRefused: return "探索が NLopt に拒まれました (" + refusal.Detail + ")";
    case FitProblem::NoAssemblingSet:
      return "範囲内でストローク全域にわたって成立するリンクが見つかりません";
  }
  return "";
}

std::optional<std::string> CheckFitRequest(const FitRequest& r) {
  const std::optional<FitRefusal> problem = FindFitProblem(r);
  if (!problem) return std::nullopt;
  return FitProblemText(*problem);
}

namespace {

double ValueOfQuantity(const ConfigSet& s, Quantity q) {
  switch (q) {
    case Quantity::LinkRatio: return s.LinkRatio;
    case Quantity::InvLinkRatio: return s.InvLinkRatio;
    case Quantity::AxleLoad: return s.AxleLoad.Magnitude;
  }
  return 0;
}

// Solves candidate sets over the stroke and compares them with the target.
class Evaluator {
 public:
  struct Outcome {
    bool Ok = false;
    double Rms = 0;
    double MaxError = 0;
    double Missing = 0;  // share of the strokes not assembled
  };

  Evaluator(const FitRequest& r, const std::vector<Dimension>& dims)
      : start_(r.Start), what_(r.What), dims_(dims) {
    for (double stroke : CurveStrokes(r.MaxStroke)) {
      const bool onGrid = std::fmod(stroke, 5.0) == 0;
      const double weight =
          !onGrid ? 0.0 : (r.Weights.empty() ? 1.0 : Interpolate(r.Weights, stroke));
      steps_.push_back({stroke, Interpolate(r.Target, stroke), weight});
      weightSum_ += weight;
    }
  }

  Outcome Evaluate(const double* x) {
    ConfigSet& s = state_.Set[0];
    s = start_;
    for (std::size_t i = 0; i < dims_.size(); ++i) SetValue(s, dims_[i], x[i]);
    s.SusLength0 = 0;
    const double axle = s.AxleStartPos;
    Outcome o;
    double sum = 0;
    errors_.clear();
    for (std::size_t i = 0; i < steps_.size(); ++i) {
      const Step& step = steps_[i];
      s.AxleStartPos = axle - step.Stroke;
      if (NotFormed(SolveLinkage(state_, 0, s.SusPos))) {
        o.Missing = static_cast<double>(steps_.size() - i) / static_cast<double>(steps_.size());
        return o;
      }
      if (step.Weight == 0) continue;
      const double error = ValueOfQuantity(s, what_) - step.Target;
      sum += step.Weight * error * error;
      o.MaxError = std::max(o.MaxError, std::fabs(error));
      errors_.push_back(error);
    }
    if (!std::isfinite(sum) && std::isfinite(o.MaxError) && o.MaxError > 0) {
      // Errors whose squares overflow (a target of 1e154 or more): the same
      // sum on the scale of the largest error.
      sum = 0;
      std::size_t k = 0;
      for (const Step& step : steps_) {
        if (step.Weight == 0) continue;
        const double share = errors_[k++] / o.MaxError;
        sum += step.Weight * share * share;
      }
      o.Rms = o.MaxError * std::sqrt(sum / weightSum_);
    } else {
      o.Rms = std::sqrt(sum / weightSum_);
    }
    o.Ok = std::isfinite(o.Rms);
    return o;
  }

 private:
  struct Step {
    double Stroke;
    double Target;
    double Weight;
  };
  ConfigSet start_;
  Quantity what_;
  std::vector<Dimension> dims_;
  std::vector<Step> steps_;
  double weightSum_ = 0;
  std::vector<double> errors_;  // of the weighted steps of the last candidate
  AppState state_;
};

constexpr int kProgressEvery = 200;
// Bisection steps that find the edge of the assembling region on a segment.
constexpr int kRepairSteps = 16;
// Up to this many varied dimensions every corner of the grid cell around the
// best candidate is tried when its nearest grid point does not assemble.
constexpr std::size_t kMaxCornerDimensions = 8;

// The search over the bounds: NLopt's stages share one objective that keeps
// the best assembling candidate, counts evaluations and watches the cancel flag.
class Search {
 public:
  Search(Evaluator& evaluator, std::vector<double> lower, std::vector<double> upper,
         int budget, double penalty, const FitProgressFn& progress,
         const std::atomic<bool>* cancel)
      : evaluator_(evaluator),
        lower_(std::move(lower)),
        upper_(std::move(upper)),
        budget_(budget),
        penalty_(penalty),
        exact_(1e-10 * std::max(penalty, 1.0)),
        progress_(progress),
        cancel_(cancel) {}

  bool Cancelled() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed); }
  bool Spent() const { return evaluations_ >= budget_; }
  // The target is met to rounding: no stage can do better.
  bool Exact() const { return bestRms_ <= exact_; }
  int Evaluations() const { return evaluations_; }
  bool HasBest() const { return !best_.empty(); }
  const std::vector<double>& Best() const { return best_; }
  double BestRms() const { return bestRms_; }

  double Objective(const std::vector<double>& x) {
    if (Cancelled() || Spent()) throw nlopt::forced_stop();
    const Evaluator::Outcome o = Count(x);
    double value = o.Rms;
    if (!o.Ok) value = anchor_.empty() ? 1000 * penalty_ * (1 + o.Missing) : Repaired(x);
    if (progress_ && evaluations_ / kProgressEvery != reported_ && HasBest()) {
      reported_ = evaluations_ / kProgressEvery;
      progress_({bestRms_, evaluations_});
    }
    return value;
  }

  // Counts one candidate outside any stage (the start).
  void Probe(const std::vector<double>& x) { Count(x); }

  // Runs one NLopt stage from x with at most `maxEvaluations` evaluations.
  // Non-assembling candidates of the stage are measured against the segment
  // from x (or, when x does not assemble, the best candidate so far).
  void Stage(nlopt::algorithm algorithm, std::vector<double> x, int maxEvaluations) {
    if (Refused() || Cancelled() || Spent() || Exact() || maxEvaluations <= 0) return;
    const unsigned n = static_cast<unsigned>(x.size());
    for (unsigned i = 0; i < n; ++i) x[i] = std::clamp(x[i], lower_[i], upper_[i]);
    const Evaluator::Outcome start = Count(x);
    anchor_.clear();
    if (start.Ok) {
      anchor_ = x;
      anchorRms_ = start.Rms;
    } else if (HasBest()) {
      anchor_ = best_;
      anchorRms_ = bestRms_;
    }
    nlopt::opt opt(algorithm, n);
    double f = 0;
    // Every call that NLopt may refuse is checked: a stage it will not run
    // ends the search with its reason, rather than leaving the other stages
    // to stand in for it.
    try {
      opt.set_lower_bounds(lower_);
      opt.set_upper_bounds(upper_);
      opt.set_min_objective(&Search::Call, this);
      opt.set_maxeval(std::min(maxEvaluations, budget_ - evaluations_));
      opt.set_stopval(exact_);
      std::vector<double> step(n);
      for (unsigned i = 0; i < n; ++i) step[i] = std::min(2.0, 0.25 * (upper_[i] - lower_[i]));
      if (algorithm != nlopt::GN_CRS2_LM) {
        opt.set_initial_step(step);
        opt.set_xtol_abs(1e-7);
        opt.set_ftol_abs(1e-15);
      }
      const nlopt::result code = opt.optimize(x, f);
      if (code < 0) Refuse(opt, "result code " + std::to_string(static_cast<int>(code)));
    } catch (const nlopt::forced_stop&) {
      // Cancelled or out of budget: the best candidate so far stands.
    } catch (const nlopt::roundoff_limited&) {
      // Converged as far as rounding allows.
    } catch (const std::exception& e) {
      Refuse(opt, e.what());
    }
  }

  // Why NLopt refused a stage; empty while none was.
  const std::string& Refusal() const { return refusal_; }
  bool Refused() const { return !refusal_.empty(); }

 private:
  // Evaluates one candidate and keeps it when it is the best so far.
  Evaluator::Outcome Count(const std::vector<double>& x) {
    ++evaluations_;
    const Evaluator::Outcome o = evaluator_.Evaluate(x.data());
    if (o.Ok && o.Rms < bestRms_) {
      bestRms_ = o.Rms;
      best_ = x;
    }
    return o;
  }

  // The score of a candidate x that does not assemble: the RMS of the last
  // assembling point on the segment from the anchor to x (found by
  // bisection), plus a slope times the rest of the way to x. The score is
  // continuous across the edge of the assembling region and grows outward,
  // so the search can settle on that edge, where a best fit often lies, and
  // never beyond it.
  double Repaired(const std::vector<double>& x) {
    const std::size_t n = x.size();
    double inside = 0;
    double insideRms = anchorRms_;
    double outside = 1;
    std::vector<double> y(n);
    for (int k = 0; k < kRepairSteps; ++k) {
      const double t = 0.5 * (inside + outside);
      for (std::size_t i = 0; i < n; ++i) y[i] = anchor_[i] + t * (x[i] - anchor_[i]);
      const Evaluator::Outcome o = Count(y);
      if (o.Ok) {
        inside = t;
        insideRms = o.Rms;
      } else {
        outside = t;
      }
    }
    double distance = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double share = (x[i] - anchor_[i]) / (upper_[i] - lower_[i]);
      distance += share * share;
    }
    return insideRms + penalty_ * (1 - inside) * std::sqrt(distance);
  }

  void Refuse(const nlopt::opt& opt, const std::string& why) {
    refusal_ = std::string(opt.get_algorithm_name()) + ": " + why;
  }

  static double Call(const std::vector<double>& x, std::vector<double>& /*grad*/, void* data) {
    return static_cast<Search*>(data)->Objective(x);
  }

  Evaluator& evaluator_;
  std::vector<double> lower_, upper_;
  int budget_;
  double penalty_;
  double exact_;
  const FitProgressFn& progress_;
  const std::atomic<bool>* cancel_;
  int evaluations_ = 0;
  int reported_ = 0;
  std::vector<double> best_;
  double bestRms_ = std::numeric_limits<double>::infinity();
  std::vector<double> anchor_;
  double anchorRms_ = 0;
  std::string refusal_;
};

// The entry-box value of v that lies within [lo, hi].
double EntryValueWithin(Dimension d, double v, double lo, double hi) {
  double r = RoundToEntry(d, std::clamp(v, lo, hi));
  const double step = EntryStep(d);
  for (int i = 0; i < 3 && r < lo; ++i) r = RoundToEntry(d, r + step);
  for (int i = 0; i < 3 && r > hi; ++i) r = RoundToEntry(d, r - step);
  return r;
}

}  // namespace

std::optional<CurveError> MeasureFit(const ConfigSet& set, std::int16_t maxStroke, Quantity what,
                                     const std::vector<CurveSample>& target,
                                     const std::vector<CurveSample>& weights) {
  FitRequest r;
  r.Start = set;
  r.MaxStroke = maxStroke;
  r.What = what;
  r.Target = target;
  r.Weights = weights;
  if (target.empty() || maxStroke < 0) return std::nullopt;
  Evaluator evaluator(r, {});
  const Evaluator::Outcome o = evaluator.Evaluate(nullptr);
  if (!o.Ok) return std::nullopt;
  return CurveError{o.Rms, o.MaxError};
}

CurveFit::CurveFit(FitRequest request) : request_(std::move(request)) {}

FitResult CurveFit::Run(const FitProgressFn& progress, const std::atomic<bool>* cancel) const {
  const auto started = std::chrono::steady_clock::now();
  const FitRequest& r = request_;
  FitResult result;
  result.Fitted = r.Start;
  auto finish = [&](FitResult& out) -> FitResult {
    out.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return out;
  };
  auto refuse = [&](const FitRefusal& problem) {
    result.Status = FitStatus::BadRequest;
    result.Problem = problem;
    result.Message = FitProblemText(problem);
    return finish(result);
  };
  if (const std::optional<FitRefusal> problem = FindFitProblem(r)) return refuse(*problem);

  const std::size_t n = r.Vary.size();
  std::vector<Dimension> dims;
  std::vector<double> lower, upper, x0;
  for (const VaryingDimension& v : r.Vary) {
    dims.push_back(v.Dim);
    lower.push_back(v.Range.Lower);
    upper.push_back(v.Range.Upper);
    x0.push_back(std::clamp(ValueOf(r.Start, v.Dim), v.Range.Lower, v.Range.Upper));
  }
  Evaluator evaluator(r, dims);

  // Non-assembling candidates score worse the further they lie beyond the
  // assembling region, on the scale of the target's values.
  double scale = 0;
  for (const CurveSample& t : r.Target) scale = std::max(scale, std::fabs(t.Value));
  const double penalty = std::max(scale, 1e-3);

  const int budget =
      r.MaxEvaluations > 0 ? r.MaxEvaluations : 1500 + 1500 * static_cast<int>(n);
  Search search(evaluator, lower, upper, budget, penalty, progress, cancel);
  nlopt::srand(r.Seed);

  // The start first, so that it counts as a candidate; then the global stage
  // over the bounds, and local refinement from its best and from the start.
  search.Probe(x0);
  search.Stage(nlopt::GN_CRS2_LM, x0, budget * 7 / 20);
  const std::vector<double> globalBest = search.HasBest() ? search.Best() : x0;
  search.Stage(nlopt::LN_BOBYQA, globalBest, budget / 4);
  search.Stage(nlopt::LN_BOBYQA, x0, budget / 5);
  if (search.HasBest()) {
    search.Stage(nlopt::LN_SBPLX, search.Best(), budget - search.Evaluations());
  }
  if (search.Refused()) return refuse({FitProblem::StageRefused, dims[0], search.Refusal()});

  // Round to what the boxes hold, then walk the entry grid while that helps.
  // The best fit often lies on the edge of the assembling region, where the
  // nearest grid point may fall outside it: then the other corners of the
  // grid cell around it are tried, then grid points on the way back to the
  // start.
  int extra = 0;
  auto evaluate = [&](const std::vector<double>& x) {
    ++extra;
    return evaluator.Evaluate(x.data());
  };
  auto rounded = [&](const std::vector<double>& x) {
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i) y[i] = EntryValueWithin(dims[i], x[i], lower[i], upper[i]);
    return y;
  };
  std::vector<double> chosen;
  Evaluator::Outcome chosenOutcome;
  auto consider = [&](const std::vector<double>& x, const Evaluator::Outcome& o) {
    if (o.Ok && (chosen.empty() || o.Rms < chosenOutcome.Rms)) {
      chosen = x;
      chosenOutcome = o;
    }
  };
  if (search.HasBest()) {
    const std::vector<double>& best = search.Best();
    consider(rounded(best), evaluate(rounded(best)));
    if (chosen.empty() && n <= kMaxCornerDimensions) {
      for (unsigned mask = 0; mask < (1u << n); ++mask) {
        std::vector<double> y(n);
        for (std::size_t i = 0; i < n; ++i) {
          const double step = EntryStep(dims[i]);
          const double down = std::floor(best[i] / step) * step;
          y[i] = EntryValueWithin(dims[i], (mask >> i) & 1u ? down + step : down, lower[i],
                                  upper[i]);
        }
        consider(y, evaluate(y));
      }
    }
    for (int k = kRepairSteps; chosen.empty() && k >= 0; --k) {
      std::vector<double> y(n);
      const double t = std::ldexp(1.0, -k);
      for (std::size_t i = 0; i < n; ++i) y[i] = best[i] + t * (x0[i] - best[i]);
      y = rounded(y);
      consider(y, evaluate(y));
    }
  }
  // The rounded start competes as well.
  consider(rounded(x0), evaluate(rounded(x0)));

  // A cancelled search ends with the rounding alone.
  for (int pass = 0; pass < 50 && !chosen.empty() && !search.Cancelled(); ++pass) {
    bool improved = false;
    for (std::size_t i = 0; i < n; ++i) {
      for (double sign : {-1.0, 1.0}) {
        std::vector<double> y = chosen;
        y[i] = RoundToEntry(dims[i], chosen[i] + sign * EntryStep(dims[i]));
        if (y[i] < lower[i] || y[i] > upper[i] || y[i] == chosen[i]) continue;
        const Evaluator::Outcome t = evaluate(y);
        if (t.Ok && t.Rms < chosenOutcome.Rms) {
          chosen = y;
          chosenOutcome = t;
          improved = true;
        }
      }
    }
    if (!improved) break;
  }

  result.Evaluations = search.Evaluations() + extra;
  const bool cancelled = search.Cancelled();
  if (chosen.empty()) {
    result.Status = cancelled ? FitStatus::Cancelled : FitStatus::NoAssemblingSet;
    result.Problem = {FitProblem::NoAssemblingSet, dims[0], {}};
    result.Message = FitProblemText(result.Problem);
    return finish(result);
  }
  for (std::size_t i = 0; i < n; ++i) {
    SetValue(result.Fitted, dims[i], chosen[i]);
    // A step's share above one: the values are single-precision images.
    const double reach = EntryStep(dims[i]) * 1.001;
    result.AtBound.push_back(chosen[i] - lower[i] <= reach || upper[i] - chosen[i] <= reach);
  }
  result.Values = chosen;
  result.Rms = chosenOutcome.Rms;
  result.MaxError = chosenOutcome.MaxError;
  result.FittedCurve = SweepCurve(result.Fitted, r.MaxStroke, false);
  result.Status = cancelled ? FitStatus::Cancelled : FitStatus::Done;
  if (progress) progress({result.Rms, result.Evaluations});
  return finish(result);
}

}  // namespace potelan::assist
