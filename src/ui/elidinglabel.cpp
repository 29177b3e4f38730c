#include "ui/elidinglabel.h"

#include "model/viewrules.h"

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

void ElidingLabel::setCaption(const QString& caption) {
    setText(caption);
    // A number never wraps, so a screen reader never reads it as two.
    setWordWrap(m_wrapsCaptions && !isNumberText(caption.toStdString()));
    // Set explicitly: Qt would otherwise drop "&" from a label's name.
    setAccessibleName(caption);
    updateDescription();
}

void ElidingLabel::setWrapsCaptions(bool wraps) {
    m_wrapsCaptions = wraps;
    setCaption(text());
}

void ElidingLabel::setLabelledBy(const QList<QWidget*>& labels) {
    m_labelledBy.clear();
    for (QWidget* label : labels) {
        m_labelledBy.append(label);
    }
}

QList<QWidget*> ElidingLabel::labelledBy() const {
    QList<QWidget*> labels;
    for (const QPointer<QWidget>& label : m_labelledBy) {
        if (label) {
            labels.append(label);
        }
    }
    return labels;
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
    return QString::fromStdString(shortenToFit(text().toStdString(), [&](std::string_view candidate) {
        return metrics.horizontalAdvance(
                   QString::fromUtf8(candidate.data(), static_cast<qsizetype>(candidate.size()))) <= room;
    }));
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
