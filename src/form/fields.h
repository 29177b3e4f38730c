// The main window's fields in the game's words, and the lists of boxes the
// handlers walk, each once and derived from the table where it can be.
#pragma once

#include "calc/damagemodel.h"
#include "form/controls.h"

#include <array>
#include <cstddef>

namespace velmora::field {

// The panel, one row an attribute, in the order of the gain store.
inline constexpr FieldId primary = id("Text1"), attack = id("Text3"), hitRate = id("Text4"),
                         criticalRate = id("Text5"), criticalEffect = id("Text6"), overcome = id("Text7"),
                         strain = id("Text8"), haste = id("Text36");
inline constexpr FieldId kPanel[] = {primary,        attack,   hitRate, criticalRate,
                                     criticalEffect, overcome, strain,  haste};
inline constexpr std::size_t kAttributes = std::size(kPanel);

// The names of the rows that take the discipline's primary attribute.
inline constexpr FieldId primaryName = id("Label1"), primaryGridName = id("Label2");

// The gain column, row by row.
inline constexpr FieldId primaryGain = id("Label14"), attackGain = id("Label15"), hitGain = id("Label16"),
                         criticalGain = id("Label18"), criticalEffectGain = id("Label19"),
                         overcomeGain = id("Label20"), strainGain = id("Label21"), hasteGain = id("Label45");
inline constexpr FieldId kGains[] = {primaryGain,        attackGain,   hitGain,    criticalGain,
                                     criticalEffectGain, overcomeGain, strainGain, hasteGain};
static_assert(std::size(kGains) == kAttributes);
static_assert(kAttributes == std::tuple_size_v<Ratings>,
              "a row of the panel for each rating the model reads");

// The judgement frame: a verdict and an effective value a row.
inline constexpr FieldId hitVerdict = id("Label60"), effectiveHit = id("Label64"),
                         strainVerdict = id("Label61"), effectiveStrain = id("Label65"),
                         criticalVerdict = id("Label62"), effectiveCritical = id("Label66"),
                         overcomeFactor = id("Label67");

// The option that chooses each discipline, in kDisciplines' order.
inline constexpr FieldId kDisciplineOptions[] = {id("Option1"), id("Option2"), id("Option3"), id("Option4"),
                                                 id("Option5"), id("Option6"), id("Option7")};
static_assert(std::size(kDisciplineOptions) == std::size(kDisciplines));

// The discipline an option button chooses, or nullptr for another control.
constexpr const Discipline* disciplineOf(FieldId option) {
    for (std::size_t i = 0; i < std::size(kDisciplineOptions); ++i) {
        if (kDisciplineOptions[i] == option) {
            return &kDisciplines[i];
        }
    }
    return nullptr;
}

// The buttons whose captions are state.
inline constexpr FieldId hasteToggle = id("Command3"), gearSet1Toggle = id("Command5");

// The boxes of a kind, in the table's order.
template <std::size_t N> constexpr std::array<FieldId, N> controlsOfKind(Kind kind) {
    std::array<FieldId, N> found{};
    std::size_t count = 0;
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].kind == kind) {
            found[count++] = field;
        }
    }
    return count == N ? found : throw "not as many controls of this kind";
}
constexpr std::size_t countOfKind(Kind kind) {
    std::size_t count = 0;
    for (const ControlDesign& design : kControls) {
        count += design.kind == kind;
    }
    return count;
}

// Team buffs: every check box.
inline constexpr auto kBuffBoxes = controlsOfKind<countOfKind(Kind::CheckBox)>(Kind::CheckBox);

// The gear-test grid, found from the table: a set a column under its
// heading, its cells top to bottom in the panel's row order, and its total
// at the foot; set 1 first.
struct GearSetColumn {
    FieldId heading; // "第一套"
    std::array<FieldId, kAttributes> cells;
    FieldId total;
};
constexpr bool underHeading(const ControlDesign& design, const ControlDesign& heading) {
    return design.container == heading.container && design.left < heading.left + heading.width &&
           heading.left < design.left + design.width && design.top > heading.top;
}
constexpr bool isSetHeading(const ControlDesign& design) {
    return design.kind == Kind::Label && design.role == LabelRole::Heading && design.container == "Frame2";
}
constexpr std::size_t countSets() {
    std::size_t count = 0;
    for (const ControlDesign& design : kControls) {
        count += isSetHeading(design);
    }
    return count;
}
inline constexpr auto kGearSets = [] {
    std::array<GearSetColumn, countSets()> sets{};
    std::size_t set = 0;
    for (FieldId headingField = 0; headingField < kControlCount; ++headingField) {
        const ControlDesign& heading = kControls[headingField];
        if (!isSetHeading(heading)) {
            continue;
        }
        sets[set].heading = headingField;
        std::size_t row = 0;
        for (FieldId field = 0; field < kControlCount; ++field) { // the table lists rows top to bottom
            const ControlDesign& design = kControls[field];
            if (underHeading(design, heading) && design.kind == Kind::TextBox) {
                sets[set].cells[row++] = field;
            } else if (underHeading(design, heading) && design.role == LabelRole::Result) {
                sets[set].total = field;
            }
        }
        if (row != kAttributes) {
            throw "a gear set has a cell for each row of the panel";
        }
        ++set;
    }
    return sets;
}();
inline constexpr const GearSetColumn& kGearSet1 = kGearSets[0];

// Haste mode's boxes: the panel's haste and the grid's haste row.
inline constexpr std::array<FieldId, 1 + std::size(kGearSets)> kHasteBoxes = [] {
    std::array<FieldId, 1 + std::size(kGearSets)> boxes{haste};
    for (std::size_t set = 0; set < std::size(kGearSets); ++set) {
        boxes[set + 1] = kGearSets[set].cells[kAttributes - 1];
    }
    return boxes;
}();

} // namespace velmora::field
