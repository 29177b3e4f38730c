// The core as the web page sees it: the table of controls, the fields, the
// user's actions, the names of controls, the shared inputs and the help
// article.
//
// Each action, and each dismissal of a box, returns what the page must do
// next: show a box that has come up, say an announcement, put the focus
// where a new visit starts. The press itself is the core's: it drops what
// arrives while its box is up, and its changes appear in fields() only after
// the last box.
#include "form/boxtext.h"
#include "form/form.h"
#include "form/sharedinputs.h"
#include "help/helparticle.h"
#include "view/chartlabels.h"
#include "view/controlnames.h"
#include "view/gearinsight.h"
#include "view/gridtext.h"
#include "view/layout.h"
#include "view/viewrules.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <cstdlib>
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
        m_boxUp = box;
    }
    void inputsOpened() override { m_opened = true; }
    // The box that came up since the last call, or null.
    val takeBoxUp() { return std::exchange(m_boxUp, val::null()); }
    bool takeOpened() { return std::exchange(m_opened, false); }

private:
    val m_boxUp = val::null();
    bool m_opened = false;
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

// The page passes indices it got from the table; anything else is a fault
// in the page, thrown back at it.
FieldId checkedField(int field) {
    if (field < 0 || static_cast<std::size_t>(field) >= velmora::kControlCount) {
        throw velmora::NoSuchControl{};
    }
    return static_cast<FieldId>(field);
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
        control.set("nameSources", indices(velmora::nameSourcesOf(field)));
        control.set("composedName", velmora::hasComposedName(field));
        control.set("labelledBy", indices(velmora::labelledByOf(field)));
        control.set("opensHelp", velmora::opensHelp(field));
        control.set("opensInsight", velmora::opensInsight(field));
        control.set("opensBestGear", velmora::opensBestGear(field));
        control.set("clickOnSelectedIsClick", velmora::clickOnSelectedIsClick(field));
        control.set("measuredForLayout", velmora::measuredForLayout(field));
        all.call<void>("push", control);
    }
    return all;
}

// A name the page passes that the core does not know is a fault in the
// page: thrown back at it as a RangeError, never read as a default.
[[noreturn]] void refuse(std::string_view what, const std::string& name) {
    val::global("RangeError")
        .new_(text(std::string(what) + " unknown to the core: \"" + name + "\""))
        .throw_();
    std::abort(); // throw_ does not return
}

// "window" or "one-column".
velmora::Layout layoutNamed(const std::string& name) {
    if (name == "window") {
        return velmora::Layout::Window;
    }
    if (name == "one-column") {
        return velmora::Layout::OneColumn;
    }
    refuse("a layout", name);
}

velmora::CellLines cellLinesNamed(const std::string& name) {
    if (name == "beside") {
        return velmora::CellLines::Beside;
    }
    if (name == "under") {
        return velmora::CellLines::Under;
    }
    if (name == "paired") {
        return velmora::CellLines::Paired;
    }
    refuse("a way of cell lines", name);
}

std::string cellLinesName(velmora::CellLines cells) {
    switch (cells) {
    case velmora::CellLines::Under:
        return "under";
    case velmora::CellLines::Paired:
        return "paired";
    case velmora::CellLines::Beside:
        break;
    }
    return "beside";
}

// "beside", "under" or "paired", from what the page measured of the grid.
std::string widestCellText() {
    return std::string(velmora::kWidestCellText);
}

std::string chooseCellLines(double gridWidth, double widestName, double gap, double needs) {
    return cellLinesName(velmora::chooseCellLines(gridWidth, widestName, gap, needs));
}

// Each control's place in the one-column layout (see layout.h), with a
// grid's cells as named.
val oneColumnPlaces(const std::string& cells) {
    val all = val::array();
    for (const velmora::ColumnPlace& place : velmora::oneColumnPlaces(cellLinesNamed(cells))) {
        val one = val::object();
        one.set("readingOrder", place.readingOrder);
        one.set("columns", place.columns);
        one.set("row", place.cell.row);
        one.set("rows", place.cell.rows);
        one.set("column", place.cell.column);
        one.set("toLastColumn", place.cell.toLastColumn);
        one.set("lead", place.lead == velmora::kNoControl ? -1 : static_cast<int>(place.lead));
        one.set("namesRow", place.namesRow);
        one.set("evenColumns", place.evenColumns);
        all.call<void>("push", one);
    }
    return all;
}

