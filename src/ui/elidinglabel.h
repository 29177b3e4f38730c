#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>

namespace velmora::ui {

// A label that shows its caption as plain text. A number stays on one line;
// other captions of a fixed-size label wrap at word and CJK boundaries. When
// a caption still does not fit, it is shortened as the core says (keeping a
// number's exponent: "1.…E+307"), and the whole caption becomes its tool tip
// and its accessible description.
class ElidingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget* parent);

    // Sets the caption; use this rather than setText.
    void setCaption(const QString& caption);
    // Whether captions that are not numbers wrap (a fixed-size label's do).
    void setWrapsCaptions(bool wraps);
    bool isElided() const;
    // What is drawn: the caption, or its shortened form.
    QString shownText() const;
    // The labels that tell what this one is (its row's name, its set), for
    // assistive tools.
    void setLabelledBy(const QList<QWidget*>& labels);
    QList<QWidget*> labelledBy() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateDescription();

    QList<QPointer<QWidget>> m_labelledBy;
    bool m_wrapsCaptions = true;
};

} // namespace velmora::ui
