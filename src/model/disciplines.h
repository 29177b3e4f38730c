// The seven disciplines: the option that chooses each, its primary attribute
// and what one point of that attribute gives.
#pragma once

#include "model/controls.h"

#include <span>
#include <string_view>

namespace velmora {

struct Discipline {
    FieldId option;
    std::string_view primaryAttribute; // "根骨" or "元气"
    // Internal attack, critical, critical-effect and overcome rating per
    // point of the primary attribute; 0 where the discipline gets none.
    double attack, critical, criticalEffect, overcome;
};

inline constexpr Discipline kDisciplines[] = {
    {id("Option1"), "根骨", 2.85, 0.38, 0.17, 0},   {id("Option2"), "根骨", 2.7, 0.45, 0.2, 0},
    {id("Option3"), "根骨", 2.85, 0.3, 0.15, 0.08}, {id("Option4"), "元气", 3, 0.15, 0.05, 0.25},
    {id("Option5"), "元气", 3.15, 0, 0, 0.33},      {id("Option6"), "元气", 3.15, 0.08, 0.08, 0.25},
    {id("Option7"), "元气", 2.9, 0.2, 0.08, 0.25},
};

// The discipline an option button chooses, or nullptr for another control.
constexpr const Discipline* disciplineOf(FieldId option) {
    for (const Discipline& discipline : kDisciplines) {
        if (discipline.option == option) {
            return &discipline;
        }
    }
    return nullptr;
}

} // namespace velmora
