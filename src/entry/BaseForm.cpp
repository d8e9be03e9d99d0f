#include "entry/BaseForm.hpp"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <stdexcept>
#include <vector>

#include "entry/BoxNames.hpp"
#include "entry/TypePictures.hpp"
#include "entry/WidgetEntryForm.hpp"

namespace potelan {
namespace {

constexpr int kBoxWidth = 80;
constexpr int kRowSpacing = 4;

// The window captions, as the program has always spelled them.
const std::array<QString, 5> kWindowTitles{
    QStringLiteral("Suspension Type2"), QStringLiteral("Suspesion Type3"),
    QStringLiteral("Suspesion Type4"),  QStringLiteral("Suspesion Type5"),
    QStringLiteral("Suspesion Type6"),
};

struct Row {
  QString Box;
  QString Caption;
};

// The shock's upper mount: on the frame for Types 2 to 4, on the arm for 5, 6.
std::vector<Row> ShockMountRows(int type) {
  if (type <= 4) {
    return {{box::SusUpX, QStringLiteral("サス上部取付位置Ｘ座標　Ex=")},
            {box::SusUpY, QStringLiteral("サス上部取付位置Ｙ座標　Ey=")}};
  }
  return {{box::SusUpLength, QStringLiteral("サス上部取付長　OJ=")},
          {box::SusUpOffset, QStringLiteral("サス上部取付オフセット　EJ=")}};
}

// The link plate, the tension rod and the frame-side link mount (Types 3 to
// 6). The plate turns about B on the arm in Types 3 and 5, about D on the
// frame in Types 4 and 6, which renames its sides.
std::vector<Row> LinkRows(int type) {
  const bool onArm = type == 3 || type == 5;
  return {
      {box::LinkUp, onArm ? QStringLiteral("リンクプレート上辺　AB=")
                          : QStringLiteral("リンクプレート上辺　AD=")},
      {box::LinkFr, onArm ? QStringLiteral("リンクプレート前辺　AC=")
                          : QStringLiteral("リンクプレート前辺　CD=")},
      {box::LinkRr, onArm ? QStringLiteral("リンクプレート後辺　BC=")
                          : QStringLiteral("リンクプレート後辺　AC=")},
      {box::TenRod, onArm ? QStringLiteral("テンションロッド長　CD=")
                          : QStringLiteral("テンションロッド長　BC=")},
      {box::FrameLinkX, QStringLiteral("フレーム側リンク取付位置Ｘ座標　Dx=")},
      {box::FrameLinkY, QStringLiteral("フレーム側リンク取付位置Ｙ座標　Dy=")},
  };
}

// The swing arm and the axle. Type 2 carries the shock itself at A on the
// bracket FA; the other types carry the link at B on the bracket FB.
std::vector<Row> ArmRows(int type) {
  return {
      {box::ForkLength, QStringLiteral("リアフォーク長　OG=")},
      {box::ForkLinkLength, QStringLiteral("サスリンク取り付け長　OF=")},
      {box::ForkLinkOffset, type == 2 ? QStringLiteral("サス取り付けオフセット　AF=")
                                      : QStringLiteral("サス取り付けオフセット　BF=")},
      {box::AxleStartPos, QStringLiteral("リアアクスル初期位置　GH=")},
  };
}

std::vector<Row> SpringRows() {
  return {{box::Spring, QStringLiteral("スプリングレート=")},
          {box::Preload, QStringLiteral("プリロード=")}};
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
  setWindowTitle(kWindowTitles.at(static_cast<std::size_t>(susType_ - 2)));

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Picture_Type"));
  picture->setFixedSize(kTypePictureWidth, kTypePictureHeight);
  picture->setPixmap(TypePicture(susType_));

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(kRowSpacing);
  // A caption right-aligned against its box, so that every "=" stands by
  // the number it names.
  auto addRow = [&](const Row& row, int gridRow, int column) {
    auto* caption = new QLabel(row.Caption, this);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* box = new QLineEdit(this);
    box->setObjectName(row.Box);
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
  if (susType_ == 2) {
    // Spring and preload at the upper left, the shock's frame mount at the
    // upper right, the swing arm below them; the picture above it all.
    const std::vector<Row> springs = SpringRows();
    const std::vector<Row> mounts = ShockMountRows(2);
    // Created in reading order, which is also the order of the Tab key.
    for (std::size_t i = 0; i < 2; ++i) {
      addRow(springs[i], static_cast<int>(i), 0);
      addRow(mounts[i], static_cast<int>(i), 3);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setRowMinimumHeight(2, 8);
    int gridRow = 3;
    for (const Row& row : ArmRows(2)) addRow(row, gridRow++, 0);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addLayout(grid);
  } else {
    std::vector<Row> rows = ShockMountRows(susType_);
    for (const Row& row : LinkRows(susType_)) rows.push_back(row);
    for (const Row& row : ArmRows(susType_)) rows.push_back(row);
    for (const Row& row : SpringRows()) rows.push_back(row);
    int gridRow = 0;
    for (const Row& row : rows) addRow(row, gridRow++, 0);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(grid);
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);

  entry_ = std::make_unique<WidgetEntryForm>(*this);
}

BaseForm::~BaseForm() = default;

QString BaseForm::FillFromFileFolder(const std::string& appFolder) {
  const QString start = QString::fromStdString(appFolder);
  const QString links = start + QStringLiteral("/dat");
  return QDir(links).exists() ? links : start;
}

void BaseForm::closeEvent(QCloseEvent* event) {
  emit closedByUser();
  event->accept();
}

}  // namespace potelan
