// The expected-damage model with its caps, in double precision, for asking
// what a change of the sheet really does: hit counts up to 110 %, strain up
// to 35 %, and the critical rate up to what miss and parry leave. Every cap
// and every rating divisor of the program is written here, once.
#pragma once

#include "calc/disciplines.h"

#include <array>

namespace velmora {

// Caps, in percent. The critical rate's cap is hit + strain less the
// offset: 110 % hit and 35 % strain leave 100 %.
inline constexpr double kHitCap = 110, kStrainCap = 35, kCriticalCapOffset = 45;

// The overcome factor P = 1 + (overcome − 860) / 6466 against a level-93
// boss: its internal defence and the overcome coefficient.
inline constexpr double kBossDefence = 860, kOvercomeCoefficient = 6466;

// Rating that makes a whole rate (100 %); a percentage point takes a
// hundredth. Strain's 3375 is the model's: a point of strain counts 0.75 of
// a point of hit in the damage factor, so a strain rating gains exactly what
// a hit rating does (3375 / 0.75 = 4500).
inline constexpr double kHitRatingPerUnit = 4500, kCriticalRatingPerUnit = 4500,
                        kCriticalEffectRatingPerUnit = 1800, kStrainRatingPerUnit = 3375,
                        kHasteRatingPerUnit = 5478;
inline constexpr double kStrainWeight = 0.75;
constexpr double perPercent(double perUnit) {
    return perUnit / 100;
}
// Rating per percentage point in the model: hit and critical 45, critical
// effect 18, strain 33.75, haste 54.78 (5478 / 100 is the double nearest
// 54.78).
inline constexpr double kModelHitRating = perPercent(kHitRatingPerUnit),
                        kModelCriticalRating = perPercent(kCriticalRatingPerUnit),
                        kModelCriticalEffectRating = perPercent(kCriticalEffectRatingPerUnit),
                        kModelStrainRating = perPercent(kStrainRatingPerUnit),
                        kModelHasteRating = perPercent(kHasteRatingPerUnit);
// Taking gear set 1 off moves strain by 45 rating a percent, as hit and
// critical, not by the model's 33.75: the button moves the panel as the
// game's own sheet counts strain rating, while the model weighs strain at
// 0.75 of hit.
inline constexpr double kTakeOffStrainRating = kModelHitRating;

// A character sheet as the model reads it: rates in percent, attack in
// points, overcome as a rating, haste in percent (0 outside haste mode).
struct Sheet {
    double attack = 0, hit = 0, critical = 0, criticalEffect = 0, overcome = 0, strain = 0, haste = 0;
    friend bool operator==(const Sheet&, const Sheet&) = default;
};

// Ratings as a gear set's cells hold them, in the panel's row order: primary
// attribute, attack, hit, critical, critical effect, overcome, strain, haste.
using Ratings = std::array<double, 8>;
inline constexpr std::size_t kPrimaryRow = 0, kHasteRow = 7;

// A = attack, P = 1 + (overcome − 860) / 6466; the damage factor
// R = H·(G − 1) + M + 0.75·W − 0.3625 with the capped fractions; Z = A·P·R·(1 + J).
// No rate counts below 0.
double expectedDamage(const Sheet& sheet);
// The damage factor R alone.
double damageFactor(const Sheet& sheet);

// The critical rate's cap for this sheet, in percent: M + W − 45 with capped hit and strain.
double criticalCap(const Sheet& sheet);

// The three caps, and how far over each a sheet is, in percent (below it:
// negative), with the rating that makes one percent of it.
enum class Cap { Hit, Strain, Critical };
inline constexpr Cap kCaps[] = {Cap::Hit, Cap::Strain, Cap::Critical};
double overCap(Cap cap, const Sheet& sheet);
double capRatingPerPercent(Cap cap);

// The sheet with the ratings added (negative ratings take away). The primary
// attribute turns into attack, critical, critical-effect and overcome rating
// through the discipline; without one it adds nothing. Haste counts only in
// haste mode.
Sheet withRatings(const Sheet& sheet, const Ratings& ratings, const Discipline* discipline, bool hasteMode);

// Whether the sheet does any damage: a change in percent means something
// only from a sheet that does.
bool hasDamage(const Sheet& sheet);

// The change of Z in percent from one sheet to another; NaN from a sheet with
// no damage (hasDamage), where a percentage has no meaning.
double changePercent(const Sheet& from, const Sheet& to);

} // namespace velmora
