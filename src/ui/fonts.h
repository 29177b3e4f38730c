#pragma once

#include <QFont>

namespace velmora::ui {

// A simplified-Chinese dialog font at the size of a classic 9-point dialog
// font. Sizes are in pixels so that text keeps its size against the twip
// geometry whatever DPI the desktop reports.
QFont dialogFont();

// The help window's grid font: Latin half as wide as CJK.
QFont gridFont();

} // namespace velmora::ui
