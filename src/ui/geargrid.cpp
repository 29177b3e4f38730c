#include "ui/geargrid.h"

#include "ui/plaintext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::ui {

namespace {
// The grid's column of a field: 已穿 is a box of its own among the boxes.
int boxIndex(std::size_t column) {
    return static_cast<int>(column < kWornField ? column : column - 1);
}
} // namespace

GearGrid::GearGrid(GearCandidates& candidates, std::function<void()> changed)
    : m_candidates(candidates), m_changed(std::move(changed)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(4);
    const auto titles = gearListColumnTitles();
    for (std::size_t column = 0; column < titles.size(); ++column) {
        auto* title = new QLabel(qText(titles[column]));
        title->setTextFormat(Qt::PlainText);
        m_grid->addWidget(title, 0, static_cast<int>(column));
        m_lastTitle = title;
    }
    layout->addLayout(m_grid);
    m_add = new QPushButton(qText(kAddDraftRow));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, [this] { edited(m_candidates.addDraftRow()); });
    sync();
}

QLineEdit* GearGrid::cell(std::size_t row, std::size_t column) const {
    return m_rows[row].boxes[static_cast<std::size_t>(boxIndex(column))];
}

void GearGrid::edited(DraftFocus focus) {
    m_changed();
    sync();
    QWidget* next = m_add;
    if (focus.place == DraftFocus::Place::SlotCell) {
        next = cell(focus.row, kSlotField);
    } else if (focus.place == DraftFocus::Place::RemoveButton) {
        next = m_rows[focus.row].remove;
    }
    next->setFocus(Qt::OtherFocusReason);
}

void GearGrid::addRow() {
    const std::size_t row = m_rows.size();
    const int line = static_cast<int>(row) + 1;
    Row made;
    for (std::size_t column = 0; column < kGearListColumns; ++column) {
        if (column == kWornField) {
            made.worn = new QCheckBox;
            made.worn->setAccessibleName(qText(draftCellName(row, column)));
            m_grid->addWidget(made.worn, line, static_cast<int>(column), Qt::AlignCenter);
            connect(made.worn, &QCheckBox::clicked, this, [this, row] {
                m_candidates.toggleWorn(row);
                m_changed();
                sync();
            });
            continue;
        }
        auto* box = new QLineEdit;
        box->setAccessibleName(qText(draftCellName(row, column)));
        // Five digits whole, as in the panel's grid.
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
        m_grid->addWidget(box, line, static_cast<int>(column));
        connect(box, &QLineEdit::textEdited, this, [this, row, column](const QString& text) {
            m_candidates.typeCell(row, column, text.toStdString());
            m_changed();
            sync();
        });
        made.boxes.push_back(box);
    }
    made.remove = new QPushButton(qText(kRemoveDraftRow));
    made.remove->setAccessibleName(qText(draftRemoveName(row)));
    m_grid->addWidget(made.remove, line, static_cast<int>(kGearListColumns));
    connect(made.remove, &QPushButton::clicked, this,
            [this, row] { edited(m_candidates.removeDraftRow(row)); });
    // Shown at once, not when the layout next runs: the focus may go to it now.
    for (QWidget* widget : made.boxes) {
        widget->show();
    }
    made.worn->show();
    made.remove->show();
    m_rows.push_back(made);
}

// Rows made after the window was built: Tab still goes through them row by
// row, between the titles and the button that adds one.
void GearGrid::orderTabs() {
    QWidget* previous = m_lastTitle;
    for (const Row& row : m_rows) {
        for (std::size_t column = 0; column < kGearListColumns; ++column) {
            QWidget* next = column == kWornField
                                ? static_cast<QWidget*>(row.worn)
                                : cell(static_cast<std::size_t>(&row - m_rows.data()), column);
            setTabOrder(previous, next);
            previous = next;
        }
        setTabOrder(previous, row.remove);
        previous = row.remove;
    }
    setTabOrder(previous, m_add);
}

void GearGrid::dropLastRow() {
    Row& row = m_rows.back();
    for (QLineEdit* box : row.boxes) {
        delete box;
    }
    delete row.worn;
    delete row.remove;
    m_rows.pop_back();
}

void GearGrid::sync() {
    const std::vector<DraftRow> rows = draftTable(m_candidates.draft());
    while (m_rows.size() > rows.size()) {
        dropLastRow();
    }
    const bool added = m_rows.size() < rows.size();
    while (m_rows.size() < rows.size()) {
        addRow();
    }
    if (added) {
        orderTabs();
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < kGearListColumns; ++column) {
            if (column == kWornField) {
                m_rows[row].worn->setChecked(isWornField(rows[row][column]));
                continue;
            }
            const QString text = qText(rows[row][column]);
            QLineEdit* box = cell(row, column);
            if (box->text() != text) {
                const int caret = box->cursorPosition();
                box->setText(text);
                box->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
            }
        }
    }
}

} // namespace velmora::ui
