// The expected-damage model of 计算 in double precision, with its caps, for
// asking what a change of the sheet really does: hit counts up to 110 %,
// strain up to 35 %, and the critical rate up to what miss and parry leave.
#pragma once

#include "model/disciplines.h"

#include <array>

namespace velmora {

// A character sheet as the model reads it: rates in percent, attack in
// points, overcome as a rating, haste in percent (0 outside haste mode).
struct Sheet {
    double attack = 0, hit = 0, critical = 0, criticalEffect = 0, overcome = 0, strain = 0, haste = 0;
};

// Ratings as a gear set's cells hold them, in the panel's row order: primary
// attribute, attack, hit, critical, critical effect, overcome, strain, haste.
using Ratings = std::array<double, 8>;

// Rating per percentage point in the model: hit and critical 45, critical
// effect 18, strain 33.75, haste 54.78.
inline constexpr double kModelHitRating = 45, kModelCriticalRating = 45, kModelCriticalEffectRating = 18,
                        kModelStrainRating = 33.75, kModelHasteRating = 54.78;

// A = attack, P = 1 + (overcome − 860) / 6466; the damage factor
// R = H·(G − 1) + M + 0.75·W − 0.3625 with the capped fractions; Z = A·P·R·(1 + J).
double expectedDamage(const Sheet& sheet);

// The critical rate's cap for this sheet, in percent: M + W − 45 with capped hit and strain.
double criticalCap(const Sheet& sheet);

// The sheet with the ratings added (negative ratings take away). The primary
// attribute turns into attack, critical, critical-effect and overcome rating
// through the discipline; without one it adds nothing. Haste counts only in
// haste mode.
Sheet withRatings(const Sheet& sheet, const Ratings& ratings, const Discipline* discipline, bool hasteMode);

// The change of Z in percent from one sheet to another.
double changePercent(const Sheet& from, const Sheet& to);

} // namespace velmora
