#include "ui/bestgearwindow.h"

#include "ui/accessibility.h"
#include "ui/fonts.h"
#include "ui/geargrid.h"
#include "ui/messageboxwarnings.h"
#include "ui/plaintext.h"
#include "ui/scrolling.h"
#include "view/bestgeartext.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

namespace velmora::ui {

namespace {
QLabel* wrapped(std::string_view text = {}) {
    auto* label = new QLabel(qText(text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

BestGearWindow::BestGearWindow(Form& form) : m_form(form) {
    setWindowTitle(qText(kBestGearCaption));
    setFont(dialogFont());
    auto* layout = new QVBoxLayout(scrollingClient(this, &m_scroll));
    m_scroll->setWidgetResizable(true);

    auto* rules = wrapped(kGearListRules);
    layout->addWidget(rules);
    m_grid = new GearGrid(m_candidates, [this] { showDraft(); });
    m_grid->setAccessibleName(qText(kGearGridName));
    layout->addWidget(m_grid);
    layout->addWidget(wrapped(kGearTextRules));
    layout->addWidget(wrapped(kGearListKeysDesktop));
    m_list = new QPlainTextEdit;
    m_list->setAccessibleName(qText(kGearListName));
    m_list->setAccessibleDescription(qText(std::string(kGearTextRules) + std::string(kGearListKeysDesktop)));
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_list->setTabStopDistance(72);
    m_list->setPlainText(qText(m_candidates.draft()));
    m_list->setMinimumHeight(140);
    m_list->installEventFilter(this);
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_read = new QPushButton(qText(kReadGearList));
    m_write = new QPushButton(qText(kWriteGearList));
    m_start = new QPushButton(qText(kStartSearch));
    m_stop = new QPushButton(qText(kStopSearch));
    m_continue = new QPushButton(qText(kContinueSearch));
    m_listState = wrapped();
    buttons->addWidget(m_read);
    buttons->addWidget(m_write);
    buttons->addWidget(m_listState, 1);
    layout->addLayout(buttons);
    auto* search = new QHBoxLayout;
    search->addWidget(m_start);
    search->addWidget(m_stop);
    search->addWidget(m_continue);
    search->addStretch();
    layout->addLayout(search);

    m_status = addLine(layout);
    for (std::size_t rank = 0; rank < kBestKept; ++rank) {
        m_rows.push_back(addLine(layout));
    }
    m_line = addLine(layout);
    layout->addStretch();

    connect(m_list, &QPlainTextEdit::textChanged, this, [this] {
        m_candidates.typeDraft(m_list->toPlainText().toStdString());
        m_grid->sync();
    });
    connect(m_read, &QPushButton::clicked, this, [this] {
        if (const std::optional<WarningBox> box = m_candidates.readDraft()) {
            createWarningBox(box->prompt, box->title, this)->exec();
        }
        refresh();
    });
    connect(m_write, &QPushButton::clicked, this, [this] {
        m_candidates.writeDraft();
        refresh();
    });
    connect(m_start, &QPushButton::clicked, this, [this] {
        if (m_candidates.startSearch(m_form.gainStore())) {
            m_slices.start();
        }
        refresh();
    });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_candidates.stopSearch();
        m_slices.stop();
        refresh();
        m_continue->setFocus(Qt::OtherFocusReason);
    });
    connect(m_continue, &QPushButton::clicked, this, [this] {
        m_candidates.continueSearch();
        m_slices.start();
        refresh();
    });
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &BestGearWindow::searchSlice);

    setStyleSheet(
        QStringLiteral("QLabel { border: 2px solid transparent; } QLabel:focus { border-color: #1a66c9; }"));
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    fitTheScreen(this, QSize(860, 800), m_scroll);
    refresh();
}

// In the list Tab types a separator; Ctrl+Tab and Ctrl+Shift+Tab leave it.
bool BestGearWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers().testFlag(Qt::ControlModifier);
        if (control && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool back = key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QLabel* BestGearWindow::addLine(QVBoxLayout* layout) {
    QLabel* label = wrapped();
    // A keyboard stop, so that a screen reader reads each line by Tab.
    label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(label);
    return label;
}

void BestGearWindow::searchSlice() {
    if (!m_candidates.searchOn(kSearchSliceSteps)) {
        finished();
    }
    refresh();
}

// The answer is said as soon as it stands: the status and the best row.
void BestGearWindow::finished() {
    m_slices.stop();
    refresh();
    const BestGearShown shown = bestGearShown(m_candidates, m_form.gainStore());
    QString words = qText(shown.status);
    if (!shown.rows.empty()) {
        words += QStringLiteral("。") + qText(shown.rows.front().line);
    }
    announce(this, words);
}

// The text area shows the draft the grid or 写出列表 changed.
void BestGearWindow::showDraft() {
    if (m_list->toPlainText().toStdString() != m_candidates.draft()) {
        m_list->setPlainText(qText(m_candidates.draft()));
    }
}

void BestGearWindow::refresh() {
    const BestGearShown shown = bestGearShown(m_candidates, m_form.gainStore());
    if (!shown.running) {
        showDraft(); // written out, or read from elsewhere
    }
    m_listState->setText(qText(shown.list));
    m_status->setText(qText(shown.status));
    for (std::size_t rank = 0; rank < m_rows.size(); ++rank) {
        const bool hasRow = rank < shown.rows.size();
        m_rows[rank]->setText(hasRow ? qText(shown.rows[rank].line) : QString());
        m_rows[rank]->setVisible(hasRow);
    }
    m_line->setText(qText(shown.straightLine));
    m_line->setVisible(!shown.straightLine.empty());
    m_start->setEnabled(shown.canStart);
    m_stop->setEnabled(shown.canStop);
    m_continue->setEnabled(shown.canContinue);
    if (!shown.running) {
        m_slices.stop();
    }
}

} // namespace velmora::ui
