// A window whose client area scrolls where the screen is too small for it.
#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

namespace velmora::ui {

// The window's client area, in a scroll area without a frame or a Tab stop
// of its own, which follows the keyboard's focus.
QWidget* scrollingClient(QWidget* window, QScrollArea** scroll);

// Opens the window at its designed size where the screen has room for it and
// its frame, else at the room there is; the rule is the core's. Returns the
// most the window may take.
QSize fitTheScreen(QWidget* window, QSize designed, QScrollArea* scroll);

} // namespace velmora::ui
