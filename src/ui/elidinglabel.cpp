#include "ui/elidinglabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace velmora::ui {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool ElidingLabel::isElided() const {
    const QRect room = contentsRect();
    const QRect needed = fontMetrics().boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft, text());
    return needed.width() > room.width();
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect room = contentsRect();
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

bool ElidingLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (isElided()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QLabel::event(event);
}

} // namespace velmora::ui