// The tab chain of a layout, by control index.
val tabChain(const std::string& layout) {
    return indices(velmora::tabChain(layoutNamed(layout)));
}

// Whether a caption measured in the window layout needs more room there.
bool needsMoreRoom(int field, const std::string& caption, double width, double height, double roomWidth,
                   double roomHeight) {
    return velmora::needsMoreRoom({checkedField(field), caption, width, height, roomWidth, roomHeight});
}

// Whether text that needs `needs` pixels fits its room.
bool fitsItsRoom(double needs, double room) {
    return velmora::fitsItsRoom(needs, room);
}

// "window" or "one-column", from what the page measured.
std::string chooseLayout(double screenWidth, double windowWidth, bool touch, bool aCaptionNeedsMoreRoom) {
    return velmora::chooseLayout(screenWidth, windowWidth, touch, aCaptionNeedsMoreRoom) ==
                   velmora::Layout::OneColumn
               ? "one-column"
               : "window";
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
    window.set("firstFocus", static_cast<int>(velmora::help::kFirstFocusSection));
    return window;
}

val helpSections() {
    val sections = val::array();
    for (std::size_t i = 0; i < velmora::help::kHelpSections.size(); ++i) {
        const velmora::help::HelpSection& section = velmora::help::kHelpSections[i];
        val entry = val::object();
        entry.set("name", text(velmora::help::buttonName(i)));
        entry.set("button", text(section.button));
        entry.set("announcement", text(velmora::help::announcementAfterPrinting(i)));
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
            printed.set("tabular", velmora::help::isTabular(line));
            lines.call<void>("push", printed);
        }
        entry.set("lines", lines);
        sections.call<void>("push", entry);
    }
    return sections;
}

// How the focus came, as the page names it.
velmora::FocusArrival arrival(const std::string& how) {
    using velmora::FocusArrival;
    static const std::pair<std::string_view, FocusArrival> kArrivals[] = {
        {"user", FocusArrival::UserNavigation},     {"pointer", FocusArrival::Pointer},
        {"assistive", FocusArrival::AssistiveTool}, {"activated", FocusArrival::WindowActivated},
        {"box", FocusArrival::BoxClosed},           {"popup", FocusArrival::PopupClosed},
    };
    for (const auto& [name, value] : kArrivals) {
        if (how == name) {
            return value;
        }
    }
    refuse("an arrival", how);
}

// A caption as a label shows it, where fits(text) tells whether a text
// fits: {text, whole}, whole empty when the caption is shown whole.
val showCaption(const std::string& caption, val fits) {
    const velmora::ShownCaption shown = velmora::showCaption(
        caption, [&](std::string_view candidate) { return fits(val(std::string(candidate))).as<bool>(); });
    val result = val::object();
    result.set("text", text(shown.text));
    result.set("whole", text(shown.whole));
    return result;
}

// layout: "window" or "one-column".
bool staysOnOneLine(int label, const std::string& caption, const std::string& layout) {
    return velmora::staysOnOneLine(checkedField(label), caption, layoutNamed(layout));
}

// The button Enter presses in a control, or -1.
int enterPresses(int field, bool withModifiers) {
    if (field < 0 || static_cast<std::size_t>(field) >= velmora::kControlCount) {
        return -1;
    }
    const FieldId pressed = velmora::enterPresses(static_cast<FieldId>(field), withModifiers);
    return pressed == velmora::kControlCount ? -1 : static_cast<int>(pressed);
}

// Whether entering a box, as the focus came, selects its text.
bool selectsTextOnEntry(const std::string& how, bool touch) {
    return velmora::selectsTextOnEntry(arrival(how), touch);
}

// "fresh" or "to-the-front": what 详细说明 does to a help window.
std::string helpOpening(bool stillOpen) {
    return velmora::helpOpening(stillOpen) == velmora::HelpOpening::Fresh ? "fresh" : "to-the-front";
}

// Where the caret goes in a page box after the core kept what it can show.
int caretAfterKeeping(const std::string& typed, int caret) {
    return static_cast<int>(velmora::caretAfterKeeping(typed, static_cast<std::size_t>(std::max(caret, 0)),
                                                       velmora::kMaxPageBoxCharacters));
}

