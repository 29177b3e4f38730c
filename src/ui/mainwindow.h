// The main window: a view of the core's field model, built from the table of
// controls. User actions go to the core; the core's changes come back here.
#pragma once

#include "form/form.h"
#include "view/controlnames.h"

#include <QWidget>

class QScrollArea;

#include <memory>
#include <vector>

namespace velmora::ui {

class HelpWindow;
class InsightWindow;
class BestGearWindow;

class MainWindow : public QWidget, private FieldObserver {
    Q_OBJECT

public:
    explicit MainWindow(Form& form);
    ~MainWindow() override;

    // Where the controls are placed, at the designed size: the whole client
    // area where the screen has room for it, else scrolled.
    QScrollArea* scrollArea() const { return m_scroll; }
    QWidget* canvas() const { return m_canvas; } // the frames' container
    // The widget of a control of the table (the window itself for Form1).
    QWidget* widget(FieldId field) const { return m_widgets[field]; }
    // Created by the first press of 详细说明 and kept for the rest of the run.
    HelpWindow* helpWindow() const { return m_help.get(); }
    // Created by the first press of 实际提升与收益曲线 and kept for the run.
    InsightWindow* insightWindow() const { return m_insight.get(); }
    // Created by the first press of 最佳组合 and kept for the run.
    BestGearWindow* bestGearWindow() const { return m_bestGear.get(); }
    // The focus in the first panel box, its text selected, as at start.
    void focusFirstBox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QWidget* createWidget(FieldId field, QWidget* container);
    void connectEvents(FieldId field);
    void mirrorButtonsOfFrame(FieldId field);
    void fieldChanged(FieldId field) override;
    void findAccessibleNames();
    void updateAccessibleNames(FieldId changedLabel); // kNoLabel: all of them
    void openHelp();
    void openInsight();
    void openBestGear();
    void refreshInsight(); // after anything that may have written results

    Form& m_form;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    std::vector<QWidget*> m_widgets; // by FieldId
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<InsightWindow> m_insight;
    std::unique_ptr<BestGearWindow> m_bestGear;

    static constexpr FieldId kNoLabel = kNoControl;
    std::vector<std::vector<FieldId>> m_nameSources; // by FieldId, from the core
    bool m_built = false;
    bool m_mirroring = false; // the window is being set to the core's state
};

} // namespace velmora::ui
