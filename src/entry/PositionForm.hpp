// Form_Pos_Sel "リンク位置を選んで下さい": the link position chosen on a
// solved preview. In the base stage it works on set 0 without Cancel,
// otherwise on set 1 with Cancel.
#pragma once

#include <QDialog>
#include <QLineF>
#include <QString>
#include <optional>

#include "model/AppState.hpp"

class QRadioButton;
class QPushButton;

namespace potelan {

class Prompts;

class PositionForm final : public QDialog {
  Q_OBJECT
 public:
  PositionForm(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

  // The set this window works on: 0 in the base stage, 1 otherwise.
  int WorkingSet() const;
  // Option1(i) click: solve the set at position i + 1; a failure is refused
  // with a message, a success stores the position and draws the preview.
  void ChoosePosition(int index);
  // Command_Ok click: closes when a position is stored, else reminds.
  void Accept();
  // The option button of index 0..3 (objectName "Option1", property "index").
  QRadioButton* Option(int index) const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  // Whether the preview shows a linkage (false until the first accepted click).
  bool HasPreview() const;
  // The end points of a member line of the preview (Line_Fork, Line_Sus,
  // Line_Offset, Line_Ten_Rod, Line_Link_Fr, Line_Link_Up, Line_Link_Rr) in
  // millimetres, or nothing while that member has not been placed.
  std::optional<QLineF> PreviewLine(const QString& name) const;
  // The preview area (Picture1).
  QWidget* Picture() const;

  // Closing by the window frame or Escape: with Cancel (outside the base
  // stage) it cancels; in the base stage it is the same as OK, so the window
  // never closes without a stored position.
  void reject() override;

  // Shows the window modally as a caller does. In the base stage a position
  // already supplied (by a link file, or chosen before going back) is solved
  // once without showing the window; if the set does not form there, the
  // user is told and chooses again. When the base set forms at none of the
  // four positions the window is not shown at all (it has no Cancel there):
  // the user is told and false returned to the caller, which goes back to
  // the dimensions.
  static bool Run(AppState& state, Prompts& prompts, QWidget* parent);

  // Whether a set needs a position it does not have: Types 3 to 6 are
  // solved only at one of the positions 1 to 4 (the solver leaves such a
  // set untouched at position 0).
  static bool LacksPosition(const ConfigSet& set);

 private:
  AppState& state_;
  Prompts& prompts_;
  class Preview;
  // Places the member lines from the solved joints of the set.
  void DrawPreview(int set);

  Preview* preview_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace potelan
