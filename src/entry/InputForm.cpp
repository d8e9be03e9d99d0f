#include "entry/InputForm.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "entry/BoxNames.hpp"
#include "entry/ChangeViews.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/PositionForm.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Controls.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"

namespace potelan {
namespace {

const QString kNotFormed = QStringLiteral("変更された条件でリンクが成立しません");
const QString kRestoredFails = QStringLiteral("前の状態のデータでもリンクが成立しません");
const QString kBackToBase = QStringLiteral("基準の状態に戻します");
const QString kNoPosition = QStringLiteral("変更された条件のリンク位置が選ばれていません");
const QString kCannotStore =
    QStringLiteral("空欄または数値でない項目があるため一時保存できません");
const QString kBadPitch = QStringLiteral("変更ピッチには正の数を入力して下さい");
const QString kNotNumbers = QStringLiteral("次の項目の入力は数値ではありません");
const QString kEnterNumbers = QStringLiteral("数値を入力して下さい");
const QString kFrameX = QStringLiteral("サス上部取付位置Ｘ座標:");
const QString kFrameY = QStringLiteral("サス上部取付位置Ｙ座標:");
const QString kForkLength = QStringLiteral("サス上部取付長:");
const QString kForkOffset = QStringLiteral("サス上部取付オフセット:");
constexpr int kLabelWidth = 215;
constexpr int kBoxWidth = 80;
constexpr int kRowHeight = 20;
constexpr int kPulseMs = 200;

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent, int index = -1) {
  auto* label = new QLabel(caption, parent);
  if (index >= 0) {
    SetControlIndex(*label, name, index);
  } else {
    label->setObjectName(name);
  }
  return label;
}

QFrame* Separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setFixedHeight(5);
  return line;
}

}  // namespace

SpinButton::SpinButton(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  up_->setObjectName(name + "_Up");
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  down_->setObjectName(name + "_Down");
  for (QToolButton* button : {up_, down_}) {
    button->setFixedSize(18, kRowHeight / 2);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
  }
  connect(up_, &QToolButton::clicked, this, &SpinButton::up);
  connect(down_, &QToolButton::clicked, this, &SpinButton::down);
}

void SpinButton::SetCaption(const QString& caption) {
  const QString name = AccessibleCaption(caption);
  setAccessibleName(name);
  up_->setAccessibleName(name + QStringLiteral(" 上"));
  down_->setAccessibleName(name + QStringLiteral(" 下"));
}

