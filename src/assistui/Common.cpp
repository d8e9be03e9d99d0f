#include "assistui/Common.hpp"

#include <QLabel>
#include <QPushButton>
#include <QTableWidgetItem>
#include <algorithm>
#include <iterator>

#include "entry/BoxNames.hpp"

namespace potelan::assistui {
namespace {

using assist::Dimension;

struct DimensionText {
  Dimension Dim;
  const char* Caption;
  const QString* Box;
};
const DimensionText kDimensionTexts[] = {
    {Dimension::SusUpX, "サス上部取付位置Ｘ座標", &box::SusUpX},
    {Dimension::SusUpY, "サス上部取付位置Ｙ座標", &box::SusUpY},
    {Dimension::SusUpLength, "サス上部取付長", &box::SusUpLength},
    {Dimension::SusUpOffset, "サス上部取付オフセット", &box::SusUpOffset},
    {Dimension::ForkLength, "リアフォーク長", &box::ForkLength},
    {Dimension::ForkLinkLength, "フォークリンク取付位置", &box::ForkLinkLength},
    {Dimension::ForkLinkOffset, "リンク取付オフセット量", &box::ForkLinkOffset},
    {Dimension::AxleStartPos, "リアアクスル初期位置", &box::AxleStartPos},
    {Dimension::SpringRate, "スプリングレート", &box::Spring},
    {Dimension::Preload, "プリロード", &box::Preload},
    {Dimension::FrameLinkX, "フレーム側リンク取付位置Ｘ座標", &box::FrameLinkX},
    {Dimension::FrameLinkY, "フレーム側リンク取付位置Ｙ座標", &box::FrameLinkY},
    {Dimension::LinkUp, "リンクプレート上辺", &box::LinkUp},
    {Dimension::LinkFr, "リンクプレート前辺", &box::LinkFr},
    {Dimension::LinkRr, "リンクプレート後辺", &box::LinkRr},
    {Dimension::TenRodLength, "テンションロッド長", &box::TenRod},
};
const DimensionText& TextOf(Dimension d) {
  for (const DimensionText& t : kDimensionTexts) {
    if (t.Dim == d) return t;
  }
  return kDimensionTexts[0];
}

}  // namespace

QString Caption(Dimension d) { return QString::fromUtf8(TextOf(d).Caption); }
const QString& BoxName(Dimension d) { return *TextOf(d).Box; }

bool SameEntered(const ConfigSet& a, const ConfigSet& b) {
  if (a.SusType != b.SusType || a.SusPos != b.SusPos || a.PivotMoveX != b.PivotMoveX ||
      a.PivotMoveY != b.PivotMoveY) {
    return false;
  }
  return std::all_of(std::begin(kDimensionTexts), std::end(kDimensionTexts),
                     [&](const DimensionText& t) {
                       return assist::ValueOf(a, t.Dim) == assist::ValueOf(b, t.Dim);
                     });
}

QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(control);
  QString name = caption;
  name.remove(QLatin1Char(':'));
  control->setAccessibleName(name);
  return label;
}

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(caption);
  return button;
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace potelan::assistui
