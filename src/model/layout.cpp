#include "model/layout.h"

#include "model/viewrules.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

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

// One frame's grid: a heading that heads its side opens the frame on a line
// of its own; then each row of the design, followed by a line for each of
// its results that take their own line, left to right.
void placeInFrame(FieldId frame, std::vector<ColumnPlace>& places) {
    const std::vector<FieldId> inside = controlsIn(frame);
    std::set<int> lefts;
    std::set<int> tops;
    std::map<int, std::vector<FieldId>> ownLines; // by top, left to right
    int openingLines = 0;
    for (const FieldId field : inside) {
        if (headsItsSide(field, inside)) {
            ++openingLines;
            continue;
        }
        tops.insert(kControls[field].top);
        if (takesItsOwnLine(field, inside)) {
            ownLines[kControls[field].top].push_back(field);
        } else if (!spansTheFrame(field, inside)) {
            lefts.insert(anchorOf(field, inside));
        }
    }
    std::map<int, int> lineOfTop;
    int line = openingLines + 1;
    for (const int top : tops) {
        lineOfTop[top] = line;
        auto& results = ownLines[top];
        std::sort(results.begin(), results.end(),
                  [](FieldId a, FieldId b) { return kControls[a].left < kControls[b].left; });
        line += 1 + static_cast<int>(results.size());
    }
    places[frame].columns = std::max<int>(1, static_cast<int>(lefts.size()));
    int opening = 0;
    for (const FieldId field : inside) {
        const ControlDesign& design = kControls[field];
        ColumnPlace& place = places[field];
        if (headsItsSide(field, inside)) {
            place.cell = {++opening, 1, 1, true};
            continue;
        }
        const int row = lineOfTop[design.top];
        if (takesItsOwnLine(field, inside)) {
            const auto& results = ownLines[design.top];
            const int rank =
                static_cast<int>(std::find(results.begin(), results.end(), field) - results.begin());
            place.lead = columnHeadingOf(field);
            place.cell = {row + 1 + rank, 1, place.lead == kNoControl ? 2 : 1, true};
            continue;
        }
        int lastRow = row;
        for (const int top : tops) {
            if (top > design.top && top < design.top + design.height) {
                lastRow = lineOfTop[top];
            }
        }
        if (spansTheFrame(field, inside)) {
            place.cell = {row, lastRow - row + 1, 1, true};
        } else {
            const int column =
                static_cast<int>(std::distance(lefts.begin(), lefts.find(anchorOf(field, inside))));
            place.cell = {row, lastRow - row + 1, column + 1, false};
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
    std::sort(frames.begin(), frames.end(), [](FieldId a, FieldId b) {
        return std::tie(kControls[a].top, kControls[a].left) < std::tie(kControls[b].top, kControls[b].left);
    });
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

const std::vector<ColumnPlace>& oneColumnPlaces() {
    static const std::vector<ColumnPlace> places = makeOneColumnPlaces();
    return places;
}

std::vector<FieldId> tabChain(Layout layout) {
    std::vector<FieldId> chain;
    for (const std::string_view name : kTabOrder) {
        chain.push_back(controlNamed(name));
    }
    if (layout == Layout::OneColumn) {
        const auto& places = oneColumnPlaces();
        const auto seen = [&](FieldId field) {
            const GridCell& cell = places[field].cell;
            return std::make_tuple(places[frameOf(field)].readingOrder, cell.row, cell.column);
        };
        std::stable_sort(chain.begin(), chain.end(), [&](FieldId a, FieldId b) { return seen(a) < seen(b); });
    }
    return chain;
}

Layout chooseLayout(const LayoutMeasures& measures) {
    if (measures.touch || measures.windowWidth > measures.screenWidth) {
        return Layout::OneColumn;
    }
    // A pixel or less is rounding, or the leading of a last line (17 px lines
    // for 12 px text), which cuts no glyph.
    constexpr double kSlack = 1.0;
    for (const MeasuredCaption& measured : measures.captions) {
        if (kControls[measured.field].kind == Kind::Label && isNumberText(measured.caption)) {
            continue; // shortened with "…", whole in its description
        }
        if (measured.width > measured.roomWidth + kSlack || measured.height > measured.roomHeight + kSlack) {
            return Layout::OneColumn;
        }
    }
    return Layout::Window;
}

} // namespace velmora