InputForm::InputForm(AppState& state, Prompts& prompts, ChangeViews& views, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts), views_(views) {
  setObjectName("Form_Input");
  setWindowTitle(QStringLiteral("緒元入力"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(palette);
  entry_ = std::make_unique<WidgetEntryForm>(*this);
  BuildRows();

  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(kPulseMs);
  connect(timer_, &QTimer::timeout, this, &InputForm::PulseTick);

  // Load: the boxes show the base set, and the changed set starts as its copy.
  const EditMode kept = state_.Mode;
  state_.Mode = EditMode::FormInputLoad;
  const ConfigSet& base = state_.Set[kBaseSet];
  type_->setCurrentIndex(base.SusType - 2);
  label18_->setText(QStringLiteral("Type%1").arg(base.SusType));
  label23_->setText(QStringLiteral(" P %1").arg(base.SusPos));
  label16_->setText(QStringLiteral("P %1").arg(base.SusPos));
  pitch_->setCurrentIndex(2);
  state_.ChangePitch = 1.0;
  WriteSetToForm(state_, *entry_, kBaseSet);
  linkGroup_->setVisible(base.SusType != 2);
  frameGroup_->setVisible(base.SusType != 2);
  CopyBaseIntoChanged();
  ShowShockMountPair(base.SusType > 4);
  state_.Mode = kept;
}

InputForm::~InputForm() = default;

QLineEdit* InputForm::AddBox(const QString& name, QWidget* parentRow) {
  auto* box = new QLineEdit(parentRow);
  box->setObjectName(name);
  box->setFixedSize(kBoxWidth, kRowHeight);
  // The pivot moves stand right-aligned; the dimensions as typed.
  if (name == box::PivotX || name == box::PivotY) box->setAlignment(Qt::AlignRight);
  PaintBox(*box, BoxColour::White);
  boxes_.push_back(box);
  connect(box, &QLineEdit::returnPressed, this, [this, name] { EnterInBox(name); });
  return box;
}

void InputForm::BuildRows() {
  auto* outer = new QVBoxLayout(this);
  // Compact rows: the whole form, its buttons included, must fit the main
  // window's working area at its start-up size of 800 x 600.
  outer->setContentsMargins(8, 4, 8, 6);
  outer->setSpacing(1);

  // One grid per block so that the groups can be hidden as a whole; every
  // grid uses the same column widths, so the rows line up.
  auto newGrid = [&](QWidget* holder) {
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    grid->setColumnMinimumWidth(0, kLabelWidth);
    grid->setColumnMinimumWidth(1, kBoxWidth);
    grid->setColumnStretch(3, 1);
    return grid;
  };
  auto row = [&](QGridLayout* grid, QLabel* label, QWidget* entry, const QString& spin) {
    const int r = grid->rowCount();
    grid->addWidget(label, r, 0);
    if (entry != nullptr) {
      grid->addWidget(entry, r, 1);
      rowLabels_[entry] = label;
      // A box or list is named by its caption; the shock-mount pairs share
      // a row, and their boxes are named as they are built.
      if (qobject_cast<QLineEdit*>(entry) != nullptr || qobject_cast<QComboBox*>(entry) != nullptr) {
        NameAfterCaption(*entry, *label);
      }
    }
    if (!spin.isEmpty()) {
      auto* button = new SpinButton(spin, label->parentWidget());
      button->SetCaption(label->text());
      connect(button, &SpinButton::up, this, [this, spin] { Spin(spin, true); });
      connect(button, &SpinButton::down, this, [this, spin] { Spin(spin, false); });
      grid->addWidget(button, r, 2);
    }
  };
  auto block = [&](QWidget* holder = nullptr) {
    QWidget* widget = holder != nullptr ? holder : new QWidget(this);
    outer->addWidget(widget);
    return std::make_pair(widget, newGrid(widget));
  };

  // Type.
  {
    auto [w, grid] = block();
    // The caption and the list are siblings, so that the platform finds the
    // caption as the list's label.
    auto* h = new QHBoxLayout;
    h->setContentsMargins(0, 0, 0, 0);
    label18_ = MakeLabel("Label18", QString(), w);
    h->addWidget(label18_);
    h->addWidget(MakeLabel("Label5", QStringLiteral("→"), w));
    type_ = new QComboBox(w);
    type_->setObjectName(box::TypeList);
    type_->addItems({"Type2", "Type3", "Type4", "Type5", "Type6"});
    h->addWidget(type_);
    h->addStretch(1);
    QLabel* caption = MakeLabel("Label17", QStringLiteral("サスペンションタイプ:"), w);
    NameAfterCaption(*type_, *caption);
    grid->addWidget(caption, 0, 0);
    grid->addLayout(h, 0, 1, 1, 3);
    connect(type_, &QComboBox::currentIndexChanged, this, &InputForm::SelectType);
  }
  outer->addWidget(Separator(this));
  // Shock upper mount: the X/Y pair and the length/offset pair share a place.
  {
    auto [w, grid] = block();
    label3_ = MakeLabel("Label3", kFrameX, w);
    label4_ = MakeLabel("Label4", kFrameY, w);
    auto* first = new QWidget(w);
    auto* second = new QWidget(w);
    for (QWidget* holder : {first, second}) {
      auto* stack = new QGridLayout(holder);
      stack->setContentsMargins(0, 0, 0, 0);
    }
    // Each box of a pair is named by the caption the row shows with it.
    const std::pair<QWidget*, std::pair<const QString*, const QString*>> pairs[] = {
        {first, {&box::SusUpX, &kFrameX}},      {first, {&box::SusUpLength, &kForkLength}},
        {second, {&box::SusUpY, &kFrameY}},     {second, {&box::SusUpOffset, &kForkOffset}}};
    for (const auto& [holder, named] : pairs) {
      QLineEdit* edit = AddBox(*named.first, holder);
      edit->setAccessibleName(AccessibleCaption(*named.second));
      static_cast<QGridLayout*>(holder->layout())->addWidget(edit, 0, 0);
    }
    row(grid, label3_, first, "Spin_Ex");
    row(grid, label4_, second, "Spin_Ey");
  }
  // Frame-side link mount: group Picture1(1).
  frameGroup_ = new QFrame(this);
  SetControlIndex(*frameGroup_, "Picture1", 1);
  {
    auto [w, grid] = block(frameGroup_);
    row(grid, MakeLabel("Label7", QStringLiteral("フレーム側リンク取付位置Ｘ座標:"), w),
        AddBox(box::FrameLinkX, w), "Spin_Dx");
    row(grid, MakeLabel("Label8", QStringLiteral("フレーム側リンク取付位置Ｙ座標:"), w),
        AddBox(box::FrameLinkY, w), "Spin_Dy");
  }
  {
    auto [w, grid] = block();
    row(grid, MakeLabel("Label6", QStringLiteral("フォークリンク取付位置:"), w),
        AddBox(box::ForkLinkLength, w), "Spin_Fork_Link");
    row(grid, MakeLabel("Label12", QStringLiteral("リンク取付オフセット量:"), w),
        AddBox(box::ForkLinkOffset, w), "Spin_Link_Offset");
  }
  outer->addWidget(Separator(this));
  // The link plate, the tension rod and the position: group Picture1(0).
  linkGroup_ = new QFrame(this);
  SetControlIndex(*linkGroup_, "Picture1", 0);
  {
    auto [w, grid] = block(linkGroup_);
    row(grid, MakeLabel("Label9", QStringLiteral("リンクプレート上辺:"), w),
        AddBox(box::LinkUp, w), "Spin_Link_Up");
    row(grid, MakeLabel("Label10", QStringLiteral("リンクプレート前辺:"), w),
        AddBox(box::LinkFr, w), "Spin_Link_Fr");
    row(grid, MakeLabel("Label11", QStringLiteral("リンクプレート後辺:"), w),
        AddBox(box::LinkRr, w), "Spin_Link_Rr");
    row(grid, MakeLabel("Label1", QStringLiteral("テンションロッド長:"), w, 1),
        AddBox(box::TenRod, w), "Spin_Ten_Rod");
    auto* position = new QWidget(w);
    auto* h = new QHBoxLayout(position);
    h->setContentsMargins(0, 0, 0, 0);
    label16_ = MakeLabel("Label16", QString(), position);
    label23_ = MakeLabel(box::PositionLabel, QString(), position);
    auto* choose = new QPushButton(QStringLiteral("..."), position);
    choose->setObjectName("Command1");
    choose->setAccessibleName(QStringLiteral("リンク位置の選択"));
    choose->setFixedWidth(28);
    connect(choose, &QPushButton::clicked, this, &InputForm::ChoosePosition);
    h->addWidget(label16_);
    h->addWidget(MakeLabel("Label22", QStringLiteral("→"), position));
    h->addWidget(label23_);
    h->addWidget(choose);
    h->addStretch(1);
    const int r = grid->rowCount();
    grid->addWidget(MakeLabel("Label15", QStringLiteral("リンク位置:"), w), r, 0);
    grid->addWidget(position, r, 1, 1, 3);
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    row(grid, MakeLabel("Label1", QStringLiteral("リアフォーク長:"), w, 0),
        AddBox(box::ForkLength, w), "Spin_Fork_Length");
    row(grid, MakeLabel("Label21", QStringLiteral("リアアクスル初期位置:"), w),
        AddBox(box::AxleStartPos, w), "Spin_Axle_Start_Pos");
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    pitch_ = new QComboBox(w);
    pitch_->setObjectName("Combo_Pitch");
    pitch_->setEditable(true);
    pitch_->setInsertPolicy(QComboBox::NoInsert);  // a typed pitch is not added to the list
    // A pitch is what was typed: no completion of "0" to the listed "0.1".
    pitch_->setCompleter(nullptr);
    pitch_->addItems({"0.1", "0.5", "1.0"});
    pitch_->setFixedWidth(kBoxWidth);
    pitch_->installEventFilter(this);
    connect(pitch_, &QComboBox::activated, this,
            [this](int index) { SetPitchText(pitch_->itemText(index)); });
    connect(pitch_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { SetPitchText(pitch_->currentText()); });
    row(grid, MakeLabel("Label2", QStringLiteral("変更ピッチ:"), w), pitch_, QString());
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    row(grid, MakeLabel("Label20", QStringLiteral("スプリングレート:"), w),
        AddBox(box::Spring, w), "Spin_Spring");
    row(grid, MakeLabel("Label19", QStringLiteral("プリロード:"), w), AddBox(box::Preload, w),
        "Spin_Preload");
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    QLineEdit* pivotX = AddBox(box::PivotX, w);
    QLineEdit* pivotY = AddBox(box::PivotY, w);
    pivotX->setText("0");
    pivotY->setText("0");
    row(grid, MakeLabel("Label14", QStringLiteral("ピボットＸ座標:"), w), pivotX, "Spin_Pivot_x");
    row(grid, MakeLabel("Label13", QStringLiteral("ピボットＹ座標:"), w), pivotY, "Spin_Pivot_y");
  }
  // The rebound spring: kept, never shown.
  {
    auto [w, grid] = block();
    row(grid, MakeLabel("Label_Reb_Spring", QStringLiteral("リバウンドスプリングレート:"), w),
        AddBox(box::RebSpring, w), "Spin_Reb_Spring");
    row(grid, MakeLabel("Label_Reb_Spring_Length", QStringLiteral("リバウンドスプリング長:"), w),
        AddBox(box::RebSpringLength, w), "Spin_Reb_Spring_Length");
    w->hide();
  }
  outer->addWidget(Separator(this));
  {
    auto* buttons = new QWidget(this);
    auto* h = new QHBoxLayout(buttons);
    h->setContentsMargins(0, 4, 0, 0);
    auto* store = new QPushButton(QStringLiteral("一時保存"), buttons);
    store->setObjectName("Command_Store");
    auto* restore = new QPushButton(QStringLiteral("復帰"), buttons);
    restore->setObjectName("Command_Restore");
    connect(store, &QPushButton::clicked, this, &InputForm::Store);
    connect(restore, &QPushButton::clicked, this, &InputForm::Restore);
    h->addStretch(1);
    h->addWidget(store);
    h->addWidget(restore);
    outer->addWidget(buttons);
  }
  outer->addStretch(1);

  // The labels that mark members and joints of the changed linkage.
  for (const char* name : {"Label1", "Label9", "Label10", "Label11", "Label3", "Label4",
                           "Label7", "Label8", "Label21"}) {
    for (QLabel* label : findChildren<QLabel*>(name)) label->installEventFilter(this);
  }
}

void InputForm::ShowShockMountPair(bool onFork) {
  entry_->SetBoxShown(box::SusUpX, !onFork);
  entry_->SetBoxShown(box::SusUpY, !onFork);
  entry_->SetBoxShown(box::SusUpLength, onFork);
  entry_->SetBoxShown(box::SusUpOffset, onFork);
  label3_->setText(onFork ? kForkLength : kFrameX);
  label4_->setText(onFork ? kForkOffset : kFrameY);
  // The captions are the buddies of the boxes shown, and name the arrows.
  label3_->setBuddy(findChild<QLineEdit*>(onFork ? box::SusUpLength : box::SusUpX));
  label4_->setBuddy(findChild<QLineEdit*>(onFork ? box::SusUpOffset : box::SusUpY));
  if (auto* spin = findChild<SpinButton*>(QStringLiteral("Spin_Ex"))) spin->SetCaption(label3_->text());
  if (auto* spin = findChild<SpinButton*>(QStringLiteral("Spin_Ey"))) spin->SetCaption(label4_->text());
}

void InputForm::ApplyTypeLayout(int susType) {
  ShowShockMountPair(susType > 4);
  // The link-plate and frame-link groups belong to the types with a link
  // plate; hidden, their boxes take no part in the empty-box check.
  const bool plate = susType > 2;
  const bool changed = linkGroup_->isHidden() == plate || frameGroup_->isHidden() == plate;
  linkGroup_->setVisible(plate);
  frameGroup_->setVisible(plate);
  if (changed) FitToRows();
}

void InputForm::FitToRows() {
  // The frame the form stands in does not follow its contents by itself:
  // without this, rows that appear are squeezed into the height the form
  // had, one over the other.
  layout()->invalidate();
  layout()->activate();
  const QSize wanted = sizeHint().expandedTo(minimumSizeHint());
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (frame->isMaximized()) return;  // the area decides its size
    const QSize margins = frame->size() - size();
    frame->resize(std::max(frame->width(), wanted.width() + margins.width()),
                  wanted.height() + margins.height());
  } else {
    resize(std::max(width(), wanted.width()), wanted.height());
  }
}

void InputForm::CopyBaseIntoChanged() {
  CopyEnteredDimensions(state_.Set[kBaseSet], state_.Set[kChangedSet]);
  // The pivot boxes show the base set's move too: set 1 starts as its boxes
  // show it, not with the move an earlier editing session left in it (which
  // the next commit would bring back into the boxes and the drawing).
  state_.Set[kChangedSet].PivotMoveX = state_.Set[kBaseSet].PivotMoveX;
  state_.Set[kChangedSet].PivotMoveY = state_.Set[kBaseSet].PivotMoveY;
}

void InputForm::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool InputForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pitch_ && event->type() == QEvent::FocusOut) ApplyPitchText();
  if (auto* label = qobject_cast<QLabel*>(watched)) {
    QString name = label->objectName();
    // The label array Label1(0..1) is told apart by its index.
    if (name == "Label1") name += QStringLiteral("(%1)").arg(label->property(kIndexProperty).toInt());
    if (event->type() == QEvent::MouseButtonPress) PressLabel(name);
    if (event->type() == QEvent::MouseButtonRelease) ReleaseLabel(name);
  }
  return QWidget::eventFilter(watched, event);
}

