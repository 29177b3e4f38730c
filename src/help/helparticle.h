#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace velmora::help {

// The help window: its caption, its client area and its row of buttons, in
// twips. One column of the article is 90 twips and one line 180.
inline constexpr std::string_view kHelpWindowCaption = "说明文档";
inline constexpr int kHelpClientWidth = 12285;
inline constexpr int kHelpClientHeight = 8775;
inline constexpr int kHelpButtonTop = 120;
inline constexpr int kHelpButtonWidth = 1095;
inline constexpr int kHelpButtonHeight = 375;
inline constexpr int kHelpColumnWidth = 90;
inline constexpr int kHelpLineHeight = 180;

struct HelpSection {
    std::string_view button;                 // the caption of the button that prints it
    int buttonLeft;                          // twips
    int tabOrder;                            // from 1
    std::span<const std::string_view> lines; // UTF-8; an empty line only moves down
};

// In the order of the help window's buttons, left to right.
inline constexpr std::size_t kHelpSectionCount = 6;
extern const std::array<HelpSection, kHelpSectionCount> kHelpSections;

// The sections in the order Tab reaches their buttons.
std::array<std::size_t, kHelpSectionCount> sectionsInTabOrder();

// The name of the button that prints a section: "Command1" for the first.
std::string buttonName(std::size_t section);

// The section whose button has the focus when the window opens.
inline constexpr std::size_t kFirstFocusSection = 0;

// What a screen reader is told when a section is printed: its button's
// caption.
std::string_view announcementAfterPrinting(std::size_t section);

// Whether a printed line holds columns lined up by runs of spaces (a table
// row, a formula with its remark beside it): shown anywhere, it keeps its
// columns, never wrapped into the wrong one.
bool isTabular(std::string_view line);

} // namespace velmora::help
