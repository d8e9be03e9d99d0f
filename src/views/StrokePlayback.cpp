#include "views/StrokePlayback.hpp"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <array>
#include <cmath>

#include "ui/Controls.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) {
  return QCoreApplication::translate("potelan::StrokePlayback", text);
}

const char* const kMenu = QT_TRANSLATE_NOOP("potelan::StrokePlayback", "ストローク再生");
const char* const kPlay = QT_TRANSLATE_NOOP("potelan::StrokePlayback", "再生");
const char* const kStop = QT_TRANSLATE_NOOP("potelan::StrokePlayback", "停止");
const std::array<QString, 3> kSpeedCaptions = {QStringLiteral("0.5×"), QStringLiteral("1×"),
                                               QStringLiteral("2×")};
constexpr std::array<double, 3> kSpeeds = {0.5, 1, 2};
constexpr std::size_t kNormalSpeed = 1;

}  // namespace

StrokePlayback::StrokePlayback(QObject* parent) : QObject(parent) {
  timer_.setInterval(kFrameMs);
  connect(&timer_, &QTimer::timeout, this,
          [this] { Advance(static_cast<double>(clock_.restart())); });
}

void StrokePlayback::Start(int stroke, int maxStroke) {
  maxStroke_ = std::max(0, maxStroke);
  stroke_ = std::clamp(static_cast<double>(stroke), 0.0, static_cast<double>(maxStroke_));
  clock_.start();
  timer_.start();
}

void StrokePlayback::Stop() { timer_.stop(); }

void StrokePlayback::Advance(double elapsedMs) {
  if (maxStroke_ <= 0 || !std::isfinite(elapsedMs) || !std::isfinite(speed_)) {
    emit StrokeAt(0);
    return;
  }
  const double span = maxStroke_;
  double step = std::max(elapsedMs, 0.0) * speed_ * span / kTripMs;
  // Whole round trips leave the stroke where it was; what is left turns at
  // an end at most twice.
  step = std::fmod(step, 2 * span);
  stroke_ += direction_ * step;
  while (stroke_ > span || stroke_ < 0) {
    stroke_ = stroke_ > span ? 2 * span - stroke_ : -stroke_;
    direction_ = -direction_;
  }
  emit StrokeAt(static_cast<int>(std::lround(stroke_)));
}

void StrokePlayback::AddMenu(QMenuBar& bar) {
  QMenu* menu = bar.addMenu(Tr(kMenu));
  SetControlIndex(*menu, QStringLiteral("menu_dummy"), 2);
  QAction* play = menu->addAction(Tr(kPlay));
  play->setObjectName(QStringLiteral("menu_play"));
  connect(play, &QAction::triggered, this, &StrokePlayback::PlayChosen);
  QAction* stop = menu->addAction(Tr(kStop));
  stop->setObjectName(QStringLiteral("menu_stop"));
  connect(stop, &QAction::triggered, this, &StrokePlayback::StopChosen);
  menu->addSeparator();
  auto* speeds = new QActionGroup(menu);
  speeds->setExclusive(true);
  for (std::size_t i = 0; i < kSpeeds.size(); ++i) {
    QAction* item = menu->addAction(kSpeedCaptions[i]);
    SetControlIndex(*item, QStringLiteral("menu_speed"), static_cast<int>(i));
    item->setCheckable(true);
    item->setChecked(i == kNormalSpeed);
    speeds->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { speed_ = kSpeeds[i]; });
  }
}

}  // namespace potelan
