// The real-motion view's two stroke sliders Slider1(0) (base) and Slider1(1)
// (changed), each under its caption Label_Slider, standing over the drawing.
#pragma once

#include <QObject>
#include <array>

class QLabel;
class QSlider;
class QWidget;

namespace potelan {

class StrokeSliders final : public QObject {
  Q_OBJECT
 public:
  // The sliders and captions go on `picture`; the sliders' mouse events pass
  // through `pressFilter`.
  StrokeSliders(QWidget* picture, QObject* pressFilter);

  QSlider* Slider(int k) const;
  QLabel* Caption(int k) const;
  int Value(int k) const;
  // The value set without telling anyone.
  void SetQuietly(int k, int value);
  // Both sliders over the stroke -maxStroke..0, at 0, without telling anyone.
  void CoverStroke(int maxStroke);
  // Each slider under its caption at `scale` pixels per millimetre of the
  // drawing, down to `height`; a caption wider than its slider is set
  // smaller until it fits.
  void Place(double scale, int height);
  // The sliders and their captions over everything else on the picture.
  void Raise();

 signals:
  // Slider k moved (dragged or set); the read-outs follow on Settled.
  void Moved(int k);
  // Slider k came to rest: let go, or moved without a drag.
  void Settled(int k);

 private:
  std::array<QSlider*, 2> sliders_{};
  std::array<QLabel*, 2> captions_{};
};

}  // namespace potelan
