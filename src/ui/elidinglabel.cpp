#include "ui/elidinglabel.h"

#include "view/layout.h"
#include "view/viewrules.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

#include <string_view>

namespace velmora::ui {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ElidingLabel::setCaption(const QString& caption, bool staysOnOneLine) {
    setText(caption);
    setWordWrap(!staysOnOneLine);
    // Set explicitly: Qt would otherwise drop "&" from a label's name.
    setAccessibleName(caption);
    updateDescription();
}

bool ElidingLabel::isElided() const {
    const QRect room = contentsRect();
    const int wrap = wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed = fontMetrics().boundingRect(room, wrap | Qt::AlignLeft, text());
    return !fitsItsRoom(needed.width(), room.width());
}

ShownCaption ElidingLabel::shown() const {
    if (!isElided()) {
        return {text().toStdString(), {}};
    }
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width();
    return showCaption(text().toStdString(), [&](std::string_view candidate) {
        return fitsItsRoom(metrics.horizontalAdvance(
                               QString::fromUtf8(candidate.data(), static_cast<qsizetype>(candidate.size()))),
                           room);
    });
}

QString ElidingLabel::shownText() const {
    return QString::fromStdString(shown().text);
}

QString ElidingLabel::wholeCaption() const {
    return QString::fromStdString(shown().whole);
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
    setAccessibleDescription(wholeCaption());
}

bool ElidingLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (const QString whole = wholeCaption(); !whole.isEmpty()) {
            // The caption is plain text, whatever it looks like.
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               Qt::convertFromPlainText(whole, Qt::WhiteSpaceNoWrap), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QLabel::event(event);
}

} // namespace velmora::ui
