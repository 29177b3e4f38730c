#include "ui/printedlines.h"

#include "ui/helpwindow.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace velmora::ui {

PrintedLines::PrintedLines(HelpWindow* help, QWidget* page) : QWidget(page), m_help(help) {
    setAttribute(Qt::WA_TransparentForMouseEvents); // clicks reach the window as before
}

HelpWindow* PrintedLines::help() const {
    return m_help;
}

void PrintedLines::reset() {
    m_caret = 0;
    update();
}

void PrintedLines::setCaret(int offset) {
    const int last = std::max(0, static_cast<int>(help()->printedText().size()) - 1);
    offset = std::clamp(offset, 0, last);
    if (offset == m_caret) {
        return;
    }
    m_caret = offset;
    update();
    help()->scrollToShow(help()->characterRect(lineStart(m_caret)));
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, m_caret);
        QAccessible::updateAccessibility(&moved);
    }
}

int PrintedLines::lineStart(int offset) const {
    const QString text = help()->printedText();
    const auto feed = offset > 0 ? text.lastIndexOf(QLatin1Char('\n'), offset - 1) : -1;
    return static_cast<int>(feed + 1);
}

int PrintedLines::lineEnd(int offset) const {
    const QString text = help()->printedText();
    const auto feed = text.indexOf(QLatin1Char('\n'), offset);
    return feed < 0 ? static_cast<int>(text.size()) : static_cast<int>(feed);
}

void PrintedLines::keyPressEvent(QKeyEvent* event) {
    const bool toEnds = event->modifiers() & Qt::ControlModifier;
    const int column = m_caret - lineStart(m_caret);
    switch (event->key()) {
    case Qt::Key_Left:
        setCaret(m_caret - 1);
        break;
    case Qt::Key_Right:
        setCaret(m_caret + 1);
        break;
    case Qt::Key_Up:
        if (lineStart(m_caret) > 0) {
            const int previous = lineStart(lineStart(m_caret) - 1);
            setCaret(std::min(previous + column, lineEnd(previous)));
        }
        break;
    case Qt::Key_Down:
        if (lineEnd(m_caret) + 1 < help()->printedText().size()) {
            const int next = lineEnd(m_caret) + 1;
            setCaret(std::min(next + column, lineEnd(next)));
        }
        break;
    case Qt::Key_Home:
        setCaret(toEnds ? 0 : lineStart(m_caret));
        break;
    case Qt::Key_End:
        setCaret(toEnds ? static_cast<int>(help()->printedText().size()) : lineEnd(m_caret));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PrintedLines::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PrintedLines::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

// With the focus, the caret's line is framed, as a sighted keyboard user
// expects to see where the stop is.
void PrintedLines::paintEvent(QPaintEvent*) {
    if (!hasFocus()) {
        return;
    }
    QRect line = help()->characterRect(lineStart(m_caret));
    line.setLeft(0);
    line.setRight(width() - 1);
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = line;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace velmora::ui