// ---- commits -----------------------------------------------------------------

void InputForm::Spin(const QString& spinName, bool upArrow) {
  ConfigSet& s = state_.Set[kChangedSet];
  const double pitch = state_.ChangePitch;
  const double sign = upArrow ? 1.0 : -1.0;
  // Y-like values: the up arrow lowers the number, moving the point up.
  static const std::map<QString, std::function<void(ConfigSet&, double, double)>> kSpins = {
      {"Spin_Ex", [](ConfigSet& c, double d, double p) {
         (c.SusType > 4 ? c.SusUpLength : c.SusUpX) += d * p;
       }},
      {"Spin_Ey", [](ConfigSet& c, double d, double p) {
         (c.SusType > 4 ? c.SusUpOffset : c.SusUpY) -= d * p;
       }},
      {"Spin_Dx", [](ConfigSet& c, double d, double p) { c.FrameLinkX += d * p; }},
      {"Spin_Dy", [](ConfigSet& c, double d, double p) { c.FrameLinkY -= d * p; }},
      {"Spin_Fork_Link", [](ConfigSet& c, double d, double) { c.ForkLinkLength += d * 1.0; }},
      {"Spin_Link_Offset", [](ConfigSet& c, double d, double p) { c.ForkLinkOffset -= d * p; }},
      {"Spin_Link_Up", [](ConfigSet& c, double d, double p) { c.LinkUp += d * p; }},
      {"Spin_Link_Fr", [](ConfigSet& c, double d, double p) { c.LinkFr += d * p; }},
      {"Spin_Link_Rr", [](ConfigSet& c, double d, double p) { c.LinkRr += d * p; }},
      {"Spin_Ten_Rod", [](ConfigSet& c, double d, double p) { c.TenRodLength += d * p; }},
      {"Spin_Fork_Length", [](ConfigSet& c, double d, double) { c.ForkLength += d * 1.0; }},
      {"Spin_Axle_Start_Pos",
       [](ConfigSet& c, double d, double p) { c.AxleStartPos -= d * p; }},
      {"Spin_Spring", [](ConfigSet& c, double d, double) { c.SpringRate += d * 0.1; }},
      {"Spin_Preload", [](ConfigSet& c, double d, double p) { c.Preload += d * p; }},
      {"Spin_Reb_Spring", [](ConfigSet& c, double d, double) { c.RebSpringRate += d * 0.1; }},
      {"Spin_Reb_Spring_Length",
       [](ConfigSet& c, double d, double) { c.RebSpringLength += d * 0.1; }},
      // Moving the pivot shifts the frame-fixed points the opposite way.
      {"Spin_Pivot_x", [](ConfigSet& c, double d, double p) {
         c.PivotMoveX += d * p;
         c.SusUpX -= d * p;
         c.FrameLinkX -= d * p;
       }},
      {"Spin_Pivot_y", [](ConfigSet& c, double d, double p) {
         c.PivotMoveY -= d * p;
         c.SusUpY += d * p;
         c.FrameLinkY += d * p;
         c.AxleStartPos += d * p;
       }},
  };
  const auto found = kSpins.find(spinName);
  if (found == kSpins.end()) return;
  const ConfigSet before = s;
  // Text typed into a box without Enter is committed with the press, not
  // overwritten by it: the press steps what the boxes show.
  if (HasTypedText()) {
    if (!EmptyBoxCheck()) return;
    ReadFormToSet(state_, *entry_, kChangedSet);
    ForgetTypedText();
  }
  beforeCommit_ = before;
  found->second(s, sign, pitch);
  Judge();
}

