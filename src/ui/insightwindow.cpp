#include "ui/insightwindow.h"

#include "form/fields.h"
#include "ui/fonts.h"
#include "ui/gainchart.h"
#include "ui/plaintext.h"
#include "ui/scrolling.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

namespace velmora::ui {

namespace {
QLabel* heading(std::string_view text) {
    auto* label = new QLabel(qText(text));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

InsightWindow::InsightWindow(Form& form) : m_form(form) {
    setWindowTitle(qText(kInsightCaption));
    setFont(dialogFont());
    auto* layout = new QVBoxLayout(scrollingClient(this, &m_scroll));
    m_scroll->setWidgetResizable(true);
    layout->addWidget(heading(kExactChangesHeading));
    m_basis = addText(layout, false);
    for (std::size_t set = 0; set < field::kGearSets.size(); ++set) {
        m_rows.push_back(addText(layout, true));
    }
    m_order = addText(layout, true);
    layout->addSpacing(8);
    layout->addWidget(heading(kGainCurvesHeading));
    m_noCurves = addText(layout, false);
    m_chart = new GainChart(this);
    layout->addWidget(m_chart, 1);
    m_coincide = addText(layout, true);
    auto* rooms = new QHBoxLayout;
    for (std::size_t cap = 0; cap < std::size(kCaps); ++cap) {
        auto* label = new QLabel;
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::TabFocus);
        rooms->addWidget(label);
        m_headroom.push_back(label);
    }
    rooms->addStretch();
    m_range = new QLabel;
    m_narrower = new QPushButton(qText(kNarrowerRange));
    m_wider = new QPushButton(qText(kWiderRange));
    rooms->addWidget(m_range);
    rooms->addWidget(m_narrower);
    rooms->addWidget(m_wider);
    layout->addLayout(rooms);
    connect(m_narrower, &QPushButton::clicked, this, [this] {
        m_form.narrowCurves();
        refresh();
    });
    connect(m_wider, &QPushButton::clicked, this, [this] {
        m_form.widenCurves();
        refresh();
    });
    // A line reached by Tab shows it has the focus, as the buttons do; the
    // frame is always there, so that nothing moves when the focus comes.
    setStyleSheet(
        QStringLiteral("QLabel { border: 2px solid transparent; } QLabel:focus { border-color: #1a66c9; }"));
    // Escape closes it, as any window that holds no input.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    fitTheScreen(this, QSize(680, 600), m_scroll);
    refresh();
}

QLabel* InsightWindow::addText(QVBoxLayout* layout, bool focusable) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (focusable) {
        // A keyboard stop, so that a screen reader reads each line by Tab
        // (set after the flags, which would make it a click stop only).
        label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        label->setFocusPolicy(Qt::StrongFocus);
    }
    layout->addWidget(label);
    return label;
}

void InsightWindow::focusFirstLine() {
    switch (insightStart(exactChanges(m_form), gainPicture(m_form))) {
    case InsightStart::FirstRow:
        m_rows.front()->setFocus(Qt::OtherFocusReason);
        break;
    case InsightStart::Chart:
        m_chart->setFocus(Qt::OtherFocusReason);
        break;
    case InsightStart::Caption:
        setFocus(Qt::OtherFocusReason); // the window itself, named by its caption
        break;
    }
}

void InsightWindow::refresh() {
    const std::optional<ExactChanges> changes = exactChanges(m_form);
    const std::optional<GainPicture> picture = gainPicture(m_form);
    const InsightShown shown = insightShown(changes, picture);
    m_basis->setText(qText(shown.basis));
    for (std::size_t set = 0; set < m_rows.size(); ++set) {
        const bool hasRow = changes && set < changes->sets.size();
        m_rows[set]->setText(hasRow ? qText(changes->sets[set].row) : QString());
        m_rows[set]->setVisible(hasRow);
    }
    m_order->setText(changes ? qText(changes->order) : QString());
    m_order->setVisible(shown.order);
    m_noCurves->setText(qText(shown.curvesNote));
    m_noCurves->setVisible(!shown.chart);
    m_chart->setVisible(shown.chart);
    QStringList together;
    for (const std::string& line : picture ? picture->coincide : std::vector<std::string>{}) {
        together << qText(line);
    }
    m_coincide->setText(together.join(QChar('\n')));
    m_coincide->setVisible(shown.chart && !together.isEmpty());
    for (std::size_t cap = 0; cap < m_headroom.size(); ++cap) {
        const bool hasLine = picture && cap < picture->headroom.size();
        m_headroom[cap]->setText(hasLine ? qText(picture->headroom[cap]) : QString());
        m_headroom[cap]->setVisible(hasLine && shown.curveControls);
    }
    m_range->setText(picture ? qText(picture->range) : QString());
    for (QWidget* w : {static_cast<QWidget*>(m_range), static_cast<QWidget*>(m_narrower),
                       static_cast<QWidget*>(m_wider)}) {
        w->setVisible(shown.curveControls);
    }
    m_narrower->setEnabled(m_form.canNarrowCurves());
    m_wider->setEnabled(m_form.canWidenCurves());
    m_chart->setPicture(picture);
}

} // namespace velmora::ui
