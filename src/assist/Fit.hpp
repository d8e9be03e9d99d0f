// Fitting a linkage to a target curve: chosen dimensions of a set move within
// bounds until the set's curve (link ratio, its inverse or the axle load)
// comes as close as it can to a target, measured as the RMS of the
// difference over the 5 mm steps of the stroke. NLopt searches the bounds
// (a global stage, then derivative-free local refinement); a candidate that
// does not assemble over the whole stroke is never a result. The result is
// rounded to what the entry boxes hold and evaluated again, so its RMS is
// that of exactly the set that will be applied.
//
// A CurveFit holds its own copy of everything it needs and never touches the
// program's shared state, so it can run on a worker thread while the window
// that started it stays responsive; progress reports arrive on that thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assist/Characteristics.hpp"
#include "model/Dimensions.hpp"
#include "model/AppState.hpp"

namespace potelan::assist {

// The curve a fit compares.
enum class Quantity { LinkRatio, InvLinkRatio, AxleLoad };
// "ratio", "inverse", "axle-load".
std::string_view QuantityName(Quantity q);
std::optional<Quantity> QuantityFromName(std::string_view name);
double QuantityOf(const CurvePoint& point, Quantity q);

// A (stroke, value) point of a target or weight curve.
struct CurveSample {
  double Stroke = 0;
  double Value = 0;
};

// Linear interpolation between samples sorted by stroke; beyond the first or
// the last sample the end value holds.
double Interpolate(const std::vector<CurveSample>& samples, double stroke);

// Targets taken from a set's own curve: its value at every curve stroke.
std::vector<CurveSample> TargetFromCurve(const Curve& curve, Quantity q);
// Every value multiplied by `factor`.
std::vector<CurveSample> ScaleTarget(std::vector<CurveSample> target, double factor);
// `offset` added to every value.
std::vector<CurveSample> ShiftTarget(std::vector<CurveSample> target, double offset);
// The target tilted so that its progression ((last / first - 1) x 100 %)
// grows by `percentPoints`, keeping the value at the first stroke: each value
// is multiplied by 1 + a * (stroke - first) / (last - first). "+10 %
// progression" is percentPoints = 10. Unchanged when the first value is 0.
std::vector<CurveSample> AddProgression(std::vector<CurveSample> target, double percentPoints);
// (last / first - 1) x 100 % of a target; 0 when the first value is 0.
double TargetProgression(const std::vector<CurveSample>& target);

struct VaryingDimension {
  Dimension Dim = Dimension::LinkUp;
  Bounds Range;
};

struct FitRequest {
  ConfigSet Start;  // the set to start from; only the varied dimensions change
  std::int16_t MaxStroke = kDefaultMaxStroke;
  Quantity What = Quantity::LinkRatio;
  std::vector<CurveSample> Target;   // at least one point; distinct strokes
  std::vector<VaryingDimension> Vary;
  std::vector<CurveSample> Weights;  // weight along the stroke; empty: all 1
  int MaxEvaluations = 0;            // 0: a budget that grows with the dimensions
  unsigned Seed = 1;                 // of the global stage's random points
};

// A request with default bounds around the start values.
FitRequest MakeFitRequest(const ConfigSet& start, std::int16_t maxStroke, Quantity what,
                          std::vector<CurveSample> target, const std::vector<Dimension>& vary);

// Why a request cannot be run, in the program's words; nothing when it can.
std::optional<std::string> CheckFitRequest(const FitRequest& request);

enum class FitStatus {
  Done,             // the search ran to its end
  Cancelled,        // stopped by the cancel flag: the best set found so far
  NoAssemblingSet,  // no candidate assembled over the whole stroke
  BadRequest,       // see Message
};

// The last report of a run gives the result's own figures (after rounding).
struct FitProgress {
  double BestRms = 0;  // of the best assembling candidate so far (before rounding)
  int Evaluations = 0;
};
using FitProgressFn = std::function<void(const FitProgress&)>;

struct FitResult {
  FitStatus Status = FitStatus::BadRequest;
  std::string Message;         // for BadRequest and NoAssemblingSet
  ConfigSet Fitted;            // Start with the varied dimensions at Values
  std::vector<double> Values;  // by Vary, as the entry boxes hold them
  double Rms = 0;              // weighted RMS of Fitted's curve against the target
  double MaxError = 0;         // largest |curve - target| over the weighted 5 mm steps
  int Evaluations = 0;
  double Seconds = 0;
  Curve FittedCurve;           // for a preview (without rates)
};

class CurveFit {
 public:
  explicit CurveFit(FitRequest request);
  const FitRequest& Request() const { return request_; }

  // Runs the search. `progress` is called now and then with the best RMS so
  // far; setting `*cancel` ends the search soon after, with the best set
  // found until then. Safe to call from any thread.
  FitResult Run(const FitProgressFn& progress = {},
                const std::atomic<bool>* cancel = nullptr) const;

 private:
  FitRequest request_;
};

// The weighted RMS and largest error of a set's curve against a target, over
// the 5 mm steps (the largest error over those with a weight above 0);
// nothing when the set does not assemble over the whole stroke.
struct CurveError {
  double Rms = 0;
  double MaxError = 0;
};
std::optional<CurveError> MeasureFit(const ConfigSet& set, std::int16_t maxStroke, Quantity what,
                                     const std::vector<CurveSample>& target,
                                     const std::vector<CurveSample>& weights = {});

}  // namespace potelan::assist
