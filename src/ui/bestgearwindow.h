// The window of 最佳组合: the candidate list in a grid of cells and as text, read in and written out
// by the core, and the search's answer as the core words it. The search runs
// in slices between events, so that the window never stops answering.
#pragma once

#include "form/form.h"
#include "form/gearcandidates.h"

#include <QTimer>
#include <QWidget>

#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace velmora::ui {

class GearGrid;

class BestGearWindow : public QWidget {
    Q_OBJECT

public:
    // The candidates are the window's, kept as long as it is.
    explicit BestGearWindow(Form& form);
    GearCandidates& candidates() { return m_candidates; }
    // Shows what the core holds now.
    void refresh();

    QPlainTextEdit* list() const { return m_list; }
    GearGrid* grid() const { return m_grid; }
    QPushButton* readButton() const { return m_read; }
    QPushButton* writeButton() const { return m_write; }
    QPushButton* startButton() const { return m_start; }
    QLabel* status() const { return m_status; }
    const std::vector<QLabel*>& rows() const { return m_rows; }
    QLabel* straightLine() const { return m_line; }
    QScrollArea* scrollArea() const { return m_scroll; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addLine(QVBoxLayout* layout);
    void searchSlice();
    void finished();
    void showDraft();

    Form& m_form;
    GearCandidates m_candidates;
    QScrollArea* m_scroll = nullptr;
    GearGrid* m_grid = nullptr;
    QPlainTextEdit* m_list = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_continue = nullptr;
    QLabel* m_listState = nullptr;
    QLabel* m_status = nullptr;
    std::vector<QLabel*> m_rows;
    QLabel* m_line = nullptr;
    QTimer m_slices;
};

} // namespace velmora::ui
