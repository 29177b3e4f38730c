#include "view/layout.h"

#include "view/viewrules.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace velmora {

namespace {

bool overlapsHorizontally(const ControlDesign& a, const ControlDesign& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width;
}

std::vector<FieldId> controlsIn(FieldId frame) {
    std::vector<FieldId> inside;
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].container == kControls[frame].name) {
            inside.push_back(field);
        }
    }
    return inside;
}

// The first control below a heading and under it, or kNoControl: a heading
// with nothing under it heads what stands beside it.
FieldId controlUnder(FieldId heading, const std::vector<FieldId>& inside) {
    for (const FieldId field : inside) {
        if (kControls[field].kind != Kind::Label && kControls[field].top > kControls[heading].top &&
            overlapsHorizontally(kControls[field], kControls[heading])) {
            return field;
        }
    }
    return kNoControl;
}

bool headsItsSide(FieldId field, const std::vector<FieldId>& inside) {
    return kControls[field].role == LabelRole::Heading && kControls[field].kind == Kind::Label &&
           controlUnder(field, inside) == kNoControl;
}

// A result in a row with a box or a button would share the width with them.
bool takesItsOwnLine(FieldId field, const std::vector<FieldId>& inside) {
    if (kControls[field].kind != Kind::Label || kControls[field].role != LabelRole::Result) {
        return false;
    }
    return std::any_of(inside.begin(), inside.end(), [&](FieldId other) {
        const Kind kind = kControls[other].kind;
        return kControls[other].top == kControls[field].top &&
               (kind == Kind::TextBox || kind == Kind::CommandButton);
    });
}

// A note, a heading beside what it heads, and a control alone on its row
// (an option, a button) take the frame's whole width.
bool spansTheFrame(FieldId field, const std::vector<FieldId>& inside) {
    const bool alone = std::none_of(inside.begin(), inside.end(), [&](FieldId other) {
        return other != field && kControls[other].top == kControls[field].top &&
               !takesItsOwnLine(other, inside);
    });
    return kControls[field].role == LabelRole::Note || headsItsSide(field, inside) || alone;
}

// A heading joins the column of the control under it.
int anchorOf(FieldId field, const std::vector<FieldId>& inside) {
    if (kControls[field].role == LabelRole::Heading) {
        const FieldId under = controlUnder(field, inside);
        if (under != kNoControl) {
            return kControls[under].left;
        }
    }
    return kControls[field].left;
}

// Sorts a few dozen keys at most: one small loop for every sort here, where
// a sort template made once per comparison would weigh on the page.
void sortKeys(std::vector<long long>& keys) {
    for (std::size_t i = 1; i < keys.size(); ++i) {
        for (std::size_t j = i; j > 0 && keys[j] < keys[j - 1]; --j) {
            std::swap(keys[j], keys[j - 1]);
        }
    }
}

// Fields in the order of their keys (each key below 2^40).
std::vector<FieldId> sortedByKey(const std::vector<FieldId>& fields,
                                 const std::function<long long(FieldId)>& key) {
    std::vector<long long> keyed;
    for (const FieldId field : fields) {
        keyed.push_back(key(field) << 16 | static_cast<long long>(field));
    }
    sortKeys(keyed);
    std::vector<FieldId> sorted;
    for (const long long k : keyed) {
        sorted.push_back(static_cast<FieldId>(k & 0xFFFF));
    }
    return sorted;
}

std::vector<int> sortedUnique(const std::vector<int>& values) {
    std::vector<long long> keys(values.begin(), values.end());
    sortKeys(keys);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return {keys.begin(), keys.end()};
}

int indexIn(const std::vector<int>& sorted, int value) {
    return static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin());
}

// What a control is to its frame's grid.
enum class Stands { OpeningLine, OwnLine, AcrossTheFrame, InAColumn };

Stands howItStands(FieldId field, const std::vector<FieldId>& inside) {
    if (headsItsSide(field, inside)) {
        return Stands::OpeningLine;
    }
    if (takesItsOwnLine(field, inside)) {
        return Stands::OwnLine;
    }
    return spansTheFrame(field, inside) ? Stands::AcrossTheFrame : Stands::InAColumn;
}

