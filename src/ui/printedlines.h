// The printed section of the help window as text a keyboard can read: a
// stop after the section buttons with a caret that moves by character and
// by line, so that a screen reader reads the drawn lines one by one or all
// at once. The window paints the glyphs; this shows only where the caret is.
#pragma once

#include <QWidget>

namespace velmora::ui {

class HelpWindow;

class PrintedLines : public QWidget {
    Q_OBJECT

public:
    // Lies over the page the window prints on, in the page's coordinates.
    PrintedLines(HelpWindow* help, QWidget* page);

    HelpWindow* help() const;
    // An offset in the help window's printedText().
    int caret() const { return m_caret; }
    void setCaret(int offset);
    // A new section: the caret goes back to its start.
    void reset();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int lineStart(int offset) const;
    int lineEnd(int offset) const; // the offset of its line feed

    HelpWindow* m_help;
    int m_caret = 0;
};

} // namespace velmora::ui
