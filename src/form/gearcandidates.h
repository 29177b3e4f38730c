// 最佳组合 without a window: the player's candidate list, the text it moves
// as, and the search over it from the panel of a 计算. The search runs in
// slices of bounded work that the view asks for, so that no view blocks; it
// can be stopped and continued.
#pragma once

#include "form/gainstore.h"
#include "form/geardraft.h"
#include "form/gearlist.h"
#include "form/warnings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class GearCandidates {
public:
    const GearList& list() const { return m_list; }
    // The text area: what the player types or pastes, until it is read in.
    const std::string& draft() const { return m_draft; }
    void typeDraft(std::string text) { m_draft = std::move(text); }
    // The grid of cells edits the same draft (geardraft.h).
    void typeCell(std::size_t row, std::size_t column, std::string_view text) {
        m_draft = withDraftCell(m_draft, row, column, text);
    }
    // 已穿 as the grid's box shows it, and a press on that box.
    bool cellWorn(std::size_t row) const;
    void toggleWorn(std::size_t row) { typeCell(row, kWornField, cellWorn(row) ? "0" : "1"); }
    DraftFocus addDraftRow() {
        m_draft = withDraftRowAdded(m_draft);
        return focusAfterRowAdded(m_draft);
    }
    DraftFocus removeDraftRow(std::size_t row) {
        m_draft = withDraftRowRemoved(m_draft, row);
        return focusAfterRowRemoved(m_draft, row);
    }
    // 读入列表: the whole draft becomes the list, or nothing of it does and
    // the box says which line and column cannot be read.
    std::optional<WarningBox> readDraft();
    // 写出列表: the draft holds the whole list, titles first.
    void writeDraft() { m_draft = writeGearList(m_list); }

    // The list in the page's address (Form::gearListAddress): "&g=" and its
    // text percent-encoded, or nothing for an empty list; and back (nullopt:
    // not a list).
    std::string addressPiece() const;
    static std::optional<GearList> fromAddressPiece(std::string_view piece);
    // A new visit: the list the address carries, in the list and its text.
    // One that cannot be read leaves both empty, and the window says so.
    void openAddress(std::string_view piece);
    bool addressUnreadable() const { return m_addressUnreadable; }
    void setList(GearList list);

    // 开始比较: a new search from the panel of the 计算 that `gains` keeps,
    // which wears the items marked 已穿; false, and nothing starts, before
    // the first 计算.
    bool startSearch(const std::optional<GainStore>& gains);
    // Whether the search is of the panel that `gains` keeps (the last
    // 计算's): an answer of an older panel is never shown as current.
    bool answers(const std::optional<GainStore>& gains) const {
        return m_search != nullptr && gains && gains->measured == m_panel;
    }
    // One slice of the search's work; nothing when it is not running. True
    // while it runs on: the view asks for the next slice.
    bool searchOn(std::uint64_t steps);
    // 停止 and 继续.
    void stopSearch() { m_stopped = true; }
    void continueSearch() { m_stopped = false; }

    enum class State { None, Running, Stopped, Done };
    State state() const;
    const BestGearSearch* search() const { return m_search.get(); }
    // The straight line of the search: 计算's per-point gains, in the
    // grid's row order.
    const Ratings& lineGains() const { return m_lineGains; }

private:
    GearList m_list;
    std::string m_draft;
    std::string m_error; // the prompt of the last box
    std::unique_ptr<BestGearSearch> m_search;
    Ratings m_lineGains{};
    MeasuredSheet m_panel;
    bool m_stopped = false;
    bool m_addressUnreadable = false;
};

// The steps of one slice: a few milliseconds' work on a phone.
inline constexpr std::uint64_t kSearchSliceSteps = 20000;

} // namespace velmora