bool InputForm::HasTypedText() const {
  for (const QLineEdit* box : boxes_) {
    if (box->isModified() && box->isVisibleTo(this)) return true;
  }
  return false;
}

void InputForm::ForgetTypedText() {
  for (QLineEdit* box : boxes_) box->setModified(false);
}

void InputForm::EnterInBox(const QString& boxName) {
  // The shock mount pair on the fork and the pivot boxes are taken by the
  // next commit only.
  if (boxName == box::SusUpLength || boxName == box::SusUpOffset || boxName == box::PivotX ||
      boxName == box::PivotY) {
    return;
  }
  // A box that is empty or holds no number stops the commit before anything
  // is read, so the changed set never takes its 0.
  if (!EmptyBoxCheck()) return;
  beforeCommit_ = state_.Set[kChangedSet];
  ReadFormToSet(state_, *entry_, kChangedSet);
  ForgetTypedText();
  Judge();
}

void InputForm::ChoosePosition() {
  beforeCommit_ = state_.Set[kChangedSet];
  // The choice solves and draws the set the boxes show, a type just chosen
  // in Combo1 included. Boxes that do not read are left to the judgement;
  // a set of a new type without a position is asked for one there.
  ReadFormToSet(state_, *entry_, kChangedSet);
  if (!state_.LinkFailed && !PositionForm::LacksPosition(state_.Set[kChangedSet])) {
    PositionForm::Run(state_, prompts_, this);
    label23_->setText(QStringLiteral(" P %1").arg(state_.Set[kChangedSet].SusPos));
  }
  ReadFormToSet(state_, *entry_, kChangedSet);
  Judge();
}

