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
#include "model/viewrules.h"

#include <emscripten/bind.h>

#include <string>
#include <utility>
#include <vector>

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

std::string_view roleName(velmora::LabelRole role) {
    switch (role) {
    case velmora::LabelRole::Heading:
        return "Heading";
    case velmora::LabelRole::Unit:
        return "Unit";
    case velmora::LabelRole::Result:
        return "Result";
    case velmora::LabelRole::Note:
        return "Note";
    case velmora::LabelRole::Caption:
        break;
    }
    return "Caption";
}

val text(std::string_view utf8) {
    return val(std::string(utf8)); // embind reads std::string as UTF-8
}

val indices(const std::vector<FieldId>& fields) {
    val all = val::array();
    for (const FieldId field : fields) {
        all.call<void>("push", static_cast<int>(field));
    }
    return all;
}

// The whole table, once, at load, with the rules the page follows for each
// control and its place in pixels.
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
        control.set("left", velmora::twipsToPixels(design.left));
        control.set("top", velmora::twipsToPixels(design.top));
        control.set("width", velmora::twipsToPixels(design.width));
        control.set("height", velmora::twipsToPixels(design.height));
        control.set("fits", design.sizing == velmora::Sizing::Fits);
        if (design.sizing == velmora::Sizing::Fits && design.kind == velmora::Kind::Label) {
            control.set("room", velmora::fittingLabelRoom(field));
        }
        control.set("role", text(roleName(design.role)));
        control.set("tabIndex", velmora::tabPlaceOf(field));
        control.set("labels", indices(velmora::labelsOf(field)));
        control.set("nameSources", indices(velmora::nameSourcesOf(field)));
        const FieldId enter = velmora::enterPresses(field);
        control.set("enterPresses", enter == velmora::kControlCount ? -1 : static_cast<int>(enter));
        control.set("opensHelp", velmora::opensHelp(field));
        control.set("clickOnSelectedIsClick", velmora::clickOnSelectedIsClick(field));
        all.call<void>("push", control);
    }
    return all;
}

val helpWindow() {
    val window = val::object();
    window.set("caption", text(velmora::help::kHelpWindowCaption));
    window.set("width", velmora::twipsToPixels(velmora::help::kHelpClientWidth));
    window.set("height", velmora::twipsToPixels(velmora::help::kHelpClientHeight));
    window.set("buttonTop", velmora::twipsToPixels(velmora::help::kHelpButtonTop));
    window.set("buttonWidth", velmora::twipsToPixels(velmora::help::kHelpButtonWidth));
    window.set("buttonHeight", velmora::twipsToPixels(velmora::help::kHelpButtonHeight));
    window.set("columnWidth", velmora::twipsToPixels(velmora::help::kHelpColumnWidth));
    window.set("lineHeight", velmora::twipsToPixels(velmora::help::kHelpLineHeight));
    return window;
}

val helpSections() {
    val sections = val::array();
    for (const velmora::help::HelpSection& section : velmora::help::kHelpSections) {
        val entry = val::object();
        entry.set("button", text(section.button));
        entry.set("buttonLeft", velmora::twipsToPixels(section.buttonLeft));
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

velmora::FocusArrival arrival(const std::string& how) {
    using velmora::FocusArrival;
    if (how == "activated") {
        return FocusArrival::WindowActivated;
    }
    if (how == "box") {
        return FocusArrival::BoxClosed;
    }
    if (how == "popup") {
        return FocusArrival::PopupClosed;
    }
    return how == "pointer" ? FocusArrival::Pointer
           : how == "user"  ? FocusArrival::UserNavigation
                            : FocusArrival::AssistiveTool;
}

// A text as a label shows it, where fits(text) tells whether a text fits.
std::string shorten(const std::string& text, val fits) {
    return velmora::shortenToFit(
        text, [&](std::string_view candidate) { return fits(val(std::string(candidate))).as<bool>(); });
}

bool isNumber(const std::string& text) {
    return velmora::isNumberText(text);
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
    // How the focus came: "user", "pointer", "assistive", "activated",
    // "box" or "popup"; whether that is an entry is the core's rule.
    val focusArrived(int field, const std::string& how) {
        m_form.focusArrived(checked(field), arrival(how));
        return m_warnings.take();
    }
    bool pressRunning() const { return m_form.pressRunning(); }
    std::string announcement() const { return std::string(m_form.announcement()); }
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
    emscripten::function("shorten", &shorten);
    emscripten::function("isNumberText", &isNumber);
    emscripten::class_<Calculator>("Calculator")
        .constructor<>()
        .function("fields", &Calculator::fields)
        .function("type", &Calculator::type)
        .function("click", &Calculator::click)
        .function("focusArrived", &Calculator::focusArrived)
        .function("pressRunning", &Calculator::pressRunning)
        .function("announcement", &Calculator::announcement)
        .function("sharedInputs", &Calculator::sharedInputs)
        .function("restoreInputs", &Calculator::restoreInputs);
}
