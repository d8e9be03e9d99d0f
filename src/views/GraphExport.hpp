// Saving the graph: "画像として保存(PNG)..." and "SVGとして保存...". A saved
// picture is the figure painted whole by PaintFigure, at the size chosen.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

#include "views/GraphPainter.hpp"

class QWidget;

namespace potelan {

class Prompts;

// The figure written at `size`; false with `error` set when the file cannot
// be written.
bool WriteFigurePng(const GraphFigure& figure, const QString& path, const QSize& size,
                    QString& error);
bool WriteFigureSvg(const GraphFigure& figure, const QString& path, const QSize& size,
                    QString& error);

// Writes a picture to a path at a size; false with the error set.
using PictureWriter = std::function<bool(const QString& path, const QSize& size, QString& error)>;

// The size (starting at `size`), then the file, asked through `prompts`; a
// file that cannot be written is told.
void SaveGraphPng(Prompts& prompts, QWidget* parent, const QSize& size,
                  const PictureWriter& write);
// The file asked through `prompts`, then the picture written at the size
// `size` tells then.
void SaveGraphSvg(Prompts& prompts, QWidget* parent, const std::function<QSize()>& size,
                  const PictureWriter& write);

}  // namespace potelan
