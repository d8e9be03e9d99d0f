#include "entry/MemoryForm.hpp"

#include <stdexcept>
#include <utility>

#include "entry/BoxNames.hpp"

namespace potelan {

MemoryForm MemoryForm::BaseForm(int susType) {
  if (susType < 2 || susType > 6) {
    throw std::out_of_range("MemoryForm::BaseForm: link type must be 2..6");
  }
  QStringList boxes;
  for (const Dimension d : FormDimensions(susType)) boxes << DimensionBox(d);
  return MemoryForm(formname::BaseForm(susType), boxes, false, false, true);
}

MemoryForm MemoryForm::InputForm() {
  QStringList boxes;
  for (const Dimension d : InputFormDimensions()) boxes << DimensionBox(d);
  // The change-input form's boxes have no change handler: an edit is taken
  // only when a commit reads the boxes.
  MemoryForm form(formname::Input, boxes, true, true, false);
  // It opens with the frame-side shock mount pair in front; the rebound
  // spring is kept but never shown; the pivot moves start at 0.
  for (const Dimension d : InputFormDimensions()) {
    const DimensionInfo& row = InfoOf(d);
    if (row.Group == DimensionGroup::ReboundSpring ||
        (row.Group == DimensionGroup::ShockMount && !Carries(d, 4))) {
      form.SetBoxShown(DimensionBox(d), false);
    }
    if (row.Group == DimensionGroup::PivotMove) {
      form.Find(DimensionBox(d))->Text = QStringLiteral("0");
    }
  }
  return form;
}

MemoryForm::MemoryForm(QString name, QStringList boxes, bool hasTypeList, bool hasPositionLabel,
                       bool repaintOnChange)
    : name_(std::move(name)),
      hasTypeList_(hasTypeList),
      hasPositionLabel_(hasPositionLabel),
      repaintOnChange_(repaintOnChange) {
  boxes_.reserve(static_cast<std::size_t>(boxes.size()));
  for (const QString& boxName : boxes) {
    if (Find(boxName) != nullptr) continue;  // a name occurs once
    Box b;
    b.Name = boxName;
    b.ZOrder = ++topZOrder_;
    boxes_.push_back(std::move(b));
  }
}

MemoryForm::Box* MemoryForm::Find(const QString& box) {
  for (Box& b : boxes_) {
    if (b.Name == box) return &b;
  }
  return nullptr;
}

const MemoryForm::Box* MemoryForm::Find(const QString& box) const {
  for (const Box& b : boxes_) {
    if (b.Name == box) return &b;
  }
  return nullptr;
}

bool MemoryForm::HasBox(const QString& box) const { return Find(box) != nullptr; }

QString MemoryForm::BoxText(const QString& box) const {
  const Box* b = Find(box);
  return b != nullptr ? b->Text : QString();
}

void MemoryForm::SetBoxText(const QString& box, const QString& text) {
  Box* b = Find(box);
  if (b == nullptr) return;
  b->Text = text;
  if (repaintOnChange_) b->Background = BoxColour::White;
}

bool MemoryForm::IsBoxShown(const QString& box) const {
  const Box* b = Find(box);
  return b != nullptr && b->Shown;
}

void MemoryForm::SetBoxShown(const QString& box, bool shown) {
  if (Box* b = Find(box)) b->Shown = shown;
}

void MemoryForm::BringBoxToFront(const QString& box) {
  if (Box* b = Find(box)) b->ZOrder = ++topZOrder_;
}

BoxColour MemoryForm::BoxBackground(const QString& box) const {
  const Box* b = Find(box);
  return b != nullptr ? b->Background : BoxColour::White;
}

void MemoryForm::SetBoxBackground(const QString& box, BoxColour colour) {
  if (Box* b = Find(box)) b->Background = colour;
}

void MemoryForm::SetTypeIndex(int index) {
  typeIndexCalls_.push_back(index);
  if (!hasTypeList_) return;
  // A list accepts its own entries or "nothing selected"; anything else
  // leaves the selection as it was.
  if (index < -1 || index >= kTypeListEntries) return;
  if (index == typeIndex_) return;
  typeIndex_ = index;
  if (typeSelectionHandler_) typeSelectionHandler_(index);
}

void MemoryForm::SetPositionLabel(const QString& text) {
  if (hasPositionLabel_) positionLabel_ = text;
}

QStringList MemoryForm::BoxNames() const {
  QStringList names;
  for (const Box& b : boxes_) names << b.Name;
  return names;
}

int MemoryForm::BoxZOrder(const QString& box) const {
  const Box* b = Find(box);
  return b != nullptr ? b->ZOrder : -1;
}

}  // namespace potelan
