// What the form-transfer operations need of a window: its entry boxes by
// name (text, shown state, background colour), its own name, and, on the
// change-input form, the type list and the position label. A real window, a
// test double and the command-line tool's in-memory form all offer it.
#pragma once

#include <QString>

namespace potelan {

enum class BoxColour { White, Red };

class EntryForm {
 public:
  virtual ~EntryForm() = default;

  // The window's own name ("Form_Type3", "Form_Input", ...).
  virtual QString FormName() const = 0;

  // Entry boxes by control name ("Fork_Length_Text", ...).
  virtual bool HasBox(const QString& box) const = 0;
  virtual QString BoxText(const QString& box) const = 0;
  // Writing a box raises its change event where the window has one.
  virtual void SetBoxText(const QString& box, const QString& text) = 0;
  virtual bool IsBoxShown(const QString& box) const = 0;
  virtual void SetBoxShown(const QString& box, bool shown) = 0;
  virtual void BringBoxToFront(const QString& box) = 0;
  virtual BoxColour BoxBackground(const QString& box) const = 0;
  virtual void SetBoxBackground(const QString& box, BoxColour colour) = 0;

  // The type list Combo1 of the change-input form (-1 when the form has none).
  virtual bool HasTypeList() const = 0;
  virtual int TypeIndex() const = 0;
  // Selecting an entry runs the list's own selection handling.
  virtual void SetTypeIndex(int index) = 0;

  // The position label Label23 of the change-input form (" P 2").
  virtual bool HasPositionLabel() const = 0;
  virtual QString PositionLabel() const = 0;
  virtual void SetPositionLabel(const QString& text) = 0;
};

}  // namespace potelan
