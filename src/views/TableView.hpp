// Form_Value "数値表示": the result items of the base and the changed set for
// every 5 mm of stroke, side by side, over the engine's ResultTable; the item
// menus rebuild the columns; the output menu writes the CSV file and prints.
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

#include "model/AppState.hpp"
#include "model/ResultTable.hpp"

class QAction;
class QMenuBar;
class QPrinter;
class QTableView;

namespace potelan {

class GraphView;
class Prompts;
class ResultTableModel;

class TableView final : public QWidget {
  Q_OBJECT
 public:
  // The table's check marks return to their design state: the items shown
  // at start are checked again.
  TableView(AppState& state, ResultTable& table, GraphView& graph, Prompts& prompts,
            QWidget* parent = nullptr);
  ~TableView() override;

  // BuildTableLayout: columns, headers and widths from the item menus, the
  // graph's ratio-axis labels, the rows of the stroke range, then (unless the
  // stage is "NEW") the base refill of the stroke column and the base columns.
  void BuildTableLayout();
  // Shows what the sweeps wrote into the table.
  void Refresh();
  // MaxStroke was changed in the initial settings: the rows beyond the new
  // range go at once, so that neither the grid nor an export shows numbers
  // of the longer range. Rows a longer range adds come with the next sweep.
  void MaxStrokeChanged();
  // "CSVﾌｧｲﾙへ保存", "プリンタへ出力", "印刷プレビュー" and "PDFに保存". The
  // printer, the preview and the PDF file show the same lines on the same
  // pages: PaintReport draws them all.
  void SaveCsv();
  void Print();
  void PreviewReport();
  void SavePdf();
  // Ctrl+C in the grid: the selected cells go to the clipboard as
  // ResultTableModel::CopyText gives them.
  void CopySelection();

  // Distance of the printed report's lines, in ems of its font.
  static constexpr double kReportLineEms = 1.2;
  // The report's font size, where its longest line fits the page's width.
  static constexpr double kReportPointSize = 12;
  // How the report's lines go onto a printer's pages: the font size (smaller
  // than 12 pt only when the longest line would not fit the width of the
  // page), the distance of the lines in device pixels and the lines a page
  // holds (at least one).
  struct ReportLayout {
    double PointSize = kReportPointSize;
    double Pitch = 0;
    int LinesPerPage = 1;
  };
  static ReportLayout LayOutReport(QPrinter& printer, const QStringList& lines);
  // Draws the report's lines on the printer, a new page each time a page is
  // full. False when the printer could not start or a page could not be
  // added.
  static bool PaintReport(QPrinter& printer, const QStringList& lines);
  // Width of every grid column.
  static constexpr int kColumnTwips = 650;
  // The stroke rows the grid shows at the least. A window shorter than its
  // full size (the tiled windows on a small screen) scrolls its rows, the
  // scroll bar beside the columns.
  static constexpr int kMinVisibleStrokeRows = 3;
  // The grid's and the window's width for the shown items, in twips.
  int GridWidthTwips() const { return gridTwips_; }
  int WindowWidthTwips() const { return windowTwips_; }

  QTableView* Grid() const { return grid_; }
  ResultTableModel* Model() const { return model_; }
  // The item menu of a result item.
  QAction* ItemMenu(ResultItem item) const;
  // The printer that "プリンタへ出力" prints on; it keeps the last choice.
  QPrinter& Printer() { return *printer_; }

  // The full size: every column and the stroke rows 0..150 mm without
  // scrolling. The window opens at it and is never made larger; it can be
  // made shorter, down to kMinVisibleStrokeRows rows, and is then up to
  // ScrollBarWidth() wider, for the scroll bar.
  QSize sizeHint() const override;
  int ScrollBarWidth() const;
  // Whether a shorter window keeps its height when the table is fitted
  // again after a sweep (set by a tiling, cleared by a cascade); without it
  // every fitting gives the window its full size.
  void KeepHeight(bool keep) { keepHeight_ = keep; }

  // The user cannot close the window; the main window can.
  void AllowClose() { closeAllowed_ = true; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // An item menu was clicked and the layout rebuilt: the change-input form
  // processes the changed set again.
  void itemsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  // An item menu was clicked.
  void ClickItem(ResultItem item);
  // The check marks of the item menus follow the table's shown items.
  void SyncItemMenus();
  // Grid and window sizes for the columns and the rows the table holds.
  void FitSizes();
  // The grid in the window's height: as tall as the window lets it, up to
  // its full height, and wider by the scroll bar when its rows do not fit.
  void LayOutGrid();
  int RowHeight() const;
  // Frame and the two header lines of the grid.
  int GridChrome() const;

  AppState& state_;
  ResultTable& table_;
  GraphView& graph_;
  Prompts& prompts_;
  QMenuBar* menuBar_ = nullptr;
  QTableView* grid_ = nullptr;
  ResultTableModel* model_ = nullptr;
  std::array<QAction*, kResultItemCount> itemMenus_{};
  std::unique_ptr<QPrinter> printer_;
  int gridTwips_ = 0;
  int windowTwips_ = 0;
  QSize fullSize_;
  bool keepHeight_ = false;  // a tiling made the window shorter: keep it so
  bool closeAllowed_ = false;
};

}  // namespace potelan
