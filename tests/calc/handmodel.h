// The expected damage worked by hand, apart from the code under test: a
// sheet's rates held between 0 and their caps (hit 110 %, strain 35 %,
// critical hit + strain − 45, no crits below 0).
#pragma once

#include "calc/damagemodel.h"

#include <algorithm>

namespace velmora::testing {

inline double damageByHand(const Sheet& s) {
    const double hit = std::clamp(s.hit, 0.0, 110.0), strain = std::clamp(s.strain, 0.0, 35.0);
    const double critical = std::clamp(s.critical, 0.0, std::max(0.0, hit + strain - 45));
    const double factor = critical / 100 * (std::max(s.criticalEffect, 0.0) / 100 - 1) + hit / 100 +
                          0.75 * strain / 100 - 0.3625;
    return s.attack * (1 + (s.overcome - 860) / 6466) * factor * (1 + std::max(s.haste, 0.0) / 100);
}

} // namespace velmora::testing
