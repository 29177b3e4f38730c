#include "ui/helpwindow.h"

#include "ui/accessibility.h"
#include "ui/fonts.h"
#include "ui/printedlines.h"
#include "view/gridtext.h"
#include "view/viewrules.h"

#include <QAccessible>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::ui {

namespace {
using help::kHelpButtonHeight;
using help::kHelpButtonTop;
using help::kHelpButtonWidth;

} // namespace

HelpWindow::HelpWindow() {
    installAccessibility();
    setWindowTitle(QString::fromUtf8(help::kHelpWindowCaption.data(),
                                     static_cast<qsizetype>(help::kHelpWindowCaption.size())));
    const QSize designed(twipsToPixels(help::kHelpClientWidth), twipsToPixels(help::kHelpClientHeight));
    setFont(dialogFont());
    m_page = new QWidget;
    m_page->setFixedSize(designed);
    m_page->setAutoFillBackground(true);
    m_page->installEventFilter(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus); // the tab chain goes from the buttons to the printed lines
    m_scroll->setWidget(m_page);           // scroll bars only where the screen is too small
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    setMaximumSize(designed);
    resize(designed);
    m_lines = new PrintedLines(this, m_page);
    m_lines->setGeometry(m_page->rect());
    m_lines->setFocusPolicy(Qt::NoFocus);
    for (std::size_t i = 0; i < help::kHelpSections.size(); ++i) {
        const help::HelpSection& section = help::kHelpSections[i];
        auto* button = new QPushButton(
            QString::fromUtf8(section.button.data(), static_cast<qsizetype>(section.button.size())), m_page);
        button->setObjectName(QString::fromStdString(help::buttonName(i)));
        button->setGeometry(twipsToPixels(section.buttonLeft), twipsToPixels(kHelpButtonTop),
                            twipsToPixels(kHelpButtonWidth), twipsToPixels(kHelpButtonHeight));
        connect(button, &QPushButton::clicked, this, [this, i] { printSection(i); });
        m_buttons[i] = button;
    }
    const auto byTab = help::sectionsInTabOrder();
    for (std::size_t i = 1; i < byTab.size(); ++i) {
        setTabOrder(m_buttons[byTab[i - 1]], m_buttons[byTab[i]]);
    }
    setTabOrder(m_buttons[byTab.back()], m_lines);
}

void HelpWindow::clear() {
    showSection(std::nullopt);
}

void HelpWindow::printSection(std::size_t section) {
    showSection(section);
}

void HelpWindow::showSection(std::optional<std::size_t> section) {
    const QString before = printedText();
    m_shown = section;
    m_page->update();
    m_lines->reset();
    // Never hidden: a screen reader keeps what it last heard of a widget's
    // visibility, and would not look at the lines again.
    m_lines->setFocusPolicy(section ? Qt::TabFocus : Qt::NoFocus);
    if (QAccessible::isActive()) {
        m_lines->setAccessibleName(section ? m_buttons[*section]->text() : QString());
        QAccessibleTextUpdateEvent replaced(m_lines, 0, before, printedText());
        QAccessible::updateAccessibility(&replaced);
    }
    if (section) {
        const std::string_view words = help::announcementAfterPrinting(*section);
        announce(this, QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size())));
    }
}

QString HelpWindow::printedText() const {
    QString text;
    if (m_shown) {
        for (std::string_view line : help::kHelpSections[*m_shown].lines) {
            text += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
            text += QLatin1Char('\n');
        }
    }
    return text;
}

QRect HelpWindow::characterRect(int offset) const {
    if (!m_shown || offset < 0) {
        return {};
    }
    const auto& lines = help::kHelpSections[*m_shown].lines;
    int start = 0;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const std::vector<GridGlyph> glyphs = layOutOnGrid(lines[row]);
        const int index = offset - start;
        const int top = static_cast<int>(row) * kLineHeight;
        if (index < static_cast<int>(glyphs.size())) {
            const GridGlyph& glyph = glyphs[static_cast<std::size_t>(index)];
            return {glyph.column * kColumnWidth, top, glyph.span * kColumnWidth, kLineHeight};
        }
        if (index == static_cast<int>(glyphs.size())) { // the line feed
            const int column = glyphs.empty() ? 0 : glyphs.back().column + glyphs.back().span;
            return {column * kColumnWidth, top, kColumnWidth, kLineHeight};
        }
        start += static_cast<int>(glyphs.size()) + 1;
    }
    return {};
}

int HelpWindow::offsetAt(QPoint point) const {
    if (!m_shown || point.x() < 0 || point.y() < 0) {
        return -1;
    }
    const auto& lines = help::kHelpSections[*m_shown].lines;
    const auto row = static_cast<std::size_t>(point.y() / kLineHeight);
    if (row >= lines.size()) {
        return -1;
    }
    int start = 0;
    for (std::size_t before = 0; before < row; ++before) {
        start += static_cast<int>(layOutOnGrid(lines[before]).size()) + 1;
    }
    const std::vector<GridGlyph> glyphs = layOutOnGrid(lines[row]);
    const int column = point.x() / kColumnWidth;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (column >= glyphs[i].column && column < glyphs[i].column + glyphs[i].span) {
            return start + static_cast<int>(i);
        }
    }
    return start + static_cast<int>(glyphs.size()); // past the line's end: its line feed
}

void HelpWindow::scrollToShow(const QRect& part) {
    if (!part.isNull()) {
        m_scroll->ensureVisible(part.center().x(), part.center().y(), part.width(), part.height());
    }
}

void HelpWindow::showEvent(QShowEvent* event) {
    fitTheScreen();
    QWidget::showEvent(event);
    m_buttons[help::kFirstFocusSection]->setFocus();
}

// As large as designed where the screen has room for it and its frame; the
// rule is the core's.
void HelpWindow::fitTheScreen() {
    const QScreen* on = screen();
    if (on == nullptr) {
        return;
    }
    const QSize room = on->availableGeometry().size() - (frameGeometry().size() - geometry().size());
    const ScrollingWindow fitted =
        fitScrollingWindow({m_page->width(), m_page->height()}, {room.width(), room.height()},
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll));
    setMaximumSize(fitted.largest.width, fitted.largest.height);
    resize(fitted.opening.width, fitted.opening.height);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_page && event->type() == QEvent::Paint) {
        paintPage();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::paintPage() {
    if (!m_shown) {
        return;
    }
    QPainter painter(m_page);
    const QFont font = gridFont();
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font);
    // Glyphs sit on a common baseline, their ink centred in their cells.
    const int baselineOffset = (kLineHeight + metrics.ascent() - metrics.descent()) / 2;
    const auto& lines = help::kHelpSections[*m_shown].lines;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const int baseline = static_cast<int>(row) * kLineHeight + baselineOffset;
        for (const GridGlyph& glyph : layOutOnGrid(lines[row])) {
            const QString text =
                QString::fromUtf8(glyph.text.data(), static_cast<qsizetype>(glyph.text.size()));
            if (text == QLatin1String(" ")) {
                continue;
            }
            const int cellWidth = glyph.span * kColumnWidth;
            const int x = glyph.column * kColumnWidth + (cellWidth - metrics.horizontalAdvance(text)) / 2;
            painter.drawText(QPoint(x, baseline), text);
        }
    }
}

} // namespace velmora::ui
