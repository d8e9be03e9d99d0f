#include "entry/BaseForm.hpp"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "entry/BoxNames.hpp"
#include "entry/TypePictures.hpp"
#include "entry/WidgetEntryForm.hpp"

namespace potelan {
namespace {

constexpr int kBoxWidth = 80;
constexpr int kRowSpacing = 4;

// The window captions, as the program has always spelled them (the English
// ones spelled right).
constexpr std::array<const char*, 5> kWindowTitles{
    QT_TRANSLATE_NOOP("potelan::BaseForm", "Suspension Type2"),
    QT_TRANSLATE_NOOP("potelan::BaseForm", "Suspesion Type3"),
    QT_TRANSLATE_NOOP("potelan::BaseForm", "Suspesion Type4"),
    QT_TRANSLATE_NOOP("potelan::BaseForm", "Suspesion Type5"),
    QT_TRANSLATE_NOOP("potelan::BaseForm", "Suspesion Type6"),
};

// A row's caption: the table's caption, a full-width blank and the points of
// the type's picture it spans, then "=" ("リアフォーク長　OG=").
QString RowCaption(Dimension d, int type) {
  const std::string_view points = Points(d, type);
  const QString caption = DimensionText(BaseCaption(d));
  if (points.empty()) return caption + QLatin1Char('=');
  return QCoreApplication::translate("potelan::BaseForm", "%1　%2=").arg(caption, TableText(points));
}

std::vector<Dimension> RowsOf(const std::vector<Dimension>& rows, DimensionGroup group) {
  std::vector<Dimension> chosen;
  for (const Dimension d : rows) {
    if (InfoOf(d).Group == group) chosen.push_back(d);
  }
  return chosen;
}

int CheckedType(int susType) {
  if (susType < 2 || susType > 6) {
    throw std::out_of_range("BaseForm: link type must be 2..6");
  }
  return susType;
}

}  // namespace

BaseForm::BaseForm(int susType, QWidget* parent) : QWidget(parent), susType_(CheckedType(susType)) {
  setObjectName(formname::BaseForm(susType_));
  setWindowTitle(tr(kWindowTitles.at(static_cast<std::size_t>(susType_ - 2))));

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Picture_Type"));
  picture->setFixedSize(kTypePictureWidth, kTypePictureHeight);
  picture->setPixmap(TypePicture(susType_));

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(kRowSpacing);
  // A caption right-aligned against its box, so that every "=" stands by
  // the number it names.
  auto addRow = [&](Dimension d, int gridRow, int column) {
    auto* caption = new QLabel(RowCaption(d, susType_), this);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* box = new QLineEdit(this);
    box->setObjectName(DimensionBox(d));
    box->setFixedWidth(kBoxWidth);
    box->setAlignment(Qt::AlignRight);
    PaintBox(*box, BoxColour::White);
    // Any change clears the red mark that a failed read left on the box.
    connect(box, &QLineEdit::textChanged, box, [box] { PaintBox(*box, BoxColour::White); });
    // Named by its caption for screen readers; the caption is its buddy.
    NameAfterCaption(*box, *caption);
    grid->addWidget(caption, gridRow, column);
    grid->addWidget(box, gridRow, column + 1);
  };

  auto* layout =
      new QBoxLayout(susType_ == 2 ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(12);
  // The rows of the type, top to bottom.
  const std::vector<Dimension> rows = FormDimensions(susType_);
  if (susType_ == 2) {
    // Spring and preload at the upper left, the shock's frame mount at the
    // upper right, the swing arm below them; the picture above it all.
    const std::vector<Dimension> springs = RowsOf(rows, DimensionGroup::Spring);
    const std::vector<Dimension> mounts = RowsOf(rows, DimensionGroup::ShockMount);
    // Created in reading order, which is also the order of the Tab key.
    for (std::size_t i = 0; i < 2; ++i) {
      addRow(springs[i], static_cast<int>(i), 0);
      addRow(mounts[i], static_cast<int>(i), 3);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setRowMinimumHeight(2, 8);
    int gridRow = 3;
    for (const Dimension d : rows) {
      const DimensionGroup group = InfoOf(d).Group;
      if (group != DimensionGroup::Spring && group != DimensionGroup::ShockMount) {
        addRow(d, gridRow++, 0);
      }
    }
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addLayout(grid);
  } else {
    int gridRow = 0;
    for (const Dimension d : rows) addRow(d, gridRow++, 0);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(grid);
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);

  entry_ = std::make_unique<WidgetEntryForm>(*this);
}

BaseForm::~BaseForm() = default;

void BaseForm::closeEvent(QCloseEvent* event) {
  emit closedByUser();
  event->accept();
}

}  // namespace potelan
