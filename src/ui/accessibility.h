// What assistive tools (screen readers, switch access) are told of the
// windows: both top-level windows are windows, result labels say which row
// they belong to, and the help article printed in the help window is text
// that can be read line by line.
#pragma once

#include <QList>

class QString;
class QWidget;

namespace velmora::ui {

// Installs the interfaces; call before any window is shown. Safe to call
// more than once.
void installAccessibility();

// Tells a screen reader something that is shown nowhere else at that moment
// ("已算出每一点属性的收益"), without moving the focus: a notification of
// the window that holds the widget.
void announce(QWidget* inWindow, const QString& text);

// The widgets that label a control (a box's or a result's row and set):
// assistive tools are told each labels it. They live as long as it does.
void setLabelledBy(QWidget* control, const QList<QWidget*>& labels);

} // namespace velmora::ui
