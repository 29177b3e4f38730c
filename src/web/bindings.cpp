// The core as the web page sees it: the table of controls, the fields, the
// user's actions, the names of controls, the shared inputs and the help
// article.
//
// A press does all its work before it shows any box, and its changes appear
// only after its boxes: each action returns the boxes it raised, and the page
// shows them one after another, takes no other action meanwhile, and shows
// the fields only once the last is dismissed, as the desktop's modal boxes
// do.
#include "help/helparticle.h"
#include "model/controlnames.h"
#include "model/form.h"
#include "model/gridtext.h"
#include "model/sharedinputs.h"

#include <emscripten/bind.h>

#include <string>
#include <utility>

namespace {

using emscripten::val;
using velmora::FieldId;
using velmora::kControls;

class PageWarnings : public velmora::WarningSink {
public:
    void warn(std::string_view prompt, std::string_view title) override {
        val box = val::object();
        box.set("prompt", val(std::string(prompt)));
        box.set("title", val(std::string(title)));
        m_boxes.call<void>("push", box);
    }
    // The boxes raised since the last call, in order.
    val take() { return std::exchange(m_boxes, val::array()); }

private:
    val m_boxes = val::array();
};

std::string_view kindName(velmora::Kind kind) {
    switch (kind) {
    case velmora::Kind::Window:
        return "Window";
    case velmora::Kind::Frame:
        return "Frame";
    case velmora::Kind::Label:
        return "Label";
    case velmora::Kind::TextBox:
        return "TextBox";
    case velmora::Kind::CommandButton:
        return "CommandButton";
    case velmora::Kind::OptionButton:
        return "OptionButton";
    case velmora::Kind::CheckBox:
        return "CheckBox";
    }
    return "";
}

val text(std::string_view utf8) {
    return val(std::string(utf8)); // embind reads std::string as UTF-8
}

// The whole table, once, at load.
val controls() {
    val all = val::array();
    for (FieldId field = 0; field < velmora::kControlCount; ++field) {
        const velmora::ControlDesign& design = kControls[field];
        val control = val::object();
        control.set("name", text(design.name));
        control.set("kind", text(kindName(design.kind)));
        control.set("container", text(design.container));
        control.set("text", text(design.text));
        control.set("toolTip", text(design.toolTip));
        control.set("left", design.left);
        control.set("top", design.top);
        control.set("width", design.width);
        control.set("height", design.height);
        control.set("fits", design.sizing == velmora::Sizing::Fits);
        control.set("tabIndex", design.tabIndex);
        const FieldId row = velmora::rowNameOf(field);
        const FieldId column = velmora::columnHeadingOf(field);
        const FieldId by = velmora::labelledByOf(field);
        control.set("rowName", row == velmora::kNoControl ? -1 : static_cast<int>(row));
        control.set("columnHeading", column == velmora::kNoControl ? -1 : static_cast<int>(column));
        control.set("labelledBy", by == velmora::kNoControl ? -1 : static_cast<int>(by));
        all.call<void>("push", control);
    }
    return all;
}

val helpWindow() {
    val window = val::object();
    window.set("caption", text(velmora::help::kHelpWindowCaption));
    window.set("width", velmora::help::kHelpClientWidth);
    window.set("height", velmora::help::kHelpClientHeight);
    window.set("buttonTop", velmora::help::kHelpButtonTop);
    window.set("buttonWidth", velmora::help::kHelpButtonWidth);
    window.set("buttonHeight", velmora::help::kHelpButtonHeight);
    window.set("columnWidth", velmora::help::kHelpColumnWidth);
    window.set("lineHeight", velmora::help::kHelpLineHeight);
    return window;
}

val helpSections() {
    val sections = val::array();
    for (const velmora::help::HelpSection& section : velmora::help::kHelpSections) {
        val entry = val::object();
        entry.set("button", text(section.button));
        entry.set("buttonLeft", section.buttonLeft);
        entry.set("tabOrder", section.tabOrder);
        val lines = val::array();
        for (std::string_view line : section.lines) {
            val glyphs = val::array();
            for (const velmora::GridGlyph& glyph : velmora::layOutOnGrid(line)) {
                val cell = val::object();
                cell.set("text", text(glyph.text));
                cell.set("column", glyph.column);
                cell.set("span", glyph.span);
                glyphs.call<void>("push", cell);
            }
            val printed = val::object();
            printed.set("text", text(line));
            printed.set("glyphs", glyphs);
            lines.call<void>("push", printed);
        }
        entry.set("lines", lines);
        sections.call<void>("push", entry);
    }
    return sections;
}

// One main window's core.
class Calculator {
public:
    Calculator() : m_form(m_warnings) {}

    // Every field's text, visibility and value, in the table's order.
    val fields() const {
        val all = val::array();
        for (FieldId field = 0; field < velmora::kControlCount; ++field) {
            val state = val::object();
            state.set("text", text(m_form.fields().text(field)));
            state.set("visible", m_form.fields().visible(field));
            state.set("value", m_form.fields().value(field));
            all.call<void>("push", state);
        }
        return all;
    }
    // Each action returns the warning boxes it raised: [{prompt, title}].
    // A box on the page holds no more than its address can carry.
    val type(int field, const std::string& utf8) {
        m_form.type(checked(field), utf8, velmora::kMaxPageBoxCharacters);
        return m_warnings.take();
    }
    val click(int field) {
        m_form.click(checked(field));
        return m_warnings.take();
    }
    val enter(int field) {
        m_form.enter(checked(field));
        return m_warnings.take();
    }
    bool pressRunning() const { return m_form.pressRunning(); }
    std::string sharedInputs() const { return velmora::encodeInputs(m_form.fields()); }
    bool restoreInputs(const std::string& shared) { return m_form.restoreInputs(shared); }

private:
    // The page passes indices it got from the table; anything else is ignored
    // by pointing at the window, which takes no action.
    static FieldId checked(int field) {
        return field >= 0 && static_cast<std::size_t>(field) < velmora::kControlCount
                   ? static_cast<FieldId>(field)
                   : 0;
    }

    PageWarnings m_warnings;
    velmora::Form m_form;
};

} // namespace

EMSCRIPTEN_BINDINGS(velmora) {
    emscripten::function("controls", &controls);
    emscripten::function("helpWindow", &helpWindow);
    emscripten::function("helpSections", &helpSections);
    emscripten::class_<Calculator>("Calculator")
        .constructor<>()
        .function("fields", &Calculator::fields)
        .function("type", &Calculator::type)
        .function("click", &Calculator::click)
        .function("enter", &Calculator::enter)
        .function("pressRunning", &Calculator::pressRunning)
        .function("sharedInputs", &Calculator::sharedInputs)
        .function("restoreInputs", &Calculator::restoreInputs);
}
