// The candidate list as text: what is written reads back the same, and a
// line that cannot be read is named by its line and column, taking nothing.
#include "form/gearcandidates.h"
#include "form/geardraft.h"
#include "form/gearlist.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace velmora::testing {
namespace {

TEST(GearListText, WhatIsWrittenReadsBackTheSame) {
    std::mt19937 random(3);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const char* words[] = {"帽子", "戒指", "腰带", "甲", "乙", "风·雅 颂", "x y"};
    for (int round = 0; round < 500; ++round) {
        GearList list;
        for (int i = pick(0, 20); i > 0; --i) {
            GearItem item{words[pick(0, 2)], words[pick(0, 6)], pick(0, 1) == 1, {}};
            const bool bare = pick(0, 3) == 0; // every rating 0, as the address leaves them out
            for (double& rating : item.ratings) {
                // Whole ratings, and values whose 15 digits are all their own.
                rating = pick(0, 3) == 0 ? pick(-500, 5000) : pick(-100000, 100000) / 7.0;
                rating = bare || pick(0, 2) == 0 ? 0 : rating;
            }
            list.items.push_back(item);
        }
        const std::string text = writeGearList(list);
        const auto read = readGearList(text);
        ASSERT_TRUE(std::holds_alternative<GearList>(read)) << text;
        const GearList& back = std::get<GearList>(read);
        ASSERT_EQ(back.items.size(), list.items.size());
        EXPECT_EQ(writeGearList(back), text); // the 15 digits written are the value kept
        GearCandidates inAddress;
        inAddress.setList(back);
        EXPECT_EQ(GearCandidates::fromAddressPiece(inAddress.addressPiece()), back);
        for (std::size_t i = 0; i < back.items.size(); ++i) {
            EXPECT_EQ(back.items[i].slot, list.items[i].slot);
            EXPECT_EQ(back.items[i].name, list.items[i].name);
            EXPECT_EQ(back.items[i].worn, list.items[i].worn);
            for (std::size_t row = 0; row < 8; ++row) {
                EXPECT_NEAR(back.items[i].ratings[row], list.items[i].ratings[row],
                            1e-13 * std::abs(list.items[i].ratings[row]));
            }
        }
    }
}

// The grid of cells: a list typed cell by cell, among rows added and then
// removed, reads as that list, and each cell shows what was typed in it.
TEST(GearListGrid, AListTypedCellByCellReadsAsThatList) {
    std::mt19937 random(5);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const char* words[] = {"帽子", "戒指", "腰带", "甲", "乙 丙", "风·雅"};
    for (int round = 0; round < 200; ++round) {
        GearCandidates grid;
        if (pick(0, 1) == 1) {
            grid.writeDraft(); // the title line first, as 写出列表 leaves it
        }
        GearList list;
        std::vector<bool> kept; // rows to keep, in the grid's order
        for (int i = pick(1, 12); i > 0; --i) {
            grid.addDraftRow();
            const std::size_t row = kept.size();
            if (pick(0, 3) == 0) {
                grid.typeCell(row, kNameField, "删掉");
                kept.push_back(false);
                continue;
            }
            GearItem item{words[pick(0, 2)], words[pick(3, 5)], pick(0, 1) == 1, {}};
            grid.typeCell(row, kSlotField, item.slot);
            grid.typeCell(row, kNameField, item.name);
            if (item.worn) {
                grid.toggleWorn(row);
            }
            for (std::size_t r = 0; r < item.ratings.size(); ++r) {
                if (pick(0, 2) == 0) {
                    item.ratings[r] = pick(-300, 3000);
                    grid.typeCell(row, kWornField + 1 + r, std::to_string(static_cast<int>(item.ratings[r])));
                    EXPECT_EQ(draftCell(grid.draft(), row, kWornField + 1 + r),
                              std::to_string(static_cast<int>(item.ratings[r])));
                }
            }
            EXPECT_EQ(grid.cellWorn(row), item.worn);
            list.items.push_back(item);
            kept.push_back(true);
        }
        for (std::size_t row = kept.size(); row-- > 0;) {
            if (!kept[row]) {
                grid.removeDraftRow(row);
            }
        }
        ASSERT_EQ(draftRows(grid.draft()), list.items.size()) << grid.draft();
        ASSERT_EQ(grid.readDraft(), std::nullopt) << grid.draft();
        EXPECT_EQ(grid.list(), list) << grid.draft();
    }
}

// What a cell cannot hold becomes a space; an empty last rating ends the line.
TEST(GearListGrid, ACellKeepsItsLineWhole) {
    const std::string start = "帽子\t甲\t1\t\t\t135\n\n";
    const struct {
        std::size_t row, column;
        std::string_view typed, draft;
    } cases[] = {
        {0, 1, "乙\t丙\n", "帽子\t乙 丙 \t1\t\t\t135\n\n"},
        {0, 5, "", "帽子\t甲\t1\n\n"},
        {0, 10, "7", "帽子\t甲\t1\t\t\t135\t\t\t\t\t7\n\n"},
        {1, 0, "戒指", "帽子\t甲\t1\t\t\t135\n戒指\t\t0\n"}, // a blank line becomes an item
        {2, 0, "戒指", start},                               // no such row
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withDraftCell(start, c.row, c.column, c.typed), c.draft) << c.row << "," << c.column;
    }
    EXPECT_EQ(draftRows(start), 2u);
    const std::vector<DraftRow> table = draftTable(start);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (DraftRow{"帽子", "甲", "1", "", "", "135", "", "", "", "", ""}));
    EXPECT_EQ(table[1], DraftRow{});
    EXPECT_EQ(withDraftRowAdded("帽子\t甲\t1"), "帽子\t甲\t1\n\t\t0\n");
    EXPECT_EQ(withDraftRowRemoved(std::string(kGearListTitles) + "\na\t\t1\nb\t\t0\n", 0),
              std::string(kGearListTitles) + "\nb\t\t0\n");
}

