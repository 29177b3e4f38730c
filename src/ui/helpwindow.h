// The help window: six buttons that each clear the client area and print a
// section of the help article on a fixed character grid. The client area
// keeps its designed size; on a screen too small for it the window takes
// what the screen has and scrolls.
#pragma once

#include "help/helparticle.h"
#include "view/viewrules.h"

#include <QWidget>

#include <array>
#include <optional>

class QPushButton;
class QScrollArea;

namespace velmora::ui {

class PrintedLines;

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow();

    QPushButton* button(std::size_t section) const { return m_buttons[section]; }
    // The printed section as readable text, after the buttons in the tab
    // chain; no stop while nothing is printed.
    PrintedLines* printedLines() const { return m_lines; }
    // The section on show, if any.
    std::optional<std::size_t> shownSection() const { return m_shown; }
    void clear();
    void printSection(std::size_t section);
    // The lines on show, each ended by a line feed; empty when none is.
    QString printedText() const;
    // Where a character of printedText() is drawn, in the window's
    // coordinates (a line feed: the cell after its line); empty if nowhere.
    QRect characterRect(int offset) const;
    // The character drawn at a point, or -1 for none.
    int offsetAt(QPoint point) const;
    // Coordinates above are the client area's, which scrolls on a small
    // screen; this scrolls it to show a part of it.
    void scrollToShow(const QRect& part);
    QScrollArea* scrollArea() const { return m_scroll; }

    static constexpr int kColumnWidth = twipsToPixels(help::kHelpColumnWidth);
    static constexpr int kLineHeight = twipsToPixels(help::kHelpLineHeight);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showSection(std::optional<std::size_t> section);
    void paintPage();
    void fitTheScreen();

    QScrollArea* m_scroll = nullptr;
    QWidget* m_page = nullptr; // the client area as designed
    std::array<QPushButton*, help::kHelpSectionCount> m_buttons{};
    PrintedLines* m_lines = nullptr;
    // Kept so that the section is painted again after the window was covered.
    std::optional<std::size_t> m_shown;
};

} // namespace velmora::ui