// One frame's grid: a heading that heads its side opens the frame on a line
// of its own; then each row of the design, followed by a line for each of
// its results that take their own line, left to right.
void placeInFrame(FieldId frame, std::vector<ColumnPlace>& places) {
    const std::vector<FieldId> inside = controlsIn(frame);
    std::vector<Stands> stands;
    std::vector<int> lefts;
    std::vector<int> tops;
    int openingLines = 0;
    for (const FieldId field : inside) {
        stands.push_back(howItStands(field, inside));
        openingLines += stands.back() == Stands::OpeningLine;
        if (stands.back() != Stands::OpeningLine) {
            tops.push_back(kControls[field].top);
        }
        if (stands.back() == Stands::InAColumn) {
            lefts.push_back(anchorOf(field, inside));
        }
    }
    lefts = sortedUnique(lefts);
    tops = sortedUnique(tops);
    // The own lines at a top, of controls left of a left.
    const auto ownLinesAt = [&](int top, int leftOf) {
        int count = 0;
        for (std::size_t i = 0; i < inside.size(); ++i) {
            const ControlDesign& other = kControls[inside[i]];
            count += stands[i] == Stands::OwnLine && other.top == top && other.left < leftOf;
        }
        return count;
    };
    std::vector<int> lineOfTop;
    int line = openingLines + 1;
    for (const int top : tops) {
        lineOfTop.push_back(line);
        line += 1 + ownLinesAt(top, std::numeric_limits<int>::max());
    }
    places[frame].columns = std::max<int>(1, static_cast<int>(lefts.size()));
    int opening = 0;
    for (std::size_t i = 0; i < inside.size(); ++i) {
        const ControlDesign& design = kControls[inside[i]];
        ColumnPlace& place = places[inside[i]];
        if (stands[i] == Stands::OpeningLine) {
            place.cell = {++opening, 1, 1, true};
            continue;
        }
        const int row = lineOfTop[static_cast<std::size_t>(indexIn(tops, design.top))];
        const int lastRow =
            lineOfTop[static_cast<std::size_t>(indexIn(tops, design.top + design.height)) - 1];
        if (stands[i] == Stands::OwnLine) {
            place.lead = columnHeadingOf(inside[i]);
            place.cell = {row + 1 + ownLinesAt(design.top, design.left), 1, place.lead == kNoControl ? 2 : 1,
                          true};
        } else if (stands[i] == Stands::AcrossTheFrame) {
            place.cell = {row, lastRow - row + 1, 1, true};
        } else {
            place.cell = {row, lastRow - row + 1, indexIn(lefts, anchorOf(inside[i], inside)) + 1, false};
        }
    }
}

std::vector<ColumnPlace> makeOneColumnPlaces() {
    std::vector<ColumnPlace> places(kControlCount);
    std::vector<FieldId> frames;
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].kind == Kind::Frame) {
            frames.push_back(field);
        }
    }
    frames = sortedByKey(
        frames, [](FieldId frame) { return kControls[frame].top * 100000LL + kControls[frame].left; });
    for (std::size_t rank = 0; rank < frames.size(); ++rank) {
        places[frames[rank]].readingOrder = static_cast<int>(rank);
        placeInFrame(frames[rank], places);
    }
    return places;
}

FieldId frameOf(FieldId field) {
    return controlNamed(kControls[field].container);
}

} // namespace

