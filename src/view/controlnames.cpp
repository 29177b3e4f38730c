#include "view/controlnames.h"

#include "form/fieldstore.h"

namespace velmora {

namespace {

bool sameFrame(const ControlDesign& a, const ControlDesign& b) {
    return a.container == b.container;
}

bool overlapsHorizontally(const ControlDesign& a, const ControlDesign& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width;
}

bool namesARow(const ControlDesign& design) {
    return (design.kind == Kind::Label && design.role == LabelRole::Caption) ||
           design.kind == Kind::CommandButton;
}

bool isLabelled(const ControlDesign& design) {
    return design.kind == Kind::TextBox || (design.kind == Kind::Label && design.role == LabelRole::Result);
}

} // namespace

FieldId rowNameOf(FieldId control) {
    const ControlDesign& design = kControls[control];
    FieldId found = kNoControl;
    for (FieldId other = 0; other < kControlCount; ++other) {
        const ControlDesign& name = kControls[other];
        if (namesARow(name) && sameFrame(name, design) && name.top == design.top && name.left < design.left &&
            (found == kNoControl || name.left < kControls[found].left)) {
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
        if (heading.kind == Kind::Label && heading.role == LabelRole::Heading && sameFrame(heading, design) &&
            heading.top < design.top && overlapsHorizontally(heading, design) &&
            (found == kNoControl || heading.top > kControls[found].top)) {
            found = other;
        }
    }
    return found;
}

std::vector<FieldId> labelsOf(FieldId control) {
    std::vector<FieldId> labels;
    if (!isLabelled(kControls[control])) {
        return labels;
    }
    for (const FieldId label : {columnHeadingOf(control), rowNameOf(control)}) {
        if (label != kNoControl) {
            labels.push_back(label);
        }
    }
    return labels;
}

std::vector<FieldId> nameSourcesOf(FieldId control) {
    std::vector<FieldId> sources = labelsOf(control);
    if (kControls[control].kind != Kind::TextBox) {
        sources.push_back(control);
    }
    return sources;
}

bool hasComposedName(FieldId control) {
    const Kind kind = kControls[control].kind;
    return (kind == Kind::TextBox && !nameSourcesOf(control).empty()) ||
           (kind == Kind::Label && !labelsOf(control).empty());
}

std::vector<FieldId> labelledByOf(FieldId control) {
    return hasComposedName(control) ? nameSourcesOf(control) : std::vector<FieldId>{};
}

std::string accessibleNameOf(FieldId control, const FieldStore& fields) {
    std::string name;
    for (const FieldId source : nameSourcesOf(control)) {
        name += name.empty() ? "" : " ";
        name += fields.text(source);
    }
    return name;
}

} // namespace velmora
