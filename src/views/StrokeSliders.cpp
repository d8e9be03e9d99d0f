#include "views/StrokeSliders.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>

#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"
#include "views/RealPicture.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::StrokeSliders", text); }

// Captions of the two sliders.
const std::array<const char*, 2> kSliderCaptions = {
    QT_TRANSLATE_NOOP("potelan::StrokeSliders", "基準"),
    QT_TRANSLATE_NOOP("potelan::StrokeSliders", "変更")};
constexpr double kLabelPointSize = 9;
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

// The sliders stand at x = 611 and 655 mm of the drawing of an unmoved pivot,
// over its full height; the first ends where the second begins.
constexpr double kSlider0Left = 611 + RealPicture::kPivotFromLeft;
constexpr double kSlider1Left = 655 + RealPicture::kPivotFromLeft;
constexpr double kSlider1Width = 65;

// A stroke slider. Its value runs from -MaxStroke at the top to 0 at the
// bottom, so the thumb rises with the axle. Styles fill the groove from the
// minimum end to the thumb, which here would fill the stroke still to go;
// the slider is painted as its own mirror image instead (the ends swapped
// and the value reflected), which leaves the thumb where it is and fills
// the groove from stroke 0 up to the thumb: the stroke travelled.
class StrokeSlider final : public QSlider {
 public:
  explicit StrokeSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    setInvertedControls(true);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (tickPosition() != NoTicks) option.subControls |= QStyle::SC_SliderTickmarks;
    option.upsideDown = !option.upsideDown;
    option.sliderPosition = option.minimum + option.maximum - option.sliderPosition;
    option.sliderValue = option.minimum + option.maximum - option.sliderValue;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
  }
};

}  // namespace

StrokeSliders::StrokeSliders(QWidget* picture, QObject* pressFilter) : QObject(picture) {
  const QFont font = GothicFont(kLabelPointSize);
  for (int k = 0; k < 2; ++k) {
    // The top end is the full stroke: the thumb rises with the axle.
    auto* slider = new StrokeSlider(picture);
    SetControlIndex(*slider, QStringLiteral("Slider1"), k);
    const QString& caption = Tr(kSliderCaptions[static_cast<std::size_t>(k)]);
    slider->setAccessibleName(caption);
    slider->setToolTip(caption);
    // Each slider's caption stands over it, in the colour of its side.
    auto* label = new QLabel(caption, picture);
    SetControlIndex(*label, QStringLiteral("Label_Slider"), k);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, k == 1 ? kRed : kBlack);
    label->setPalette(palette);
    label->setBuddy(slider);
    captions_[static_cast<std::size_t>(k)] = label;
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->installEventFilter(pressFilter);
    connect(slider, &QSlider::valueChanged, this, [this, k, slider](int /*value*/) {
      // A drag moves the linkage; the read-outs follow when the thumb is let go.
      emit Moved(k);
      if (!slider->isSliderDown()) emit Settled(k);
    });
    connect(slider, &QSlider::sliderReleased, this, [this, k] { emit Settled(k); });
    sliders_[static_cast<std::size_t>(k)] = slider;
  }
}

QSlider* StrokeSliders::Slider(int k) const {
  if (k != 0 && k != 1) return nullptr;
  return sliders_[static_cast<std::size_t>(k)];
}

QLabel* StrokeSliders::Caption(int k) const {
  if (k != 0 && k != 1) return nullptr;
  return captions_[static_cast<std::size_t>(k)];
}

int StrokeSliders::Value(int k) const { return sliders_[static_cast<std::size_t>(k)]->value(); }

void StrokeSliders::SetQuietly(int k, int value) {
  QSlider* slider = sliders_[static_cast<std::size_t>(k)];
  const QSignalBlocker quiet(slider);
  slider->setValue(value);
}

void StrokeSliders::CoverStroke(int maxStroke) {
  for (QSlider* slider : sliders_) {
    QSignalBlocker quiet(slider);
    slider->setRange(-maxStroke, 0);
    slider->setValue(0);
  }
}

void StrokeSliders::Place(double scale, int height) {
  const auto px = [scale](double mm) { return static_cast<int>(std::lround(mm * scale)); };
  const std::array<int, 3> sliderEdges = {px(kSlider0Left), px(kSlider1Left),
                                          px(kSlider1Left + kSlider1Width)};
  int captionHeight = 0;
  for (std::size_t k = 0; k < 2; ++k) {
    QLabel* label = captions_[k];
    const int width = sliderEdges[k + 1] - sliderEdges[k];
    QFont font = GothicFont(kLabelPointSize);
    while (font.pointSizeF() > 4 &&
           QFontMetricsF(font).horizontalAdvance(label->text()) > width) {
      font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
    captionHeight = std::max(captionHeight, label->sizeHint().height());
  }
  for (std::size_t k = 0; k < 2; ++k) {
    const int left = sliderEdges[k];
    const int width = sliderEdges[k + 1] - left;
    captions_[k]->setGeometry(left, 0, width, captionHeight);
    sliders_[k]->setGeometry(left, captionHeight, width, height - captionHeight);
  }
}

void StrokeSliders::Raise() {
  for (std::size_t k = 0; k < 2; ++k) {
    captions_[k]->raise();
    sliders_[k]->raise();
  }
}

}  // namespace potelan
