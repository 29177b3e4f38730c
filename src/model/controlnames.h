// Which labels tell what a control is, found from the table's geometry:
// every view names its controls the same way.
#pragma once

#include "model/controls.h"

namespace velmora {

inline constexpr FieldId kNoControl = kControlCount;

// The name label of the control's row: the leftmost label level with it and
// to its left, in the same frame; kNoControl if there is none.
FieldId rowNameOf(FieldId control);

// The column heading above the control: the nearest label above it that
// overlaps it and is a heading, that is, has no text box level with it and
// a text box below it ("第二套" over the grid; not the "%" of a panel row).
FieldId columnHeadingOf(FieldId control);

// The label that tells what a label is: its column's heading (a gear set's
// total) or else its row's name (a gain, a judgement); kNoControl if none.
FieldId labelledByOf(FieldId label);

} // namespace velmora