void InputForm::Store() {
  // A box that is empty or not a number would be stored as 0 and come back
  // as such at the restore: the snapshot is kept as it was, and the user is
  // told. Nothing is judged here: a bad box keeps its red mark, but its flag
  // must not be taken for a failed linkage at the next commit.
  const ConfigSet kept = state_.Set[kStoredSet];
  ReadFormToSet(state_, *entry_, kStoredSet);
  if (state_.LinkFailed) {
    state_.Set[kStoredSet] = kept;
    prompts_.Message(this, kCannotStore, text::kWarningTitle, MessageIcon::Error);
  }
  state_.LinkFailed = false;
}

void InputForm::Restore() {
  // Nothing has been stored yet: there is nothing to go back to.
  if (state_.Set[kStoredSet].SusType == 0) return;
  // The stored set comes back whole, its type and position included. While
  // it is written the type list's handler must not take the stored type for
  // a new one and empty the boxes.
  const ConfigSet& stored = state_.Set[kStoredSet];
  const EditMode kept = state_.Mode;
  state_.Mode = EditMode::Changing;
  WriteSetToForm(state_, *entry_, kStoredSet);
  label23_->setText(QStringLiteral(" P %1").arg(stored.SusPos));
  ApplyTypeLayout(stored.SusType);
  state_.Mode = kept;
  beforeCommit_ = state_.Set[kChangedSet];
  ReadFormToSet(state_, *entry_, kChangedSet);
  Judge();
}