// The words of the window of exact changes and gain curves.
val insightWords() {
    val words = val::object();
    words.set("caption", text(velmora::kInsightCaption));
    words.set("exactHeading", text(velmora::kExactChangesHeading));
    words.set("noExact", text(velmora::kNoExactChanges));
    words.set("curvesHeading", text(velmora::kGainCurvesHeading));
    words.set("noCurves", text(velmora::kNoGainCurves));
    words.set("wider", text(velmora::kWiderRange));
    words.set("narrower", text(velmora::kNarrowerRange));
    return words;
}

val point(const velmora::CurvePoint& at) {
    val p = val::object();
    p.set("rating", at.rating);
    p.set("percent", at.percent);
    return p;
}

// A copy of the numbers, as a Float64Array.
val numbers(const std::vector<double>& values) {
    return val::global("Float64Array").new_(emscripten::typed_memory_view(values.size(), values.data()));
}

val ticks(const std::vector<velmora::Tick>& all) {
    val list = val::array();
    for (const velmora::Tick& tick : all) {
        val t = val::object();
        t.set("value", tick.value);
        t.set("text", text(tick.text));
        list.call<void>("push", t);
    }
    return list;
}

val texts(const std::vector<std::string>& all) {
    val list = val::array();
    for (const std::string& each : all) {
        list.call<void>("push", text(each));
    }
    return list;
}

val box(const velmora::PixelBox& box) {
    val b = val::object();
    b.set("left", box.left);
    b.set("top", box.top);
    b.set("width", box.width);
    b.set("height", box.height);
    return b;
}

val point(const velmora::PixelPoint& at) {
    val p = val::object();
    p.set("x", at.x);
    p.set("y", at.y);
    return p;
}

val picture(const velmora::GainPicture& picture) {
    val p = val::object();
    val curves = val::array();
    for (const velmora::GainCurve& curve : picture.curves) {
        val c = val::object();
        c.set("name", text(curve.name));
        c.set("summary", text(curve.summary));
        c.set("colour", text(curve.colour));
        c.set("darkColour", text(curve.darkColour));
        c.set("dashes", numbers(std::vector<double>(curve.dashes.begin(), curve.dashes.end())));
        std::vector<double> ratings;
        std::vector<double> percents;
        for (const velmora::CurvePoint& at : curve.points) {
            ratings.push_back(at.rating);
            percents.push_back(at.percent);
        }
        c.set("ratings", numbers(ratings));
        c.set("percents", numbers(percents));
        val caps = val::array();
        for (const velmora::CapMark& cap : curve.caps) {
            val mark = point(cap.at);
            mark.set("text", text(cap.text));
            mark.set("below", cap.below);
            caps.call<void>("push", mark);
        }
        c.set("caps", caps);
        curves.call<void>("push", c);
    }
    p.set("curves", curves);
    p.set("left", picture.left);
    p.set("right", picture.right);
    p.set("bottom", picture.bottom);
    p.set("top", picture.top);
    p.set("ratingTicks", ticks(picture.ratingTicks));
    p.set("percentTicks", ticks(picture.percentTicks));
    p.set("ratingAxis", text(picture.ratingAxis));
    p.set("percentAxis", text(picture.percentAxis));
    p.set("range", text(picture.range));
    p.set("headroom", texts(picture.headroom));
    p.set("coincide", texts(picture.coincide));
    p.set("spoken", text(picture.spoken));
    p.set("noComparison", text(picture.noComparison));
    return p;
}

std::string_view insightStartName(velmora::InsightStart start) {
    switch (start) {
    case velmora::InsightStart::FirstRow:
        return "first-row";
    case velmora::InsightStart::Chart:
        return "chart";
    case velmora::InsightStart::Caption:
        break;
    }
    return "caption";
}

val startFocus() {
    val focus = val::object();
    focus.set("field", static_cast<int>(velmora::kStartFocus.field));
    focus.set("selectsText", velmora::kStartFocus.selectsText);
    return focus;
}

// The page's own words that are not in the table: the warning box's sign
// and button, and the note when the help's window is blocked.
val pageWords() {
    val words = val::object();
    words.set("warningSign", text(velmora::kWarningSignName));
    words.set("warningButton", text(velmora::kWarningBoxButton));
    words.set("helpBlocked", text(velmora::kHelpBlocked));
    return words;
}

// One main window's core.
class Calculator {
public:
    Calculator() : m_form(m_warnings) {}

