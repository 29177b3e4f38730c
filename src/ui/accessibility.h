// What assistive tools (screen readers, switch access) are told of the
// windows: both top-level windows are windows, result labels say which row
// they belong to, and the help article printed in the help window is text
// that can be read line by line.
#pragma once

namespace velmora::ui {

// Installs the interfaces; call before any window is shown. Safe to call
// more than once.
void installAccessibility();

} // namespace velmora::ui
