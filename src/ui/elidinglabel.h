#pragma once

#include <QLabel>
#include <QPointer>

namespace velmora::ui {

// A label that shows its caption as plain text, wrapping at word and CJK
// boundaries. When a caption still does not fit its width (a long number in
// a narrow result label) it is shortened with "…", keeping the exponent of a
// number ("1.48…E+308"), and the whole caption becomes its tool tip and its
// accessible description.
class ElidingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget* parent);

    // Sets the caption; use this rather than setText.
    void setCaption(const QString& caption);
    bool isElided() const;
    // What is drawn: the caption, or its shortened form.
    QString shownText() const;
    // The label that tells what this one is (its row's name, its column's
    // heading), for assistive tools.
    void setLabelledBy(QWidget* label) { m_labelledBy = label; }
    QWidget* labelledBy() const { return m_labelledBy; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateDescription();

    QPointer<QWidget> m_labelledBy;
};

} // namespace velmora::ui
