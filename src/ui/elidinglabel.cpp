#include "ui/elidinglabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QToolTip>

namespace velmora::ui {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ElidingLabel::setCaption(const QString& caption) {
    setText(caption);
    // Set explicitly: Qt would otherwise drop "&" from a label's name.
    setAccessibleName(caption);
    updateDescription();
}

bool ElidingLabel::isElided() const {
    const QRect room = contentsRect();
    const int wrap = wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed = fontMetrics().boundingRect(room, wrap | Qt::AlignLeft, text());
    return needed.width() > room.width();
}

QString ElidingLabel::shownText() const {
    if (!isElided()) {
        return text();
    }
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width();
    // The exponent tells the size of a number: the mantissa gives way first.
    static const QRegularExpression exponentForm(QStringLiteral("^(.*\\d)(E[+-]\\d+)$"));
    const QRegularExpressionMatch number = exponentForm.match(text());
    if (number.hasMatch()) {
        const QString exponent = number.captured(2);
        const int mantissaRoom = room - metrics.horizontalAdvance(exponent);
        if (mantissaRoom > 0) {
            return metrics.elidedText(number.captured(1), Qt::ElideRight, mantissaRoom) + exponent;
        }
    }
    return metrics.elidedText(text(), Qt::ElideRight, room);
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignTop, shownText());
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateDescription();
}

void ElidingLabel::updateDescription() {
    setAccessibleDescription(isElided() ? text() : QString());
}

bool ElidingLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (isElided()) {
            // The caption is plain text, whatever it looks like.
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               Qt::convertFromPlainText(text(), Qt::WhiteSpaceNoWrap), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QLabel::event(event);
}

} // namespace velmora::ui
