// The help article's lines, measured on the help window's character grid.
#include "help/helparticle.h"
#include "view/gridtext.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

using help::kHelpSections;

// The columns a line takes: where its last glyph ends.
int gridColumns(std::string_view utf8) {
    const std::vector<GridGlyph> glyphs = layOutOnGrid(utf8);
    return glyphs.empty() ? 0 : glyphs.back().column + glyphs.back().span;
}

TEST(GridText, AsciiTakesOneColumnAndEverythingElseTwo) {
    struct Case {
        const char* text;
        int columns;
    };
    const Case cases[] = {
        {"", 0},   {"abc", 3},    {"  ", 2},   {"中文", 4},    {"，", 2},   {"±1", 3},
        {"——", 4}, {"①②③④⑤", 10}, {"a中b", 4}, {"（J+1）", 7}, {"\xff", 2}, // a stray byte still takes a
                                                                            // place
    };
    for (const auto& [text, columns] : cases) {
        EXPECT_EQ(gridColumns(text), columns) << text;
    }
    const std::vector<GridGlyph> glyphs = layOutOnGrid("a中b");
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[1].text, "中");
    EXPECT_EQ(glyphs[1].column, 1);
    EXPECT_EQ(glyphs[2].column, 3);
}

TEST(HelpArticle, SectionsHaveTheirLinesAndHeadings) {
    const std::size_t lineCounts[] = {22, 47, 46, 16, 20, 18};
    const char* headings[] = {"  一、使用说明", "  二、基础理论", "  三、计算公式",
                              "  四、一些结论", "  五、关于加速", "  更新日志"};
    for (std::size_t i = 0; i < kHelpSections.size(); ++i) {
        const auto& lines = kHelpSections[i].lines;
        ASSERT_EQ(lines.size(), lineCounts[i]) << kHelpSections[i].button;
        EXPECT_EQ(lines[3], headings[i]);
        EXPECT_TRUE(lines[0].empty() && lines[1].empty() && lines[2].empty() && lines[4].empty());
    }
}

TEST(HelpArticle, LinesStartWithTwoSpacesAndEndWithoutOne) {
    int widest = 0;
    for (const auto& section : kHelpSections) {
        for (const std::string_view line : section.lines) {
            if (line.empty()) {
                continue;
            }
            EXPECT_EQ(line.substr(0, 2), "  ") << line;
            EXPECT_NE(line[2], ' ') << line;
            EXPECT_NE(line.back(), ' ') << line;
            widest = std::max(widest, gridColumns(line));
        }
    }
    EXPECT_EQ(widest, 118);
}

TEST(HelpArticle, BasicTheoryRemarksStartInOneColumn) {
    const auto& lines = kHelpSections[1].lines;
    for (std::size_t number = 12; number <= 18; ++number) {
        const std::string_view line = lines[number - 1];
        const std::size_t gap = line.find("  ", 2);
        const std::size_t remark = line.find_first_not_of(' ', gap);
        EXPECT_EQ(gridColumns(line.substr(0, remark)), 38) << line;
    }
}

// Lines 40 to 47 form a table: each column of figures ends (or starts) in
// one grid column on every row.
TEST(HelpArticle, BasicTheoryTableStandsInColumns) {
    const auto& lines = kHelpSections[1].lines;
    // The column where the last field, the equipment score, begins.
    std::vector<int> scoreColumns;
    for (std::size_t number = 41; number <= 47; ++number) {
        const std::string_view line = lines[number - 1];
        const std::size_t score = line.find_last_of(' ') + 1;
        scoreColumns.push_back(gridColumns(line.substr(0, score)));
    }
    EXPECT_EQ(std::count(scoreColumns.begin(), scoreColumns.end(), scoreColumns[0]), 7);
    const std::string_view heading = lines[39];
    EXPECT_EQ(gridColumns(heading.substr(0, heading.rfind("换算装备分数"))), scoreColumns[0] - 1);
}

// The remarks beside the formulas and the table keep their columns on any
// screen; nothing else in the article is set in columns.
TEST(HelpArticle, OnlyTheRemarksAndTheTableAreTabular) {
    std::vector<std::pair<std::size_t, std::size_t>> tabular; // section, line number
    for (std::size_t section = 0; section < kHelpSections.size(); ++section) {
        for (std::size_t line = 0; line < kHelpSections[section].lines.size(); ++line) {
            if (help::isTabular(kHelpSections[section].lines[line])) {
                tabular.emplace_back(section, line + 1);
            }
        }
    }
    std::vector<std::pair<std::size_t, std::size_t>> expected;
    for (const std::size_t line : {12, 13, 14, 15, 16, 17, 18, 40, 41, 42, 43, 44, 45, 46, 47}) {
        expected.emplace_back(1, line);
    }
    EXPECT_EQ(tabular, expected);
}

} // namespace
} // namespace velmora
