// 最佳组合 as the page's worker sees it: the candidate list, its text, the
// search and every word of the panel. A module of its own, loaded when the
// panel first opens, so that the page's first visit does not carry it; the
// search runs in the worker, one slice a call, and never holds up the page.
//
// The panel of the last 计算 comes from the page's calculator
// (Calculator.searchBasis) with every number as it is held, so that the
// answer is the one the desktop gives.
#include "form/gearcandidates.h"
#include "view/bestgeartext.h"

#include <emscripten/bind.h>

#include <optional>
#include <string>

namespace {

using emscripten::val;

val text(std::string_view utf8) {
    return val(std::string(utf8));
}

std::optional<velmora::GainStore> gainsOf(const val& basis) {
    if (basis.isNull() || basis.isUndefined()) {
        return std::nullopt;
    }
    velmora::GainStore gains;
    for (std::size_t row = 0; row < gains.texts.size(); ++row) {
        gains.texts[row] = basis["gains"][row].as<std::string>();
    }
    gains.haste = basis["haste"].as<double>();
    const val numbers = basis["sheet"];
    velmora::Sheet& sheet = gains.measured.sheet;
    double* const fields[] = {&sheet.attack,   &sheet.hit,    &sheet.critical, &sheet.criticalEffect,
                              &sheet.overcome, &sheet.strain, &sheet.haste};
    for (std::size_t at = 0; at < std::size(fields); ++at) {
        *fields[at] = numbers[at].as<double>();
    }
    const int discipline = basis["discipline"].as<int>();
    gains.measured.discipline =
        discipline >= 0 && static_cast<std::size_t>(discipline) < std::size(velmora::kDisciplines)
            ? &velmora::kDisciplines[discipline]
            : nullptr;
    gains.measured.hasteMode = basis["hasteMode"].as<bool>();
    return gains;
}

val words() {
    val all = val::object();
    all.set("caption", text(velmora::kBestGearCaption));
    all.set("listName", text(velmora::kGearListName));
    all.set("rules", text(velmora::kGearListRules));
    all.set("keys", text(velmora::kGearListKeysPage));
    all.set("read", text(velmora::kReadGearList));
    all.set("write", text(velmora::kWriteGearList));
    all.set("start", text(velmora::kStartSearch));
    all.set("stop", text(velmora::kStopSearch));
    all.set("continue", text(velmora::kContinueSearch));
    all.set("textRules", text(velmora::kGearTextRules));
    all.set("gridName", text(velmora::kGearGridName));
    all.set("add", text(velmora::kAddDraftRow));
    all.set("remove", text(velmora::kRemoveDraftRow));
    val titles = val::array();
    for (const std::string_view title : velmora::gearListColumnTitles()) {
        titles.call<void>("push", text(title));
    }
    all.set("titles", titles);
    all.set("wornColumn", velmora::kWornField);
    return all;
}

class BestGear {
public:
    void typeDraft(const std::string& draft) { m_candidates.typeDraft(draft); }
    std::string draft() const { return m_candidates.draft(); }
    // 读入列表: the box that says where the text cannot be read, or null.
    val readDraft() {
        const std::optional<velmora::WarningBox> box = m_candidates.readDraft();
        if (!box) {
            return val::null();
        }
        val shown = val::object();
        shown.set("prompt", text(box->prompt));
        shown.set("title", text(box->title));
        return shown;
    }
    void writeDraft() { m_candidates.writeDraft(); }
    // The grid of cells: the draft's items, each cell with its name.
    val table() const {
        val rows = val::array();
        const std::vector<velmora::DraftRow> table = velmora::draftTable(m_candidates.draft());
        for (std::size_t row = 0; row < table.size(); ++row) {
            val cells = val::array();
            val names = val::array();
            for (std::size_t column = 0; column < velmora::kGearListColumns; ++column) {
                cells.call<void>("push", text(table[row][column]));
                names.call<void>("push", text(velmora::draftCellName(row, column)));
            }
            val shown = val::object();
            shown.set("cells", cells);
            shown.set("names", names);
            shown.set("worn", velmora::isWornField(table[row][velmora::kWornField]));
            shown.set("removeName", text(velmora::draftRemoveName(row)));
            rows.call<void>("push", shown);
        }
        return rows;
    }
    void typeCell(std::size_t row, std::size_t column, const std::string& typed) {
        m_candidates.typeCell(row, column, typed);
    }
    void toggleWorn(std::size_t row) { m_candidates.toggleWorn(row); }
    val addRow() { return focusOf(m_candidates.addDraftRow()); }
    val removeRow(std::size_t row) { return focusOf(m_candidates.removeDraftRow(row)); }
    std::string addressPiece() const { return m_candidates.addressPiece(); }
    void openAddress(const std::string& piece) { m_candidates.openAddress(piece); }
    bool start(const val& basis) { return m_candidates.startSearch(gainsOf(basis)); }
    bool work() { return m_candidates.searchOn(velmora::kSearchSliceSteps); }
    void stop() { m_candidates.stopSearch(); }
    void resume() { m_candidates.continueSearch(); }
    // What the panel shows, against the panel of the last 计算 now.
    val shown(const val& basis) const {
        const velmora::BestGearShown shown = velmora::bestGearShown(m_candidates, gainsOf(basis));
        val all = val::object();
        all.set("list", text(shown.list));
        all.set("status", text(shown.status));
        val rows = val::array();
        for (const velmora::BestGearRow& row : shown.rows) {
            val line = val::object();
            line.set("line", text(row.line));
            line.set("nearBest", row.nearBest);
            rows.call<void>("push", line);
        }
        all.set("rows", rows);
        all.set("straightLine", text(shown.straightLine));
        all.set("canStart", shown.canStart);
        all.set("canStop", shown.canStop);
        all.set("canContinue", shown.canContinue);
        return all;
    }

private:
    // Where the grid puts the focus after its rows changed.
    static val focusOf(velmora::DraftFocus focus) {
        using Place = velmora::DraftFocus::Place;
        val shown = val::object();
        shown.set("place", focus.place == Place::SlotCell       ? "slot"
                           : focus.place == Place::RemoveButton ? "remove"
                                                                : "add");
        shown.set("row", focus.row);
        return shown;
    }

    velmora::GearCandidates m_candidates;
};

} // namespace

EMSCRIPTEN_BINDINGS(velmora_best_gear) {
    emscripten::function("words", &words);
    emscripten::class_<BestGear>("BestGear")
        .constructor<>()
        .function("typeDraft", &BestGear::typeDraft)
        .function("draft", &BestGear::draft)
        .function("readDraft", &BestGear::readDraft)
        .function("writeDraft", &BestGear::writeDraft)
        .function("table", &BestGear::table)
        .function("typeCell", &BestGear::typeCell)
        .function("toggleWorn", &BestGear::toggleWorn)
        .function("addRow", &BestGear::addRow)
        .function("removeRow", &BestGear::removeRow)
        .function("addressPiece", &BestGear::addressPiece)
        .function("openAddress", &BestGear::openAddress)
        .function("start", &BestGear::start)
        .function("work", &BestGear::work)
        .function("stop", &BestGear::stop)
        .function("resume", &BestGear::resume)
        .function("shown", &BestGear::shown);
}
