#pragma once

#include "view/viewrules.h"

#include <QLabel>

namespace velmora::ui {

// A label that shows its caption as plain text, on one line or wrapped at
// word and CJK boundaries as the core says. When a caption still does not
// fit, it is shown as the core says (a number keeps its exponent:
// "1.…E+307"), with the whole caption in its tool tip and its accessible
// description.
class ElidingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget* parent);

    // Sets the caption; use this rather than setText.
    void setCaption(const QString& caption, bool staysOnOneLine);
    bool isElided() const;
    // What is drawn: the caption, or its shortened form.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateDescription();
    ShownCaption shown() const;
    // The whole caption when the text drawn is shortened, else empty.
    QString wholeCaption() const;
};

} // namespace velmora::ui
