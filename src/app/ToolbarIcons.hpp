// The 16 x 16 images of the main toolbar and the program's icon, drawn here.
#pragma once

#include <QIcon>

namespace potelan {

// Image 1..10 of the toolbar's image list: 1 open, 2 save, 3 print, 4 graph,
// 5 table, 6 motion, 7 load check, 8 next, 9 previous, 10 input form.
QIcon ToolbarIcon(int image);

// The program's own icon (window frames, task bar): a swing-arm with its
// shock unit, in the colours of the real-motion view.
QIcon ProgramIcon();

}  // namespace potelan
