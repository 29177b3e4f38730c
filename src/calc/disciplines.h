// The seven disciplines: each one's primary attribute and what one point of
// it gives. The form says which option chooses each, in this order.
#pragma once

#include <string_view>

namespace velmora {

struct Discipline {
    std::string_view primaryAttribute; // "根骨" or "元气"
    // Internal attack, critical, critical-effect and overcome rating per
    // point of the primary attribute; 0 where the discipline gets none.
    double attack, critical, criticalEffect, overcome;
};

inline constexpr Discipline kDisciplines[] = {
    {"根骨", 2.85, 0.38, 0.17, 0},  {"根骨", 2.7, 0.45, 0.2, 0}, {"根骨", 2.85, 0.3, 0.15, 0.08},
    {"元气", 3, 0.15, 0.05, 0.25},  {"元气", 3.15, 0, 0, 0.33},  {"元气", 3.15, 0.08, 0.08, 0.25},
    {"元气", 2.9, 0.2, 0.08, 0.25},
};

} // namespace velmora
