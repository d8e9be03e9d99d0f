// Result views for the change-input form's tests that show nothing: they
// take whatever the form feeds them and count the plotted points.
#pragma once

#include <QString>

#include "entry/ChangeViews.hpp"
#include "model/ResultTable.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan::testing {

class CountingViews : public ChangeViews {
 public:
  struct Sink : PlotSink {
    void Plot(double, double, PlotColour) override { ++points; }
    void Clear() override { points = 0; }
    int points = 0;
  };
  void EnsureOpen() override { open = true; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  bool LoadDisplayShown() const override { return false; }
  void LoadDisplayOff() override {}
  void DrawChangedSet() override {}
  void ShowMember(const QString&) override {}
  int MemberWidth(const QString&) const override { return 1; }
  void SetMemberWidth(const QString&, int) override {}
  void SetJointCaption(const QString&, const QString&) override {}
  PlotSink& Graph() override { return sink; }
  void DetailDrawingAtCheckedPitch() override {}
  ResultTable& Table() override { return table; }
  void TableChanged() override {}

  bool open = true;
  Sink sink;
  ResultTable table;
};

}  // namespace potelan::testing
