// The engine's displayed texts (the captions of the table of dimensions, the
// result items, the sweep's messages) are marked for Qt's lupdate, which
// collects them into the program's translation; the windows translate them
// in the mark's context. The engine links no Qt: the mark is the text itself,
// spelled as Qt spells it so that either definition may come first.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
