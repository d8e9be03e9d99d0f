// Stroke playback of the real-motion view: a stroke that runs from 0 to the
// maximum stroke and back, again and again, at 0.5, 1 or 2 times the pace
// of one trip in kTripMs. A timer gives the frames; each advances the stroke
// by the time since the last frame, so the pace holds when frames come late.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QMenuBar;

namespace potelan {

class StrokePlayback final : public QObject {
  Q_OBJECT
 public:
  static constexpr int kFrameMs = 30;
  static constexpr double kTripMs = 3000;

  explicit StrokePlayback(QObject* parent);

  // The menu "ストローク再生": "再生", "停止" and the exclusive speeds "0.5×",
  // "1×" (checked at first) and "2×".
  void AddMenu(QMenuBar& bar);

  // Frames start from `stroke` (clamped to 0..maxStroke), going on in the
  // direction the last playback went.
  void Start(int stroke, int maxStroke);
  void Stop();
  bool Playing() const { return timer_.isActive(); }

  // One frame `elapsedMs` after the last: the stroke moves on, turning at
  // either end, and StrokeAt tells where it is. The timer calls it with the
  // time measured.
  void Advance(double elapsedMs);

 signals:
  // The stroke of this frame in whole millimetres (0..maxStroke).
  void StrokeAt(int stroke);
  // "再生" or "停止" was chosen.
  void PlayChosen();
  void StopChosen();

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  // Times the pace of one trip in kTripMs, as checked in the menu.
  double speed_ = 1;
  double stroke_ = 0;
  int maxStroke_ = 0;
  int direction_ = 1;
};

}  // namespace potelan
