// Transfer between the entry boxes of a window and one configuration set:
// reading and checking a number box, reading a whole window into a set, and
// writing a set into a window. The boxes are found by name, so the same
// operations serve the base-dimension forms and the change-input form.
#pragma once

#include <QString>
#include <cstdint>

#include "entry/EntryForm.hpp"
#include "model/AppState.hpp"

namespace potelan {

// Reads one numeric box. An empty box, a box holding a character that sorts
// after "9", or a text that is still not a number ("1.2.3", "1-2", "-",
// "1,5") is painted red, sets LinkFailed and gives 0. A box holding only "."
// is rewritten as "0" and gives 0 without a mark. A box that reads correctly
// keeps its background. Asking for a box the form does not have sets
// LinkFailed and gives 0 (there is nothing to paint).
float ReadNumberBox(AppState& state, EntryForm& form, const QString& box);

// What ReadNumberBox makes of a box's text: a number (the decimal point alone
// counts as 0), nothing at all, or a text that is not a number.
enum class NumberText { Number, Empty, NotANumber };
NumberText CheckNumberText(const QString& text);

// Reads the window into configuration set `set` (0..7) and says whether every
// box read as a number; the stages' failure flag is left as it was. In the base step the
// type, position and pivot move come from set 0; otherwise from the type
// list, the pivot boxes and (on the change-input form) the position label.
// Then the dimension boxes of the set's type are read; every box is read even
// after a bad one, so each bad box gets its red mark in one pass. Boxes the
// window does not have are skipped and leave the set's value as it was.
// Throws std::out_of_range for a set outside 0..7.
bool ReadFormToSet(AppState& state, EntryForm& form, int set);

// Writes configuration set `set` (0..7) into the window: shows the shock
// mount pair of the set's type in front of the other pair, writes the
// dimensions with their display patterns, selects the type list entry and
// writes the pivot move. Throws std::out_of_range for a set outside 0..7.
void WriteSetToForm(const AppState& state, EntryForm& form, int set);

// The position held by the change-input form's position label (" P 2"):
// the number from its fourth character on, rounded to an integer (halves to
// even); 0 when there is no number there.
std::int16_t PositionFromLabel(const QString& caption);

}  // namespace potelan
