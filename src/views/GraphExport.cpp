#include "views/GraphExport.hpp"

#include <QBuffer>
#include <QPainter>
#include <QRect>
#include <QSaveFile>
#include <QSvgGenerator>
#include <optional>

#include "ui/Prompts.hpp"
#include "views/GraphView.hpp"

namespace potelan {
namespace {

const QString kSavePngTitle = QStringLiteral("画像として保存");
const QString kSavePngFilter = QStringLiteral("PNG画像(*.png)|*.png");
const QString kSaveSvgTitle = QStringLiteral("SVGとして保存");
const QString kSaveSvgFilter = QStringLiteral("SVG画像(*.svg)|*.svg");
const QString kSaveFailed = QStringLiteral("グラフを保存できません");
const QString kSvgDescription =
    QStringLiteral("ﾘﾝｸﾚｼｵとアクスル荷重のアクスルストロークに対するグラフ");

}  // namespace

bool WriteFigurePng(const GraphFigure& figure, const QString& path, const QSize& size,
                    QString& error) {
  QImage picture(size, QImage::Format_RGB32);
  if (picture.isNull()) {  // an empty size, or no memory for it
    error = QStringLiteral("no picture of %1 x %2 pixels").arg(size.width()).arg(size.height());
    return false;
  }
  {
    QPainter painter(&picture);
    PaintFigure(painter, size, figure);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

bool WriteFigureSvg(const GraphFigure& figure, const QString& path, const QSize& size,
                    QString& error) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);  // CSS pixels: the picture opens at its size
    svg.setTitle(GraphView::kCaption);
    svg.setDescription(kSvgDescription);
    QPainter painter(&svg);
    PaintFigure(painter, size, figure);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() ||
      !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

void SaveGraphPng(Prompts& prompts, QWidget* parent, const QSize& size,
                  const PictureWriter& write) {
  const std::optional<QSize> chosen = prompts.ChooseImageSize(parent, size);
  if (!chosen) return;
  const std::optional<QString> path =
      prompts.SaveFile(parent, {kSavePngTitle, kSavePngFilter, QStringLiteral("png"), QString()});
  if (!path) return;
  QString error;
  if (!write(*path, *chosen, error)) TellFileFailure(prompts, parent, kSaveFailed, *path, error);
}

void SaveGraphSvg(Prompts& prompts, QWidget* parent, const std::function<QSize()>& size,
                  const PictureWriter& write) {
  const std::optional<QString> path =
      prompts.SaveFile(parent, {kSaveSvgTitle, kSaveSvgFilter, QStringLiteral("svg"), QString()});
  if (!path) return;
  QString error;
  if (!write(*path, size(), error)) TellFileFailure(prompts, parent, kSaveFailed, *path, error);
}

}  // namespace potelan
