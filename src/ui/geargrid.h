// The grid of cells of 最佳组合's candidate list: a row of boxes for each item
// (部位, 名称, the 已穿 box, the eight ratings) and a button that removes it,
// under the column titles, and a button that adds an item. It edits the
// core's draft, the same one the text area shows; it keeps nothing itself.
#pragma once

#include "form/gearcandidates.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace velmora::ui {

class GearGrid : public QWidget {
    Q_OBJECT

public:
    // changed: the draft changed here; the window shows it elsewhere.
    GearGrid(GearCandidates& candidates, std::function<void()> changed);
    // Shows the draft as the core holds it now.
    void sync();

    QPushButton* addButton() const { return m_add; }
    QLineEdit* cell(std::size_t row, std::size_t column) const;
    QCheckBox* wornBox(std::size_t row) const { return m_rows[row].worn; }
    QPushButton* removeButton(std::size_t row) const { return m_rows[row].remove; }
    std::size_t rowCount() const { return m_rows.size(); }

private:
    struct Row {
        std::vector<QLineEdit*> boxes; // every field but 已穿, in column order
        QCheckBox* worn = nullptr;
        QPushButton* remove = nullptr;
    };
    // A row added or removed: shown, and the focus where the core puts it.
    void edited(DraftFocus focus);
    void addRow();
    void dropLastRow();
    void orderTabs();

    GearCandidates& m_candidates;
    std::function<void()> m_changed;
    QGridLayout* m_grid = nullptr;
    QPushButton* m_add = nullptr;
    QWidget* m_lastTitle = nullptr;
    std::vector<Row> m_rows;
};

} // namespace velmora::ui
