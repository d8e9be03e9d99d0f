// What the change-input form needs of the result views while it judges and
// processes a change. The main window, which owns the views, provides it,
// so that the entry windows do not depend on the views.
#pragma once

#include <QString>
#include <optional>

#include "model/ResultTable.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {

class ChangeViews {
 public:
  virtual ~ChangeViews() = default;

  // Opens the graph, table and real-motion views again after a type change
  // closed them; does nothing when they are open.
  virtual void EnsureOpen() = 0;
  // Closes the three views (a type change of the changed set).
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // The real-motion view: whether it shows its load display (its status
  // bar), switching that display off, and drawing the changed set.
  virtual bool LoadDisplayShown() const = 0;
  virtual void LoadDisplayOff() = 0;
  virtual void DrawChangedSet() = 0;
  // Marks of the changed linkage: a member line's width, a joint's caption.
  virtual void ShowMember(const QString& line) = 0;
  virtual int MemberWidth(const QString& line) const = 0;
  virtual void SetMemberWidth(const QString& line, int width) = 0;
  virtual void SetJointCaption(const QString& label, const QString& caption) = 0;

  // The graph: its picture as a sink of points, and the detail drawing at
  // the first checked pitch (nothing when no pitch is checked).
  virtual PlotSink& Graph() = 0;
  virtual void DetailDrawingAtCheckedPitch() = 0;

  // The numeric table's cells, and telling the table they changed.
  virtual ResultTable& Table() = 0;
  virtual void TableChanged() = 0;
};

}  // namespace potelan