    // Every field's text, visibility and value as shown, in the table's
    // order: during a press, as before it.
    val fields() const {
        val all = val::array();
        for (FieldId field = 0; field < velmora::kControlCount; ++field) {
            const velmora::FieldState& shown = m_form.shown(field);
            val state = val::object();
            state.set("text", text(shown.text));
            state.set("visible", shown.visible);
            state.set("value", shown.value);
            all.call<void>("push", state);
        }
        return all;
    }
    // Each action returns what follows it (outcome). A box on the page holds
    // no more than its address can carry.
    val type(int field, const std::string& utf8) {
        m_form.type(checked(field), utf8, velmora::kMaxPageBoxCharacters);
        return outcome();
    }
    val click(int field) {
        m_form.click(checked(field));
        return outcome();
    }
    // How the focus came: "user", "pointer", "assistive", "activated" or
    // "box"; whether that is an entry is the core's rule.
    val focusArrived(int field, const std::string& how) {
        velmora::focusArrived(m_form, checked(field), arrival(how));
        return outcome();
    }
    val dismissBox() {
        m_form.dismissBox();
        return outcome();
    }
    // A shared address (its fragment without "#"), opened as a new visit.
    val openAddress(const std::string& shared) {
        m_form.openInputs(shared);
        return outcome();
    }
    // What each set really changes (as of the last 总收益) and the gain
    // curves (of the last 计算), each null before its press; whether the range
    // can be narrowed or widened.
    // The picture insight() last gave, planned for the chart's width, its
    // words as the page measured them and the height the screen leaves it.
    val chartPlan(double width, const val& measured, double tallest) const {
        if (!m_drawnPicture) {
            throw std::logic_error("chartPlan: no picture drawn");
        }
        const auto size = [](const val& of) {
            return velmora::PixelBox{0, 0, of["width"].as<double>(), of["height"].as<double>()};
        };
        const auto sizes = [&](const val& list) {
            std::vector<velmora::PixelBox> all;
            for (std::size_t i = 0; i < list["length"].as<std::size_t>(); ++i) {
                all.push_back(size(list[i]));
            }
            return all;
        };
        const velmora::ChartText text{measured["font"].as<double>(),  sizes(measured["capLabels"]),
                                      sizes(measured["ratingTicks"]), sizes(measured["percentTicks"]),
                                      size(measured["ratingAxis"]),   size(measured["percentAxis"])};
        const velmora::ChartPlan plan = velmora::planChart(*m_drawnPicture, width, text, tallest);
        const auto places = [](const std::vector<velmora::TextPlace>& all) {
            val list = val::array();
            for (const velmora::TextPlace& place : all) {
                val each = box(place.box);
                each.set("shown", place.shown);
                each.set("onPatch", place.onPatch);
                each.set("leader", place.leader);
                each.set("leaderFrom", point(place.leaderFrom));
                each.set("leaderTo", point(place.leaderTo));
                list.call<void>("push", each);
            }
            return list;
        };
        val all = val::object();
        all.set("height", plan.height);
        all.set("plot", box(plan.plot));
        all.set("capLabels", places(plan.capLabels));
        all.set("ratingTicks", places(plan.ratingTicks));
        all.set("percentTicks", places(plan.percentTicks));
        all.set("ratingAxis", box(plan.ratingAxis));
        all.set("percentAxis", box(plan.percentAxis));
        all.set("markRadius", velmora::kCapMarkRadius);
        return all;
    }