void InputForm::SelectType(int index) {
  if (state_.Mode != EditMode::Change && state_.Mode != EditMode::New) return;
  if (index < 0) return;
  const int t = index + 2;
  ConfigSet& changed = state_.Set[kChangedSet];
  const ConfigSet& base = state_.Set[kBaseSet];
  ApplyTypeLayout(t);
  if (t < 5) {
    changed.SusUpX = base.SusUpX;
    changed.SusUpY = base.SusUpY;
  } else {
    changed.SusUpLength = base.SusUpLength;
    changed.SusUpOffset = base.SusUpOffset;
  }
  if (t != changed.SusType) {
    for (QLineEdit* box : boxes_) box->clear();
    views_.Close();
  }
}

void InputForm::SetPitchText(const QString& text) {
  const std::optional<double> pitch = ParseDecimal(text.trimmed().toStdString());
  if (!pitch || !(*pitch > 0)) {
    prompts_.Message(this, kBadPitch, text::kWarningTitle, MessageIcon::Error);
    ApplyPitchText();  // the pitch in force comes back into the box
    return;
  }
  state_.ChangePitch = *pitch;
  // The box keeps what was chosen or typed until it is left.
}

void InputForm::ApplyPitchText() {
  pitch_->setEditText(QString::fromStdString(GeneralDouble(state_.ChangePitch)));
}

// ---- judging and processing -----------------------------------------------

bool InputForm::EmptyBoxCheck() {
  // Every shown box that is empty or holds no number is marked red, the
  // first of them gets the focus, and those that hold no number are named.
  // Boxes of hidden rows are not looked at.
  QLineEdit* first = nullptr;
  QStringList notNumbers;
  for (QLineEdit* box : boxes_) {
    const NumberText kind =
        box->isVisibleTo(this) ? CheckNumberText(box->text()) : NumberText::Number;
    if (kind == NumberText::Number) {
      PaintBox(*box, BoxColour::White);
      continue;
    }
    PaintBox(*box, BoxColour::Red);
    if (first == nullptr) first = box;
    if (kind == NumberText::NotANumber) {
      notNumbers << RowCaption(box) + QStringLiteral("「") + box->text() + QStringLiteral("」");
    }
  }
  if (first == nullptr) return true;
  first->setFocus();
  if (!notNumbers.isEmpty()) {
    prompts_.Message(this, kNotNumbers + "\n" + notNumbers.join('\n') + "\n" + kEnterNumbers,
                     text::kWarningTitle, MessageIcon::Error);
  }
  return false;
}

