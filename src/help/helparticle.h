#pragma once

#include <array>
#include <span>
#include <string_view>

namespace velmora::help {

struct HelpSection {
    std::string_view button;                 // the caption of the button that prints it
    int buttonLeft;                          // twips
    int tabOrder;                            // from 1
    std::span<const std::string_view> lines; // UTF-8; an empty line only moves down
};

// In the order of the help window's buttons, left to right.
extern const std::array<HelpSection, 6> kHelpSections;

} // namespace velmora::help
