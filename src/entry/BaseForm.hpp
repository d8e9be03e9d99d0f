// Form_Type2 .. Form_Type6: the base dimensions of one link type, entered in
// boxes laid beside the type's picture. Changing a box repaints it white.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "entry/EntryForm.hpp"

namespace potelan {

class BaseForm final : public QWidget {
  Q_OBJECT
 public:
  // Throws std::out_of_range for a type outside 2..6.
  explicit BaseForm(int susType, QWidget* parent = nullptr);
  ~BaseForm() override;

  int SusType() const { return susType_; }
  // The boxes as the form-transfer operations and the link file see them.
  EntryForm& Entry() { return *entry_; }

 signals:
  // The user closed the window by its frame.
  void closedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  int susType_;
  std::unique_ptr<EntryForm> entry_;
};

}  // namespace potelan
