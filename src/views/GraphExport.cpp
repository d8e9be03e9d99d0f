#include "views/GraphExport.hpp"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QRect>
#include <QSaveFile>
#include <QSvgGenerator>
#include <optional>

#include "ui/Prompts.hpp"
#include "views/GraphView.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::GraphExport", text); }

const char* const kSavePngTitle = QT_TRANSLATE_NOOP("potelan::GraphExport", "画像として保存");
const char* const kSavePngFilter =
    QT_TRANSLATE_NOOP("potelan::GraphExport", "PNG画像(*.png)|*.png");
const char* const kSaveSvgTitle = QT_TRANSLATE_NOOP("potelan::GraphExport", "SVGとして保存");
const char* const kSaveSvgFilter =
    QT_TRANSLATE_NOOP("potelan::GraphExport", "SVG画像(*.svg)|*.svg");
const char* const kSaveFailed = QT_TRANSLATE_NOOP("potelan::GraphExport", "グラフを保存できません");
const char* const kSvgDescription = QT_TRANSLATE_NOOP(
    "potelan::GraphExport", "ﾘﾝｸﾚｼｵとアクスル荷重のアクスルストロークに対するグラフ");

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
    svg.setTitle(GraphView::Caption());
    svg.setDescription(Tr(kSvgDescription));
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
  const std::optional<QString> path = prompts.SaveFile(
      parent, {Tr(kSavePngTitle), Tr(kSavePngFilter), QStringLiteral("png"), QString()});
  if (!path) return;
  QString error;
  if (!write(*path, *chosen, error))
    TellFileFailure(prompts, parent, Tr(kSaveFailed), *path, error);
}

void SaveGraphSvg(Prompts& prompts, QWidget* parent, const std::function<QSize()>& size,
                  const PictureWriter& write) {
  const std::optional<QString> path = prompts.SaveFile(
      parent, {Tr(kSaveSvgTitle), Tr(kSaveSvgFilter), QStringLiteral("svg"), QString()});
  if (!path) return;
  QString error;
  if (!write(*path, size(), error)) TellFileFailure(prompts, parent, Tr(kSaveFailed), *path, error);
}

}  // namespace potelan
