#include "assistui/FitRunner.hpp"

namespace potelan {

FitRunner::FitRunner(QObject* parent) : QObject(parent) {}

FitRunner::~FitRunner() { Stop(); }

bool FitRunner::Start(assist::FitRequest request) {
  if (worker_ != nullptr) return false;
  cancelFlag_ = false;
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    latestProgress_ = {};
    progressPending_ = false;
  }
  auto fit = std::make_shared<const assist::CurveFit>(std::move(request));
  auto out = std::make_shared<assist::FitResult>();
  workerResult_ = out;
  worker_ = QThread::create([this, fit, out] {
    *out = fit->Run([this](const assist::FitProgress& p) { Post(p); }, &cancelFlag_);
  });
  worker_->setObjectName("AssistFit");
  const std::uint64_t run = ++runNumber_;
  connect(worker_, &QThread::finished, this, [this, run] { Finish(run); });
  worker_->start(QThread::LowPriority);
  return true;
}

void FitRunner::Post(const assist::FitProgress& progress) {
  bool post = false;
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    latestProgress_ = progress;
    post = !progressPending_;
    progressPending_ = true;
  }
  if (post)
    QMetaObject::invokeMethod(
        this, [this] { ShowLatest(); }, Qt::QueuedConnection);
}

void FitRunner::ShowLatest() {
  assist::FitProgress p;
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    p = latestProgress_;
    progressPending_ = false;
  }
  if (worker_ != nullptr) emit progressed(p);
}

void FitRunner::Cancel() {
  if (worker_ != nullptr) cancelFlag_ = true;
}

void FitRunner::Stop() {
  if (worker_ == nullptr) return;
  cancelFlag_ = true;
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  workerResult_.reset();
}

void FitRunner::Finish(std::uint64_t run) {
  // A run stopped and joined already, or one before the running one.
  if (worker_ == nullptr || run != runNumber_) return;
  worker_->wait();
  worker_->deleteLater();
  worker_ = nullptr;
  const assist::FitResult result = *workerResult_;
  workerResult_.reset();
  emit finished(result);
}

}  // namespace potelan
