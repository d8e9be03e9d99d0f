// Runs one fit at a time on a worker thread of its own and hands its progress
// and result to the UI thread.
//
// The worker sees only its own copy of the request, the cancel flag and the
// progress mailbox, all of which the runner owns and outlives it: Stop() and
// the destructor wait for the worker before anything goes away. Progress
// reports are folded, so that the UI thread has at most one update pending
// and always shows the latest figures.
//
// A QThread of our own rather than QtConcurrent: the engine polls a plain
// atomic flag to cancel, so a QFuture's cancel state would be a second flag
// to keep in step; its progress is a pair of figures, not the integer a
// QFutureWatcher reports; and the search runs at low priority on its own
// thread instead of taking one of the shared pool's threads for minutes.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "assist/Fit.hpp"

namespace potelan {

class FitRunner final : public QObject {
  Q_OBJECT
 public:
  explicit FitRunner(QObject* parent = nullptr);
  ~FitRunner() override;

  bool Running() const { return worker_ != nullptr; }
  // Starts a fit of `request`; false when one is running.
  bool Start(assist::FitRequest request);
  // Asks the running fit to end soon; it still ends with finished(), with
  // the best set found until then.
  void Cancel();
  bool Cancelling() const { return cancelFlag_; }
  // Cancels a running fit and waits for its worker; no finished() follows.
  void Stop();

 signals:
  // On the UI thread, while the fit runs.
  void progressed(const assist::FitProgress& progress);
  // On the UI thread, once the worker has ended.
  void finished(const assist::FitResult& result);

 private:
  void Post(const assist::FitProgress& progress);  // on the worker
  void ShowLatest();
  void Finish(std::uint64_t run);

  std::atomic<bool> cancelFlag_{false};
  QThread* worker_ = nullptr;
  std::uint64_t runNumber_ = 0;  // tells a finished run from a stopped one
  std::shared_ptr<assist::FitResult> workerResult_;
  std::mutex progressLock_;
  assist::FitProgress latestProgress_;
  bool progressPending_ = false;
};

}  // namespace potelan
