// An entry window without a screen: a fixed list of named boxes with text,
// shown state and background colour, and, on the change-input form, the type
// list and the position label. The command-line tool loads and saves link
// files through it, and the tests use it in place of a real window.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "entry/EntryForm.hpp"

namespace potelan {

class MemoryForm : public EntryForm {
 public:
  // The base-dimension form of a link type: exactly the boxes that the
  // type's window offers, all empty, no type list and no position label.
  // Writing a box repaints it white, as the window's change handler does.
  // Throws std::out_of_range for a type outside 2..6.
  static MemoryForm BaseForm(int susType);

  // The change-input form Form_Input: every entry box of the window (the
  // rebound-spring boxes hidden, the length/offset pair hidden behind the X/Y
  // pair, the pivot boxes holding "0"), the type list Combo1 with nothing
  // selected and the position label Label23, empty.
  static MemoryForm InputForm();

  // A form with the given boxes (all shown, empty, white).
  MemoryForm(QString name, QStringList boxes, bool hasTypeList, bool hasPositionLabel,
             bool repaintOnChange);

  QString FormName() const override { return name_; }

  bool HasBox(const QString& box) const override;
  QString BoxText(const QString& box) const override;
  void SetBoxText(const QString& box, const QString& text) override;
  bool IsBoxShown(const QString& box) const override;
  void SetBoxShown(const QString& box, bool shown) override;
  void BringBoxToFront(const QString& box) override;
  BoxColour BoxBackground(const QString& box) const override;
  void SetBoxBackground(const QString& box, BoxColour colour) override;

  bool HasTypeList() const override { return hasTypeList_; }
  int TypeIndex() const override { return typeIndex_; }
  void SetTypeIndex(int index) override;

  bool HasPositionLabel() const override { return hasPositionLabel_; }
  QString PositionLabel() const override { return positionLabel_; }
  void SetPositionLabel(const QString& text) override;

  // The box names in the order of the window, top to bottom.
  QStringList BoxNames() const;

  // Stacking order: a box brought to the front gets a higher number than
  // every other box; -1 for a box the form does not have.
  int BoxZOrder(const QString& box) const;

  // Every index passed to SetTypeIndex, in order, including refused ones.
  const std::vector<int>& TypeIndexCalls() const { return typeIndexCalls_; }

  // Called with the new index when a SetTypeIndex call changes the selection
  // (the list's own selection handling).
  void SetTypeSelectionHandler(std::function<void(int)> handler) {
    typeSelectionHandler_ = std::move(handler);
  }

  // Number of entries of the type list ("Type2" .. "Type6").
  static constexpr int kTypeListEntries = 5;

 private:
  struct Box {
    QString Name;
    QString Text;
    bool Shown = true;
    BoxColour Background = BoxColour::White;
    int ZOrder = 0;
  };

  Box* Find(const QString& box);
  const Box* Find(const QString& box) const;

  QString name_;
  std::vector<Box> boxes_;
  bool hasTypeList_ = false;
  bool hasPositionLabel_ = false;
  bool repaintOnChange_ = false;
  int typeIndex_ = -1;
  QString positionLabel_;
  int topZOrder_ = 0;
  std::vector<int> typeIndexCalls_;
  std::function<void(int)> typeSelectionHandler_;
};

}  // namespace potelan
