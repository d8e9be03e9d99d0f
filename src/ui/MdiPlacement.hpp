// Where a result view's MDI frame stands when the view is first shown.
#pragma once

class QWidget;

namespace potelan {

// The frame around `view` takes the view's size and stands centred across
// its MDI area, a quarter of the free height from the top. Nothing happens
// for a view outside an MDI frame.
void CentreFrameInArea(QWidget& view);

}  // namespace potelan
