// The one-column layout and the choice of layout.
#include "formfixture.h"

#include <algorithm>

#include "view/layout.h"

#include <array>

namespace velmora::testing {
namespace {

std::vector<std::string_view> names(const std::vector<FieldId>& fields) {
    std::vector<std::string_view> all;
    for (const FieldId field : fields) {
        all.push_back(kControls[field].name);
    }
    return all;
}

TEST(OneColumn, TabFollowsWhatIsSeenFrameByFrameAndTheWindowKeepsItsOwn) {
    const std::vector<std::string_view> seen = {
        "Option1",  "Option2", "Option3", "Option4",  "Option5",  "Option6",  "Option7",
        "Command1", // 心法选择
        "Text1",    "Text3",   "Text4",   "Text5",    "Text6",    "Text7",    "Text8",
        "Text36",                                                 // 面板属性
        "Check1",   "Check2",  "Check3",  "Command6", "Command7", // 团队增益
        "Text2",    "Text15",  "Text22",  "Text29",   "Text9",    "Text16",   "Text23",
        "Text30", // 配装测试
        "Text10",   "Text17",  "Text24",  "Text31",   "Text11",   "Text18",   "Text25",
        "Text32",   "Text12",  "Text19",  "Text26",   "Text33",   "Text13",   "Text20",
        "Text27",   "Text34",  "Text14",  "Text21",   "Text28",   "Text35",   "Text37",
        "Text38",   "Text39",  "Text40",  "Command2", "Command4", "Command3", "Command5", // 说明
    };
    EXPECT_EQ(names(tabChain(Layout::OneColumn)), seen);
    const std::vector<std::string_view> window = names(tabChain(Layout::Window));
    EXPECT_EQ(window.front(), "Text1");
    EXPECT_EQ(window.back(), "Command5");
    EXPECT_TRUE(std::is_permutation(window.begin(), window.end(), seen.begin(), seen.end()));
}

// Cells are compared as rectangles of the frame's grid; the note over the
// hidden formation options overlaps them in the window as designed. So with
// a grid's cells beside, under and two a line under their names.
TEST(OneColumn, NoTwoControlsShareACellUnlessTheyOverlapInTheWindowAndResultsTakeTheirOwnLines) {
    for (const CellLines lines : {CellLines::Beside, CellLines::Under, CellLines::Paired}) {
        SCOPED_TRACE(static_cast<int>(lines));
        const auto& places = oneColumnPlaces(lines);
        const auto cellOf = [&](FieldId field) {
            const GridCell& c = places[field].cell;
            const int last =
                c.toLastColumn ? places[controlNamed(kControls[field].container)].columns : c.column;
            return std::array{c.row, c.row + c.rows - 1, c.column, last};
        };
        const auto meet = [](auto a, auto b) {
            return a[0] <= b[1] && b[0] <= a[1] && a[2] <= b[3] && b[2] <= a[3];
        };
        const auto designed = [](FieldId f) {
            const ControlDesign& d = kControls[f];
            return std::array{d.top, d.top + d.height - 1, d.left, d.left + d.width - 1};
        };
        for (FieldId a = 1; a < kControlCount; ++a) {
            for (FieldId b = a + 1; b < kControlCount; ++b) {
                if (kControls[a].kind != Kind::Frame && kControls[a].container == kControls[b].container &&
                    !meet(designed(a), designed(b))) {
                    EXPECT_FALSE(meet(cellOf(a), cellOf(b)))
                        << kControls[a].name << " and " << kControls[b].name;
                }
            }
        }
        const struct {
            std::string_view result, rowName, lead;
            int linesBelow;
        } ownLines[] = {{"Label15", "Label3", "", 1},
                        {"Label28", "Command2", "第一套", 1},
                        {"Label34", "Command2", "第四套", 4}};
        for (const auto& line : ownLines) {
            const ColumnPlace& result = places[controlNamed(line.result)];
            EXPECT_EQ(result.cell.row, places[controlNamed(line.rowName)].cell.row + line.linesBelow)
                << line.result;
            EXPECT_EQ(result.lead == kNoControl ? "" : kControls[result.lead].text, line.lead) << line.result;
        }
    }
}

// Every rating box of 配装测试 stands in its set's column, on its row's line
// or, under the row's name, on the line its set's heading takes among the
// headings' lines; the grid as wide as its cells a line.
TEST(OneColumn, EachCellStandsUnderItsSetsHeading) {
    const struct {
        CellLines lines;
        int columns;
        bool underName;
    } cases[] = {{CellLines::Beside, 5, false}, {CellLines::Under, 4, true}, {CellLines::Paired, 2, true}};
    for (const auto& c : cases) {
        const auto& places = oneColumnPlaces(c.lines);
        EXPECT_EQ(places[controlNamed("Frame2")].columns, c.columns);
        EXPECT_EQ(places[controlNamed("Frame2")].evenColumns, c.underName);
        const int firstHeading = places[controlNamed("Label27")].cell.row;
        for (FieldId box = 0; box < kControlCount; ++box) {
            if (kControls[box].container != "Frame2" || kControls[box].kind != Kind::TextBox) {
                continue;
            }
            const GridCell& cell = places[box].cell;
            const GridCell& heading = places[columnHeadingOf(box)].cell;
            const GridCell& name = places[rowNameOf(box)].cell;
            const int set = kControls[columnHeadingOf(box)].left; // the heading's place across
            SCOPED_TRACE(::testing::Message()
                         << kControls[box].name << " " << static_cast<int>(c.lines) << " " << set);
            EXPECT_EQ(cell.column, heading.column);
            EXPECT_EQ(cell.row - name.row, c.underName ? 1 + heading.row - firstHeading : 0);
            EXPECT_EQ(name.toLastColumn, c.underName);
            EXPECT_LE(cell.column, c.columns);
        }
    }
}

TEST(OneColumn, CellsGoUnderTheirNamesWhenBesideThemAFiveDigitRatingIsCut) {
    // 4 cells: beside a row name, (width - name - 4 gaps) / 4 each; under it,
    // (width - 3 gaps) / 4; two a line, (width - 1 gap) / 2.
    const struct {
        double width, name, needs;
        CellLines chosen;
    } cases[] = {
        {354, 64, 57, CellLines::Beside},                                    // 390 px at 16 px: 66.5 each
        {284, 64, 57, CellLines::Under},                                     // 320 px: 49 beside, 66.5 under
        {284, 64, 66.5, CellLines::Under}, {284, 64, 79, CellLines::Paired}, // 24 px text: 139 two a line
        {100, 64, 79, CellLines::Paired},                                    // no room anywhere: the most
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseCellLines(c.width, c.name, 6, c.needs), c.chosen) << c.width << " " << c.needs;
    }
}

TEST(OneColumn, IsChosenWhenTheWindowOrAnyCaptionButANumberWouldNotFit) {
    const auto caption = [](std::string_view name, std::string_view text, double width, double height) {
        const FieldId field = controlNamed(name);
        return MeasuredCaption{field, std::string(text), width, height, 50, 20};
    };
    const struct {
        double screen;
        bool touch;
        std::vector<MeasuredCaption> captions;
        Layout chosen;
    } cases[] = {
        {1280, false, {caption("Label13", "每一点相应属性的收益", 20, 20)}, Layout::Window},
        {602, false, {}, Layout::Window},
        {601, false, {}, Layout::OneColumn},
        {1280, true, {}, Layout::OneColumn},
        {1280, false, {caption("Label13", "每一点相应属性的收益", 20, 21.5)}, Layout::OneColumn},
        {1280, false, {caption("Label3", "内功攻击", 51.5, 0)}, Layout::OneColumn},
        {1280, false, {caption("Command2", "总收益", 50.5, 20.5)}, Layout::Window}, // rounding
        {1280, false, {caption("Command2", "总收益", 51, 20)}, Layout::OneColumn},
        {1280, false, {caption("Label30", "1508.6454", 90, 0)}, Layout::Window}, // shortened with "…"
    };
    for (const auto& c : cases) {
        const bool needsRoom = std::any_of(c.captions.begin(), c.captions.end(), needsMoreRoom);
        EXPECT_EQ(chooseLayout(c.screen, 602, c.touch, needsRoom), c.chosen) << c.screen << " " << c.touch;
    }
}

} // namespace
} // namespace velmora::testing
