#include "model/controlnames.h"

namespace velmora {

namespace {

bool sameFrame(const ControlDesign& a, const ControlDesign& b) {
    return a.container == b.container;
}

bool overlapsHorizontally(const ControlDesign& a, const ControlDesign& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width;
}

bool isColumnHeading(const ControlDesign& heading) {
    if (heading.kind != Kind::Label) {
        return false;
    }
    bool boxBelow = false;
    for (const ControlDesign& box : kControls) {
        if (box.kind != Kind::TextBox || !sameFrame(box, heading)) {
            continue;
        }
        if (box.top == heading.top) {
            return false;
        }
        boxBelow = boxBelow || (box.top > heading.top && overlapsHorizontally(box, heading));
    }
    return boxBelow;
}

} // namespace

FieldId rowNameOf(FieldId control) {
    const ControlDesign& design = kControls[control];
    FieldId found = kNoControl;
    for (FieldId other = 0; other < kControlCount; ++other) {
        const ControlDesign& label = kControls[other];
        if (label.kind == Kind::Label && sameFrame(label, design) && label.top == design.top &&
            label.left < design.left && (found == kNoControl || label.left < kControls[found].left)) {
            found = other;
        }
    }
    return found;
}

FieldId columnHeadingOf(FieldId control) {
    const ControlDesign& design = kControls[control];
    FieldId found = kNoControl;
    for (FieldId other = 0; other < kControlCount; ++other) {
        const ControlDesign& heading = kControls[other];
        if (isColumnHeading(heading) && sameFrame(heading, design) && heading.top < design.top &&
            overlapsHorizontally(heading, design) && (found == kNoControl || heading.top > kControls[found].top)) {
            found = other;
        }
    }
    return found;
}

FieldId labelledByOf(FieldId label) {
    const FieldId heading = columnHeadingOf(label);
    return heading != kNoControl ? heading : rowNameOf(label);
}

} // namespace velmora
