// The candidate list's draft as a table, for the grid of cells that edits it
// beside the text area: each item line cut into the list's fields (slot,
// name, 已穿, the eight ratings). The grid and the text area edit the same
// draft, so 读入列表 reads whatever either was used for, under the same rules.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The fields of an item, as the list's text has them.
inline constexpr std::size_t kGearListColumns = 11;
inline constexpr std::size_t kSlotField = 0, kNameField = 1, kWornField = 2;
// Their titles, as the text's title line has them.
std::array<std::string_view, kGearListColumns> gearListColumnTitles();

// The draft's item lines: every line but a title line first and the empty
// end after a last line feed.
std::size_t draftRows(std::string_view draft);
// A field of an item line; empty where the line has no such field.
std::string draftCell(std::string_view draft, std::size_t row, std::size_t column);
// Every item line's fields at once, for a view that shows them all.
using DraftRow = std::array<std::string, kGearListColumns>;
std::vector<DraftRow> draftTable(std::string_view draft);

// The draft with one field typed anew. A field holds no tab or line feed (a
// space stands for each) and what a box keeps (keepShowable), so that the
// lines and fields stay as they are.
std::string withDraftCell(std::string_view draft, std::size_t row, std::size_t column, std::string_view text);
// The draft with an empty item at its end, not worn; and without one item.
std::string withDraftRowAdded(std::string_view draft);
std::string withDraftRowRemoved(std::string_view draft, std::size_t row);

// Where the focus goes once the grid's rows changed, so that it stays in the
// list: on a new item's 部位; after a removal on the button of the item that
// took its place, else on 添加一件.
struct DraftFocus {
    enum class Place { SlotCell, RemoveButton, AddButton } place;
    std::size_t row = 0;
    bool operator==(const DraftFocus&) const = default;
};
DraftFocus focusAfterRowAdded(std::string_view draftAfter);
DraftFocus focusAfterRowRemoved(std::string_view draftAfter, std::size_t removedRow);

// What a screen reader says for a cell, the worn box and a row's button:
// "第 3 件 命中等级", "删除第 3 件"; and the button that adds an item.
std::string draftCellName(std::size_t row, std::size_t column);
std::string draftRemoveName(std::size_t row);
inline constexpr std::string_view kAddDraftRow = "添加一件", kRemoveDraftRow = "删除";
inline constexpr std::string_view kGearGridName = "装备表格";

} // namespace velmora
