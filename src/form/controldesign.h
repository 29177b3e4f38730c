// The description of one control of the main window, as the window is
// designed: what it is, where it stands and how it starts.
#pragma once

#include <string_view>

namespace velmora {

enum class Kind { Window, Frame, Label, TextBox, CommandButton, OptionButton, CheckBox };

enum class Shown { No, Yes };

// A label that fits sizes itself to its caption; its width and height in the
// table are the design size only.
enum class Sizing { Fixed, Fits };

// What a label is to its neighbours, for assistive tools: the name of a row
// or a column's caption (what names the controls beside or below it), a
// column's heading, a unit ("%"), a result that a handler writes, or a note
// that belongs to nothing.
enum class LabelRole { Caption, Heading, Unit, Result, Note };

struct ControlDesign {
    std::string_view name;
    Kind kind;
    std::string_view container; // a frame's name, or empty for the window itself
    std::string_view text;      // the caption, or a text box's text, at start
    std::string_view toolTip;
    int left, top, width, height; // twips, within the container's client area
    Shown shown;
    Sizing sizing;
    LabelRole role = LabelRole::Caption;
};

// Factories that keep the table readable: each kind takes what it needs.
constexpr ControlDesign window(std::string_view name, std::string_view caption, int width, int height) {
    return {name, Kind::Window, {}, caption, {}, 0, 0, width, height, Shown::Yes, Sizing::Fixed};
}

constexpr ControlDesign frame(std::string_view name, std::string_view caption, int left, int top, int width,
                              int height) {
    return {name, Kind::Frame, {}, caption, {}, left, top, width, height, Shown::Yes, Sizing::Fixed};
}

constexpr ControlDesign label(std::string_view name, std::string_view container, std::string_view caption,
                              int left, int top, int width, int height, Sizing sizing,
                              Shown shown = Shown::Yes) {
    return {name, Kind::Label, container, caption, {}, left, top, width, height, shown, sizing};
}

constexpr ControlDesign withRole(ControlDesign design, LabelRole role) {
    design.role = role;
    return design;
}

constexpr int kTextBoxHeight = 270;

constexpr ControlDesign textBox(std::string_view name, std::string_view container, std::string_view text,
                                std::string_view toolTip, int left, int top, int width,
                                Shown shown = Shown::Yes) {
    return {name, Kind::TextBox, container,      text,  toolTip,      left,
            top,  width,         kTextBoxHeight, shown, Sizing::Fixed};
}

constexpr ControlDesign button(std::string_view name, std::string_view container, std::string_view caption,
                               std::string_view toolTip, int left, int top, int width, int height) {
    return {name,   Kind::CommandButton, container,    caption, toolTip, left, top, width,
            height, Shown::Yes,          Sizing::Fixed};
}

constexpr ControlDesign option(std::string_view name, std::string_view container, std::string_view caption,
                               int left, int top, int width, Shown shown = Shown::Yes) {
    return {name, Kind::OptionButton, container, caption, {}, left, top, width, 255, shown, Sizing::Fixed};
}

constexpr ControlDesign checkBox(std::string_view name, std::string_view container, std::string_view caption,
                                 int left, int top, int width) {
    return {name, Kind::CheckBox, container, caption, {}, left, top, width, 180, Shown::Yes, Sizing::Fixed};
}

} // namespace velmora