QString InputForm::RowCaption(const QLineEdit* box) const {
  for (const QWidget* w = box; w != nullptr && w != this; w = w->parentWidget()) {
    const auto found = rowLabels_.find(w);
    if (found != rowLabels_.end()) return found->second->text();
  }
  return box->objectName();
}

void InputForm::Judge() {
  baseFailureShown_ = false;
  const std::optional<ConfigSet> before = std::exchange(beforeCommit_, std::nullopt);
  // The first judged change keeps what the boxes showed as the snapshot.
  // Boxes that a type change emptied, or that hold no number, are no set:
  // the snapshot waits for the first commit whose boxes all read.
  if (state_.Mode == EditMode::New) {
    AppState read = state_;
    read.LinkFailed = false;
    ReadFormToSet(read, *entry_, kStoredSet);
    if (!read.LinkFailed) {
      state_.Set[kStoredSet] = read.Set[kStoredSet];
      state_.Mode = EditMode::Change;
    }
  }
  if (views_.LoadDisplayShown()) views_.LoadDisplayOff();
  if (state_.Mode == EditMode::Changing || state_.Mode == EditMode::FormInputLoad) return;
  if (!EmptyBoxCheck()) {
    // The boxes were not judged: a flag left by reading them means nothing,
    // and set 1 goes back to what it was before this commit, so that no
    // later drawing or sweep shows values that were never judged.
    state_.LinkFailed = false;
    if (before) state_.Set[kChangedSet] = *before;
    return;
  }
  // A type with a link plate is judged only at a position of its own (the
  // solver would leave the set as it was and the stale numbers would pass):
  // the position is asked for first, and without one the commit is refused.
  if (!state_.LinkFailed && PositionForm::LacksPosition(state_.Set[kChangedSet])) {
    PositionForm::Run(state_, prompts_, this);
    label23_->setText(QStringLiteral(" P %1").arg(state_.Set[kChangedSet].SusPos));
    if (PositionForm::LacksPosition(state_.Set[kChangedSet])) {
      prompts_.Message(this, kNoPosition + "\n" + text::kPutBack, text::kWarningTitle,
                       MessageIcon::Error);
      RestorePreviousSet();
      return;
    }
  }

  // Set 1 back into the boxes. Its type in Combo1 is no type selection: the
  // handler would copy the base set's shock mount over the value just
  // written and judged (a spin press after a type change).
  const EditMode judging = state_.Mode;
  state_.Mode = EditMode::Changing;
  WriteSetToForm(state_, *entry_, kChangedSet);
  ApplyTypeLayout(state_.Set[kChangedSet].SusType);
  state_.Mode = judging;
  state_.Set[kChangedSet].SusLength0 = 0;
  if (NotFormed(SolveLinkage(state_, kChangedSet, state_.Set[kChangedSet].SusPos))) {
    state_.LinkFailed = false;
    prompts_.Message(this, kNotFormed + "\n" + text::kPutBack, text::kWarningTitle,
                     MessageIcon::Error);
    RestorePreviousSet();
  } else {
    Process();
  }
}

void InputForm::Process() {
  baseFailureShown_ = false;
  ProcessPass(Pass::Edit);
}

