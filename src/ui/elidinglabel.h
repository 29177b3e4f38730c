#pragma once

#include <QLabel>

namespace velmora::ui {

// A label that wraps its caption at word and CJK boundaries and, when a
// caption still does not fit its width (a long number in a narrow result
// label), ends it with "…" and shows the whole caption as its tool tip
// rather than cutting digits off unseen.
class ElidingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget* parent);

    bool isElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace velmora::ui
