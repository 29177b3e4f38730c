// The window of 实际提升 and 收益曲线: what each gear set really changes, as of
// the last 总收益, and the gain curves of the last 计算. It shows what the
// core computes and forwards the choice of range.
#pragma once

#include "form/form.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace velmora::ui {

class GainChart;

class InsightWindow : public QWidget {
    Q_OBJECT

public:
    explicit InsightWindow(Form& form);
    // Shows what the core holds now.
    void refresh();
    // The focus where the core says the window starts (insightStart).
    void focusFirstLine();

    GainChart* chart() const { return m_chart; }
    QScrollArea* scrollArea() const { return m_scroll; }
    const std::vector<QLabel*>& setRows() const { return m_rows; }
    const std::vector<QLabel*>& headroom() const { return m_headroom; }

private:
    QLabel* addText(QVBoxLayout* layout, bool focusable);

    Form& m_form;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_basis = nullptr;
    std::vector<QLabel*> m_rows;
    QLabel* m_order = nullptr;
    QLabel* m_noCurves = nullptr;
    GainChart* m_chart = nullptr;
    QLabel* m_coincide = nullptr; // curves that run as one line
    std::vector<QLabel*> m_headroom;
    QLabel* m_range = nullptr;
    QPushButton* m_narrower = nullptr;
    QPushButton* m_wider = nullptr;
};

} // namespace velmora::ui
