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
#include "entry/SessionWindowsPrompts.hpp"
#include "entry/Translated.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "model/Dimensions.hpp"
#include "model/NumberFormat.hpp"
#include "session/EditSession.hpp"
#include "ui/Controls.hpp"

namespace potelan {
namespace {

constexpr TranslatedText kNotNumbers{
    "potelan::InputForm",
    QT_TRANSLATE_NOOP("potelan::InputForm", "次の項目の入力は数値ではありません")};
constexpr TranslatedText kEnterNumbers{
    "potelan::InputForm", QT_TRANSLATE_NOOP("potelan::InputForm", "数値を入力して下さい")};

// The caption of a dimension's row, from the table of dimensions.
QString Caption(Dimension d) { return DimensionCaption(d) + QStringLiteral(":"); }

// The object names of the rows' captions (Label1 is an array of two).
struct CaptionName {
  Dimension Dim;
  const char* Name;
  int Index;
};
constexpr CaptionName kCaptionNames[] = {
    {Dimension::FrameLinkX, "Label7", -1},       {Dimension::FrameLinkY, "Label8", -1},
    {Dimension::ForkLinkLength, "Label6", -1},   {Dimension::ForkLinkOffset, "Label12", -1},
    {Dimension::LinkUp, "Label9", -1},           {Dimension::LinkFr, "Label10", -1},
    {Dimension::LinkRr, "Label11", -1},          {Dimension::TenRodLength, "Label1", 1},
    {Dimension::ForkLength, "Label1", 0},        {Dimension::AxleStartPos, "Label21", -1},
    {Dimension::SpringRate, "Label20", -1},      {Dimension::Preload, "Label19", -1},
    {Dimension::PivotMoveX, "Label14", -1},      {Dimension::PivotMoveY, "Label13", -1},
    {Dimension::RebSpringRate, "Label_Reb_Spring", -1},
    {Dimension::RebSpringLength, "Label_Reb_Spring_Length", -1},
};
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
  up_->setAccessibleName(tr("%1 上").arg(name));
  down_->setAccessibleName(tr("%1 下").arg(name));
}

InputForm::InputForm(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(&session), views_(session.Views()) {
  Load();
}

InputForm::InputForm(AppState& state, Prompts& prompts, ChangeViews& views, QWidget* parent)
    : QWidget(parent),
      ownPrompts_(std::make_unique<SessionWindowsPrompts>(state, prompts, this)),
      ownSession_(std::make_unique<EditSession>(state, *ownPrompts_, views)),
      session_(ownSession_.get()),
      views_(views) {
  Load();
}

void InputForm::Load() {
  setObjectName("Form_Input");
  setWindowTitle(tr("緒元入力"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(palette);
  entry_ = std::make_unique<WidgetEntryForm>(*this);
  BuildRows();

  pulseTimer_ = new QTimer(this);
  pulseTimer_->setObjectName("Timer1");
  pulseTimer_->setInterval(kPulseMs);
  connect(pulseTimer_, &QTimer::timeout, this, &InputForm::PulseTick);

  // Load: the boxes show the base set, and the changed set starts as its copy.
  AppState& state = session_->State();
  const EditMode kept = state.Mode;
  state.Mode = EditMode::FormInputLoad;
  const ConfigSet& base = state.Set[kBaseSet];
  typeList_->setCurrentIndex(base.SusType - 2);
  baseTypeLabel_->setText(QStringLiteral("Type%1").arg(base.SusType));
  positionLabel_->setText(QStringLiteral(" P %1").arg(base.SusPos));
  basePositionLabel_->setText(QStringLiteral("P %1").arg(base.SusPos));
  pitchList_->setCurrentIndex(2);
  state.ChangePitch = 1.0;
  WriteSetToForm(state, *entry_, kBaseSet);
  linkGroup_->setVisible(base.SusType != 2);
  frameGroup_->setVisible(base.SusType != 2);
  session_->StartChangedSet();
  ShowShockMountPair(base.SusType > 4);
  state.Mode = kept;
  session_->AttachForm(this);
}

InputForm::~InputForm() {
  if (session_ != nullptr) session_->AttachForm(nullptr);
}

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
  // Every row of a group of the table of dimensions, in the form's order.
  auto dimensionRows = [&](QGridLayout* grid, QWidget* w, DimensionGroup group) {
    for (const Dimension d : InputFormDimensions()) {
      if (InfoOf(d).Group != group) continue;
      for (const CaptionName& name : kCaptionNames) {
        if (name.Dim != d) continue;
        QLineEdit* box = AddBox(DimensionBox(d), w);
        if (group == DimensionGroup::PivotMove) box->setText("0");
        row(grid, MakeLabel(name.Name, Caption(d), w, name.Index), box, TableText(InfoOf(d).Spin));
      }
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
    baseTypeLabel_ = MakeLabel("Label18", QString(), w);
    h->addWidget(baseTypeLabel_);
    h->addWidget(MakeLabel("Label5", QStringLiteral("→"), w));
    typeList_ = new QComboBox(w);
    typeList_->setObjectName(box::TypeList);
    typeList_->addItems({"Type2", "Type3", "Type4", "Type5", "Type6"});
    h->addWidget(typeList_);
    h->addStretch(1);
    QLabel* caption = MakeLabel("Label17", tr("サスペンションタイプ:"), w);
    NameAfterCaption(*typeList_, *caption);
    grid->addWidget(caption, 0, 0);
    grid->addLayout(h, 0, 1, 1, 3);
    connect(typeList_, &QComboBox::currentIndexChanged, this, &InputForm::SelectType);
  }
  outer->addWidget(Separator(this));
  // Shock upper mount: the X/Y pair and the length/offset pair share a place.
  {
    auto [w, grid] = block();
    shockMountFirstLabel_ = MakeLabel("Label3", Caption(Dimension::SusUpX), w);
    shockMountSecondLabel_ = MakeLabel("Label4", Caption(Dimension::SusUpY), w);
    auto* first = new QWidget(w);
    auto* second = new QWidget(w);
    for (QWidget* holder : {first, second}) {
      auto* stack = new QGridLayout(holder);
      stack->setContentsMargins(0, 0, 0, 0);
    }
    // Each box of a pair is named by the caption the row shows with it.
    const std::pair<QWidget*, Dimension> pairs[] = {{first, Dimension::SusUpX},
                                                     {first, Dimension::SusUpLength},
                                                     {second, Dimension::SusUpY},
                                                     {second, Dimension::SusUpOffset}};
    for (const auto& [holder, d] : pairs) {
      QLineEdit* edit = AddBox(DimensionBox(d), holder);
      edit->setAccessibleName(AccessibleCaption(Caption(d)));
      static_cast<QGridLayout*>(holder->layout())->addWidget(edit, 0, 0);
    }
    row(grid, shockMountFirstLabel_, first, "Spin_Ex");
    row(grid, shockMountSecondLabel_, second, "Spin_Ey");
  }
  // Frame-side link mount: group Picture1(1).
  frameGroup_ = new QFrame(this);
  SetControlIndex(*frameGroup_, "Picture1", 1);
  {
    auto [w, grid] = block(frameGroup_);
    dimensionRows(grid, w, DimensionGroup::FrameLink);
  }
  {
    auto [w, grid] = block();
    dimensionRows(grid, w, DimensionGroup::ForkLink);
  }
  outer->addWidget(Separator(this));
  // The link plate, the tension rod and the position: group Picture1(0).
  linkGroup_ = new QFrame(this);
  SetControlIndex(*linkGroup_, "Picture1", 0);
  {
    auto [w, grid] = block(linkGroup_);
    dimensionRows(grid, w, DimensionGroup::LinkPlate);
    auto* position = new QWidget(w);
    auto* h = new QHBoxLayout(position);
    h->setContentsMargins(0, 0, 0, 0);
    basePositionLabel_ = MakeLabel("Label16", QString(), position);
    positionLabel_ = MakeLabel(box::PositionLabel, QString(), position);
    auto* choose = new QPushButton(QStringLiteral("..."), position);
    choose->setObjectName("Command1");
    choose->setAccessibleName(tr("リンク位置の選択"));
    choose->setFixedWidth(28);
    connect(choose, &QPushButton::clicked, this, &InputForm::ChoosePosition);
    h->addWidget(basePositionLabel_);
    h->addWidget(MakeLabel("Label22", QStringLiteral("→"), position));
    h->addWidget(positionLabel_);
    h->addWidget(choose);
    h->addStretch(1);
    const int r = grid->rowCount();
    grid->addWidget(MakeLabel("Label15", tr("リンク位置:"), w), r, 0);
    grid->addWidget(position, r, 1, 1, 3);
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    dimensionRows(grid, w, DimensionGroup::Arm);
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    pitchList_ = new QComboBox(w);
    pitchList_->setObjectName("Combo_Pitch");
    pitchList_->setEditable(true);
    pitchList_->setInsertPolicy(QComboBox::NoInsert);  // a typed pitch is not added to the list
    // A pitch is what was typed: no completion of "0" to the listed "0.1".
    pitchList_->setCompleter(nullptr);
    pitchList_->addItems({"0.1", "0.5", "1.0"});
    pitchList_->setFixedWidth(kBoxWidth);
    pitchList_->installEventFilter(this);
    connect(pitchList_, &QComboBox::activated, this,
            [this](int index) { SetPitchText(pitchList_->itemText(index)); });
    connect(pitchList_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { SetPitchText(pitchList_->currentText()); });
    row(grid, MakeLabel("Label2", tr("変更ピッチ:"), w), pitchList_, QString());
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    dimensionRows(grid, w, DimensionGroup::Spring);
  }
  outer->addWidget(Separator(this));
  {
    auto [w, grid] = block();
    dimensionRows(grid, w, DimensionGroup::PivotMove);
  }
  // The rebound spring: kept, never shown.
  {
    auto [w, grid] = block();
    dimensionRows(grid, w, DimensionGroup::ReboundSpring);
    w->hide();
  }
  outer->addWidget(Separator(this));
  {
    auto* buttons = new QWidget(this);
    auto* h = new QHBoxLayout(buttons);
    h->setContentsMargins(0, 4, 0, 0);
    auto* store = new QPushButton(tr("一時保存"), buttons);
    store->setObjectName("Command_Store");
    auto* restore = new QPushButton(tr("復帰"), buttons);
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
  shockMountFirstLabel_->setText(Caption(onFork ? Dimension::SusUpLength : Dimension::SusUpX));
  shockMountSecondLabel_->setText(Caption(onFork ? Dimension::SusUpOffset : Dimension::SusUpY));
  // The captions are the buddies of the boxes shown, and name the arrows.
  shockMountFirstLabel_->setBuddy(findChild<QLineEdit*>(onFork ? box::SusUpLength : box::SusUpX));
  shockMountSecondLabel_->setBuddy(findChild<QLineEdit*>(onFork ? box::SusUpOffset : box::SusUpY));
  if (auto* spin = findChild<SpinButton*>(QStringLiteral("Spin_Ex"))) spin->SetCaption(shockMountFirstLabel_->text());
  if (auto* spin = findChild<SpinButton*>(QStringLiteral("Spin_Ey"))) spin->SetCaption(shockMountSecondLabel_->text());
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

void InputForm::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool InputForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pitchList_ && event->type() == QEvent::FocusOut) ApplyPitchText();
  if (auto* label = qobject_cast<QLabel*>(watched)) {
    QString name = label->objectName();
    // The label array Label1(0..1) is told apart by its index.
    if (name == "Label1") name += QStringLiteral("(%1)").arg(label->property(kIndexProperty).toInt());
    if (event->type() == QEvent::MouseButtonPress) PressLabel(name);
    if (event->type() == QEvent::MouseButtonRelease) ReleaseLabel(name);
  }
  return QWidget::eventFilter(watched, event);
}

// ---- commits: calls of the session ------------------------------------------

void InputForm::Spin(const QString& spinName, bool upArrow) { session_->Spin(spinName, upArrow); }
void InputForm::EnterInBox(const QString& boxName) { session_->EnterInBox(boxName); }
void InputForm::ChoosePosition() { session_->ChoosePosition(); }
void InputForm::Store() { session_->Store(); }
void InputForm::Restore() { session_->Restore(); }
void InputForm::SelectType(int index) { session_->SelectType(index); }
void InputForm::Judge() { session_->Judge(); }
void InputForm::Process() { session_->Process(); }
void InputForm::RestorePreviousSet() { session_->RestorePreviousSet(); }

void InputForm::SetPitchText(const QString& text) {
  // A refused pitch: the pitch in force comes back into the box. The box
  // keeps what was chosen or typed until it is left.
  if (!session_->SetChangePitch(text)) ApplyPitchText();
}

void InputForm::ApplyPitchText() {
  pitchList_->setEditText(QString::fromStdString(GeneralDouble(session_->State().ChangePitch)));
}

// ---- what the session asks of the form --------------------------------------

bool InputForm::HasTypedText() const {
  for (const QLineEdit* box : boxes_) {
    if (box->isModified() && box->isVisibleTo(this)) return true;
  }
  return false;
}

void InputForm::ForgetTypedText() {
  for (QLineEdit* box : boxes_) box->setModified(false);
}

bool InputForm::CheckEntries() {
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
      notNumbers << tr("%1「%2」").arg(RowCaption(box), box->text());
    }
  }
  if (first == nullptr) return true;
  first->setFocus();
  if (!notNumbers.isEmpty()) {
    session_->Prompts().Warn(kNotNumbers + QStringLiteral("\n") + notNumbers.join('\n') + "\n" +
                             kEnterNumbers);
  }
  return false;
}

void InputForm::ClearBoxes() {
  for (QLineEdit* box : boxes_) box->clear();
}

QString InputForm::RowCaption(const QLineEdit* box) const {
  for (const QWidget* w = box; w != nullptr && w != this; w = w->parentWidget()) {
    const auto found = rowLabels_.find(w);
    if (found != rowLabels_.end()) return found->second->text();
  }
  return box->objectName();
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
    pulseTimer_->start();
  } else {
    views_.SetJointCaption(QString::fromLatin1(mark->Joint), QStringLiteral("★"));
  }
}

void InputForm::ReleaseLabel(const QString& labelName) {
  const Mark* mark = FindMark(labelName);
  if (mark == nullptr) return;
  if (mark->Line != nullptr) {
    pulseTimer_->stop();
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