namespace {

// A frame whose first column holds only row names, each beside a full row
// of two or more boxes.
bool isGrid(FieldId frame, const std::vector<ColumnPlace>& places) {
    const int columns = places[frame].columns;
    if (columns < 3) {
        return false;
    }
    const std::vector<FieldId> inside = controlsIn(frame);
    return std::all_of(inside.begin(), inside.end(), [&](FieldId name) {
        const GridCell& at = places[name].cell;
        if (at.toLastColumn || at.column > 1) {
            return true;
        }
        const auto boxes = std::count_if(inside.begin(), inside.end(), [&](FieldId box) {
            return kControls[box].kind == Kind::TextBox && places[box].cell.row == at.row;
        });
        return places[name].namesRow && boxes == columns - 1;
    });
}

// A grid's cells under their row's name, `perLine` a line: each row of the
// grid takes a line for its name (when it has one), then its cells' lines;
// what runs across the frame keeps a line of its own.
void cellsUnderNames(FieldId frame, int perLine, std::vector<ColumnPlace>& places) {
    const int cells = places[frame].columns - 1;
    const int cellLines = (cells + perLine - 1) / perLine;
    std::vector<FieldId> inside = controlsIn(frame);
    int lastRow = 0;
    for (const FieldId field : inside) {
        lastRow = std::max(lastRow, places[field].cell.row);
    }
    const auto rows = static_cast<std::size_t>(lastRow) + 1;
    std::vector<bool> named(rows, false);
    std::vector<bool> hasCells(rows, false);
    for (const FieldId field : inside) {
        const GridCell& cell = places[field].cell;
        const auto row = static_cast<std::size_t>(cell.row);
        named[row] = named[row] || places[field].namesRow;
        hasCells[row] = hasCells[row] || (!cell.toLastColumn && cell.column > 1);
    }
    std::vector<int> firstLine(rows, 0);
    int line = 1;
    for (std::size_t row = 1; row < rows; ++row) {
        firstLine[row] = line;
        line += (named[row] ? 1 : 0) + (hasCells[row] ? cellLines : (named[row] ? 0 : 1));
    }
    for (const FieldId field : inside) {
        GridCell& cell = places[field].cell;
        const auto row = static_cast<std::size_t>(cell.row);
        if (places[field].namesRow || cell.toLastColumn || cell.column == 1) {
            cell = {firstLine[row], 1, 1, true};
        } else {
            const int at = cell.column - 2;
            cell = {firstLine[row] + (named[row] ? 1 : 0) + at / perLine, 1, at % perLine + 1, false};
        }
    }
    places[frame].columns = std::min(cells, perLine);
    places[frame].evenColumns = true;
}

std::vector<ColumnPlace> placesWith(CellLines cells) {
    std::vector<ColumnPlace> all = makeOneColumnPlaces();
    for (FieldId field = 0; field < all.size(); ++field) {
        all[field].namesRow =
            kControls[field].kind == Kind::Label && kControls[field].role == LabelRole::Caption;
    }
    if (cells == CellLines::Beside) {
        return all;
    }
    for (FieldId frame = 0; frame < all.size(); ++frame) {
        if (kControls[frame].kind == Kind::Frame && isGrid(frame, all)) {
            cellsUnderNames(frame, cells == CellLines::Under ? all[frame].columns - 1 : 2, all);
        }
    }
    return all;
}

} // namespace

const std::vector<ColumnPlace>& oneColumnPlaces(CellLines cells) {
    static const std::vector<ColumnPlace> beside = placesWith(CellLines::Beside);
    static const std::vector<ColumnPlace> under = placesWith(CellLines::Under);
    static const std::vector<ColumnPlace> paired = placesWith(CellLines::Paired);
    switch (cells) {
    case CellLines::Under:
        return under;
    case CellLines::Paired:
        return paired;
    case CellLines::Beside:
        break;
    }
    return beside;
}

CellLines chooseCellLines(double gridWidth, double widestName, double gap, double needs) {
    const std::vector<ColumnPlace>& places = oneColumnPlaces();
    int cells = 1;
    for (FieldId frame = 0; frame < places.size(); ++frame) {
        if (kControls[frame].kind == Kind::Frame && isGrid(frame, places)) {
            cells = std::max(cells, places[frame].columns - 1);
        }
    }
    const double sets = cells;
    if ((gridWidth - widestName - sets * gap) / sets >= needs) {
        return CellLines::Beside;
    }
    if ((gridWidth - (sets - 1) * gap) / sets >= needs) {
        return CellLines::Under;
    }
    return CellLines::Paired;
}

bool measuredForLayout(FieldId field) {
    switch (kControls[field].kind) {
    case Kind::Label:
    case Kind::CommandButton:
    case Kind::OptionButton:
    case Kind::CheckBox:
        return true;
    default:
        return false;
    }
}

std::vector<FieldId> tabChain(Layout layout) {
    std::vector<FieldId> chain;
    for (const std::string_view name : kTabOrder) {
        chain.push_back(controlNamed(name));
    }
    if (layout == Layout::OneColumn) {
        const auto& places = oneColumnPlaces();
        const auto seen = [&](FieldId field) { // frame, row, column: each below 1000
            const GridCell& cell = places[field].cell;
            return (places[frameOf(field)].readingOrder * 1000LL + cell.row) * 1000 + cell.column;
        };
        chain = sortedByKey(chain, seen);
    }
    return chain;
}

bool needsMoreRoom(const MeasuredCaption& measured) {
    if (kControls[measured.field].kind == Kind::Label && isNumberText(measured.caption)) {
        return false; // shortened with "…", whole in its description
    }
    return !fitsItsRoom(measured.width, measured.roomWidth) ||
           !fitsItsRoom(measured.height, measured.roomHeight);
}

bool fitsItsRoom(double needs, double room) {
    constexpr double kRounding = 0.5;
    return needs <= room + kRounding;
}

Layout chooseLayout(double screenWidth, double windowWidth, bool touch, bool aCaptionNeedsMoreRoom) {
    return touch || windowWidth > screenWidth || aCaptionNeedsMoreRoom ? Layout::OneColumn : Layout::Window;
}

} // namespace velmora