// After an item is added or removed the focus stays in the list.
TEST(GearListGrid, TheFocusStaysInTheList) {
    using Place = DraftFocus::Place;
    const std::string three = std::string(kGearListTitles) + "\na\t\t1\nb\t\t0\nc\t\t0\n";
    GearCandidates candidates;
    const struct {
        const char* name;
        std::string draft;
        std::optional<std::size_t> removed; // none: 添加一件
        DraftFocus focus;
    } cases[] = {
        {"added to three", three, {}, {Place::SlotCell, 3}},
        {"added to none", "", {}, {Place::SlotCell, 0}},
        {"the first removed", three, 0, {Place::RemoveButton, 0}},
        {"a middle one removed", three, 1, {Place::RemoveButton, 1}},
        {"the last removed", three, 2, {Place::AddButton}},
        {"the only one removed", "a\t\t1", 0, {Place::AddButton}},
    };
    for (const auto& c : cases) {
        candidates.typeDraft(c.draft);
        const DraftFocus focus = c.removed ? candidates.removeDraftRow(*c.removed) : candidates.addDraftRow();
        EXPECT_EQ(focus, c.focus) << c.name;
    }
}

TEST(GearListText, ATitleLineIsSkippedAndMissingRatingsAreZero) {
    const auto read = readGearList("部位\t名称\t已穿\n帽子\t甲\t1\t0\t120\r\n\n戒指\t乙\t0\n");
    ASSERT_TRUE(std::holds_alternative<GearList>(read));
    const GearList expected{{{"帽子", "甲", true, {0, 120}}, {"戒指", "乙", false, {}}}};
    EXPECT_EQ(std::get<GearList>(read), expected);
}

// Error paths, one row a fault: the line and column the box names.
TEST(GearListText, AnUnreadableLineIsNamedByLineAndColumn) {
    std::string tooManySlots, tooManyRings;
    for (int i = 0; i < 17; ++i) {
        tooManySlots += "部位" + std::to_string(i) + "\t名\t0\n";
        tooManyRings += "戒指\t名\t0\n";
    }
    const struct {
        const char* name;
        std::string text;
        std::size_t line, column;
        const char* prompt;
    } cases[] = {
        {"no slot", "帽子\t甲\t1\n\t乙\t0", 2, 1, "第 2 行第 1 列：缺少部位"},
        {"a first line that is no title", "帽子\t甲\t是", 1, 3, "第 1 行第 3 列：“已穿”应为 1 或 0"},
        {"worn neither 1 nor 0", "帽子\t甲\t1\n帽子\t乙\t是", 2, 3, "第 2 行第 3 列：“已穿”应为 1 或 0"},
        {"worn missing", "帽子\t甲\t1\n帽子\t乙", 2, 3, "第 2 行第 3 列：“已穿”应为 1 或 0"},
        {"a rating not a number", "帽子\t甲\t1\t0\t12a", 1, 5, "第 1 行第 5 列：“12a”不是数字"},
        {"a rating beyond the range", "帽子\t甲\t1\t1e999", 1, 4, "第 1 行第 4 列：“1e999”不是数字"},
        {"a twelfth column", "帽子\t甲\t1\t0\t0\t0\t0\t0\t0\t0\t0\t9", 1, 12,
         "第 1 行第 12 列：多余的内容（每行最多 11 列）"},
        {"a slot of 33 characters", std::string(33, 'a') + "\t甲\t1", 1, 1,
         "第 1 行第 1 列：部位超过 32 个字"},
        {"a seventeenth slot", tooManySlots, 17, 1, "第 17 行第 1 列：部位超过 16 个"},
        {"a seventeenth ring", tooManyRings, 17, 1, "第 17 行第 1 列：“戒指”的候选超过 16 件"},
    };
    for (const auto& c : cases) {
        const auto read = readGearList(c.text);
        ASSERT_TRUE(std::holds_alternative<GearListError>(read)) << c.name;
        const GearListError& error = std::get<GearListError>(read);
        EXPECT_EQ(error.line, c.line) << c.name;
        EXPECT_EQ(error.column, c.column) << c.name;
        EXPECT_EQ(error.prompt, c.prompt) << c.name;
    }
}

} // namespace
} // namespace velmora::testing
