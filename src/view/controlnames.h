// Which labels tell what a control is, found from the table's geometry and
// the labels' roles: every view names its controls the same way.
#pragma once

#include "form/controls.h"

#include <string>
#include <vector>

namespace velmora {

class FieldStore;

inline constexpr FieldId kNoControl = kControlCount;

// The name of the control's row: the leftmost caption label or button level
// with it and to its left, in the same frame; kNoControl if there is none.
FieldId rowNameOf(FieldId control);

// The heading of the control's column: the nearest heading above it that
// overlaps it, in the same frame ("第二套" over the grid); kNoControl if none.
FieldId columnHeadingOf(FieldId control);

// The controls that label a text box or a result, heading first, then the
// row's name ("第二套", "会心等级"; "第二套", "总收益"). Headings, units,
// notes and captions are labelled by nothing.
std::vector<FieldId> labelsOf(FieldId control);

// The controls whose captions make up the control's name for assistive
// tools: a text box's labels; any other control's labels and itself.
std::vector<FieldId> nameSourcesOf(FieldId control);

// Whether the control's name for assistive tools is composed from other
// captions (a text box by its labels, a result with its row and set) rather
// than being its own caption.
bool hasComposedName(FieldId control);

// What an assistive tool is told labels the control: the sources of a
// composed name, a result itself last (a page can relate its name to its
// sources only by naming them all); nothing when the name is its own
// caption. Both views relate the same controls.
std::vector<FieldId> labelledByOf(FieldId control);

// That name as the captions read now: "第二套 会心等级" for a box,
// "第二套 总收益 2094.54585513998" for a total, "计算" for a button.
std::string accessibleNameOf(FieldId control, const FieldStore& fields);

} // namespace velmora
