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

const std::vector<ColumnPlace>& oneColumnPlaces() {
    static const std::vector<ColumnPlace> places = [] {
        std::vector<ColumnPlace> all = makeOneColumnPlaces();
        for (FieldId field = 0; field < all.size(); ++field) {
            all[field].namesRow =
                kControls[field].kind == Kind::Label && kControls[field].role == LabelRole::Caption;
        }
        return all;
    }();
    return places;
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
    // A pixel or less is rounding, or the leading of a last line (17 px lines
    // for 12 px text), which cuts no glyph.
    constexpr double kSlack = 1.0;
    return measured.width > measured.roomWidth + kSlack || measured.height > measured.roomHeight + kSlack;
}

Layout chooseLayout(double screenWidth, double windowWidth, bool touch, bool aCaptionNeedsMoreRoom) {
    return touch || windowWidth > screenWidth || aCaptionNeedsMoreRoom ? Layout::OneColumn : Layout::Window;
}

} // namespace velmora