void InputForm::ProcessPass(Pass pass) {
  views_.EnsureOpen();
  views_.DrawChangedSet();
  PlotSink& graph = views_.Graph();
  ResultTable& table = views_.Table();
  graph.Clear();

  // The base set, unchecked as it was judged when it was entered; should it
  // fail now (the stroke range grew since), that is its own failure, told
  // once per commit. A flag left by an earlier sweep of the base set (the
  // table's refill) is not this sweep's.
  state_.LinkFailed = false;
  const int baseFailedAt = BaseRefill(state_, table, graph);
  state_.LinkFailed = false;
  state_.Set[kBaseWork].AxleStartPos = state_.Set[kBaseSet].AxleStartPos;
  if (baseFailedAt >= 0 && !baseFailureShown_) {
    baseFailureShown_ = true;
    prompts_.Message(this, QString::fromStdString(StrokeFailureMessage(baseFailedAt)),
                     text::kWarningTitle, MessageIcon::Error);
  }

  // The changed set over the whole stroke; on success it is the last good set.
  const SweepResult changed = ChangedSweep(state_, table, graph);
  views_.TableChanged();
  if (!changed.Ok) {
    const QString failed =
        QString::fromStdString(ChangedStrokeFailureMessage(changed.FailedStroke));
    switch (pass) {
      case Pass::Edit:
        prompts_.Message(this, failed + "\n" + text::kPutBack, text::kWarningTitle,
                         MessageIcon::Error);
        RestorePreviousSet();
        break;
      case Pass::AfterRestore:
        // The set put back fails as well (possible for the base set, whose
        // sweep is not judged, or after the stroke range grew): tell the
        // user once and show the base set; never restore in a loop.
        prompts_.Message(this, failed + "\n" + kRestoredFails + "\n" + kBackToBase,
                         text::kWarningTitle, MessageIcon::Error);
        RestoreFrom(kBaseSet);
        ProcessPass(Pass::BaseFallback);
        break;
      case Pass::BaseFallback:
        break;
    }
    return;
  }
  views_.DetailDrawingAtCheckedPitch();
}

void InputForm::RestorePreviousSet() {
  const int source = state_.Set[kLastGoodSet].ForkLength != 0 ? kLastGoodSet : kBaseSet;
  RestoreFrom(source);
  ProcessPass(source == kBaseSet ? Pass::BaseFallback : Pass::AfterRestore);
}

void InputForm::RestoreFrom(int source) {
  CopyEnteredDimensions(state_.Set[source], state_.Set[kChangedSet]);
  state_.Set[kChangedSet].SusLength0 = 0;
  // A failure here is found again, at its stroke, by the sweep that follows.
  static_cast<void>(SolveLinkage(state_, kChangedSet, state_.Set[kChangedSet].SusPos));
  state_.LinkFailed = false;
  state_.Mode = EditMode::Changing;
  WriteSetToForm(state_, *entry_, kChangedSet);
  label23_->setText(QStringLiteral(" P %1").arg(state_.Set[kChangedSet].SusPos));
  ApplyTypeLayout(state_.Set[kChangedSet].SusType);
  state_.Mode = EditMode::Change;
}

// ---- marking the changed linkage ------------------------------------------

namespace {
struct Mark {
  const char* Label;
  const char* Line;   // a member line to pulse, or
  const char* Joint;  // a joint marker to star
};
constexpr Mark kMarks[] = {
    {"Label1(0)", "Line_Fork", nullptr},   {"Label1(1)", "Line_Ten_Rod", nullptr},
    {"Label9", "Line_Link_Up", nullptr},   {"Label10", "Line_Link_Fr", nullptr},
    {"Label11", "Line_Link_Rr", nullptr},  {"Label3", nullptr, "Label_Sus_Up"},
    {"Label4", nullptr, "Label_Sus_Up"},   {"Label7", nullptr, "Label_Frame_Link"},
    {"Label8", nullptr, "Label_Frame_Link"}, {"Label21", nullptr, "Label_Axle"},
};

const Mark* FindMark(const QString& label) {
  for (const Mark& mark : kMarks) {
    if (label == QLatin1String(mark.Label)) return &mark;
  }
  return nullptr;
}
}  // namespace

void InputForm::PressLabel(const QString& labelName) {
  const Mark* mark = FindMark(labelName);
  if (mark == nullptr || !views_.IsOpen()) return;
  if (mark->Line != nullptr) {
    highlightLine_ = QString::fromLatin1(mark->Line);
    views_.ShowMember(highlightLine_);
    timer_->start();
  } else {
    views_.SetJointCaption(QString::fromLatin1(mark->Joint), QStringLiteral("★"));
  }
}

void InputForm::ReleaseLabel(const QString& labelName) {
  const Mark* mark = FindMark(labelName);
  if (mark == nullptr) return;
  if (mark->Line != nullptr) {
    timer_->stop();
    if (!highlightLine_.isEmpty() && views_.IsOpen()) views_.SetMemberWidth(highlightLine_, 1);
    highlightLine_.clear();
  } else if (views_.IsOpen()) {
    views_.SetJointCaption(QString::fromLatin1(mark->Joint), QString());
  }
}

void InputForm::PulseTick() {
  if (highlightLine_.isEmpty() || !views_.IsOpen()) return;
  const int width = views_.MemberWidth(highlightLine_);
  if (width >= 3) {
    highlightStep_ = -1;
  } else if (width <= 1) {
    highlightStep_ = 1;
  }
  views_.SetMemberWidth(highlightLine_, width + highlightStep_);
}

}  // namespace potelan