    val insight() const {
        val all = val::object();
        val changes = val::null();
        const std::optional<velmora::ExactChanges> exact = velmora::exactChanges(m_form);
        if (exact) {
            changes = val::object();
            changes.set("basis", text(exact->basis));
            val rows = val::array();
            for (const velmora::SetChange& set : exact->sets) {
                rows.call<void>("push", text(set.row));
            }
            changes.set("rows", rows);
            changes.set("order", text(exact->order));
        }
        all.set("changes", changes);
        const std::optional<velmora::GainPicture> curves = velmora::gainPicture(m_form);
        m_drawnPicture = curves;
        all.set("picture", curves ? picture(*curves) : val::null());
        all.set("start", text(insightStartName(velmora::insightStart(exact, curves))));
        const velmora::InsightShown shown = velmora::insightShown(exact, curves);
        val parts = val::object();
        parts.set("basis", text(shown.basis));
        parts.set("order", shown.order);
        parts.set("chart", shown.chart);
        parts.set("curvesNote", text(shown.curvesNote));
        parts.set("curveControls", shown.curveControls);
        all.set("shown", parts);
        all.set("canNarrow", m_form.canNarrowCurves());
        all.set("canWiden", m_form.canWidenCurves());
        return all;
    }
    unsigned insightRevision() const { return m_form.insightRevision(); }
    void narrowCurves() { m_form.narrowCurves(); }
    void widenCurves() { m_form.widenCurves(); }
    // The address fragment of the inputs on show ("" for the start state).
    std::string address() const { return m_form.address(); }
    // The candidate list of 最佳组合 as the address carries it.
    std::string gearListAddress() const { return m_form.gearListAddress(); }
    void setGearListAddress(const std::string& piece) {
        if (!velmora::isGearListAddress(piece)) {
            refuse("A candidate list's address piece", piece);
        }
        m_form.setGearListAddress(piece);
    }
    // The panel of the last 计算 for 最佳组合's own module, whole: every
    // number a double as it is held. Null before the first 计算.
    val searchBasis() const {
        const std::optional<velmora::GainStore>& gains = m_form.gainStore();
        if (!gains) {
            return val::null();
        }
        val texts = val::array();
        for (const std::string& gain : gains->texts) {
            texts.call<void>("push", gain);
        }
        const velmora::Sheet& sheet = gains->measured.sheet;
        val numbers = val::array();
        for (const double number : {sheet.attack, sheet.hit, sheet.critical, sheet.criticalEffect,
                                    sheet.overcome, sheet.strain, sheet.haste}) {
            numbers.call<void>("push", number);
        }
        val basis = val::object();
        basis.set("gains", texts);
        basis.set("haste", gains->haste);
        basis.set("sheet", numbers);
        const velmora::Discipline* discipline = gains->measured.discipline;
        basis.set("discipline",
                  discipline == nullptr ? -1 : static_cast<int>(discipline - velmora::kDisciplines));
        basis.set("hasteMode", gains->measured.hasteMode);
        return basis;
    }

private:
    static FieldId checked(int field) { return checkedField(field); }
    // What the page does next: {box: {prompt, title} or null, announcement,
    // opened, pressRunning}.
    val outcome() {
        val next = val::object();
        next.set("box", m_warnings.takeBoxUp());
        next.set("pressRunning", m_form.pressRunning());
        next.set("announcement", text(velmora::announcement(m_form)));
        next.set("opened", m_warnings.takeOpened());
        return next;
    }

    PageWarnings m_warnings;
    velmora::Form m_form;
    mutable std::optional<velmora::GainPicture> m_drawnPicture;
};

} // namespace

EMSCRIPTEN_BINDINGS(velmora) {
    emscripten::function("controls", &controls);
    emscripten::function("oneColumnPlaces", &oneColumnPlaces);
    emscripten::function("chooseCellLines", &chooseCellLines);
    emscripten::function("widestCellText", &widestCellText);
    emscripten::function("tabChain", &tabChain);
    emscripten::function("needsMoreRoom", &needsMoreRoom);
    emscripten::function("fitsItsRoom", &fitsItsRoom);
    emscripten::function("chooseLayout", &chooseLayout);
    emscripten::function("helpWindow", &helpWindow);
    emscripten::function("helpSections", &helpSections);
    emscripten::function("showCaption", &showCaption);
    emscripten::function("staysOnOneLine", &staysOnOneLine);
    emscripten::function("enterPresses", &enterPresses);
    emscripten::function("caretAfterKeeping", &caretAfterKeeping);
    emscripten::function("selectsTextOnEntry", &selectsTextOnEntry);
    emscripten::function("helpOpening", &helpOpening);
    emscripten::function("startFocus", &startFocus);
    emscripten::function("insightWords", &insightWords);
    emscripten::function("pageWords", &pageWords);
    emscripten::class_<Calculator>("Calculator")
        .constructor<>()
        .function("fields", &Calculator::fields)
        .function("type", &Calculator::type)
        .function("click", &Calculator::click)
        .function("focusArrived", &Calculator::focusArrived)
        .function("dismissBox", &Calculator::dismissBox)
        .function("openAddress", &Calculator::openAddress)
        .function("address", &Calculator::address)
        .function("gearListAddress", &Calculator::gearListAddress)
        .function("setGearListAddress", &Calculator::setGearListAddress)
        .function("searchBasis", &Calculator::searchBasis)
        .function("insight", &Calculator::insight)
        .function("chartPlan", &Calculator::chartPlan)
        .function("narrowCurves", &Calculator::narrowCurves)
        .function("widenCurves", &Calculator::widenCurves)
        .function("insightRevision", &Calculator::insightRevision);
}
