#include "calc/damagemodel.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

// A rate counts from 0 up to its cap: a sheet far below the panel (a wide
// range of the curves, a large negative cell) has no negative chances.
double rate(double percent, double cap) {
    return std::clamp(percent, 0.0, cap);
}
double cappedHit(const Sheet& sheet) {
    return rate(sheet.hit, kHitCap);
}
double cappedStrain(const Sheet& sheet) {
    return rate(sheet.strain, kStrainCap);
}
} // namespace

double criticalCap(const Sheet& sheet) {
    return cappedHit(sheet) + cappedStrain(sheet) - kCriticalCapOffset;
}

double overCap(Cap cap, const Sheet& sheet) {
    switch (cap) {
    case Cap::Hit:
        return sheet.hit - kHitCap;
    case Cap::Strain:
        return sheet.strain - kStrainCap;
    case Cap::Critical:
        break;
    }
    return sheet.critical - criticalCap(sheet);
}

double capRatingPerPercent(Cap cap) {
    switch (cap) {
    case Cap::Hit:
        return kModelHitRating;
    case Cap::Strain:
        return kModelStrainRating;
    case Cap::Critical:
        break;
    }
    return kModelCriticalRating;
}

double damageFactor(const Sheet& sheet) {
    const double M = cappedHit(sheet) / 100;
    const double W = cappedStrain(sheet) / 100;
    // Over the cap the cap counts; a cap below 0 leaves no critical hits.
    const double H = rate(sheet.critical, std::max(criticalCap(sheet), 0.0)) / 100;
    const double G = std::max(sheet.criticalEffect, 0.0) / 100;
    return H * (G - 1) + M + kStrainWeight * W - 0.3625;
}

double expectedDamage(const Sheet& sheet) {
    const double P = 1 + (sheet.overcome - kBossDefence) / kOvercomeCoefficient;
    return sheet.attack * P * damageFactor(sheet) * (1 + std::max(sheet.haste, 0.0) / 100);
}

Sheet withRatings(const Sheet& sheet, const Ratings& ratings, const Discipline* discipline, bool hasteMode) {
    const double primary = discipline != nullptr ? ratings[0] : 0;
    const Discipline none{};
    const Discipline& row = discipline != nullptr ? *discipline : none;
    Sheet worn = sheet;
    worn.attack += ratings[1] + primary * row.attack;
    worn.hit += ratings[2] / kModelHitRating;
    worn.critical += (ratings[3] + primary * row.critical) / kModelCriticalRating;
    worn.criticalEffect += (ratings[4] + primary * row.criticalEffect) / kModelCriticalEffectRating;
    worn.overcome += ratings[5] + primary * row.overcome;
    worn.strain += ratings[6] / kModelStrainRating;
    if (hasteMode) {
        worn.haste += ratings[7] / kModelHasteRating;
    }
    return worn;
}

double changePercent(const Sheet& from, const Sheet& to) {
    const double before = expectedDamage(from);
    if (!hasDamage(from)) {
        return std::numeric_limits<double>::quiet_NaN(); // no damage to compare with
    }
    return (expectedDamage(to) - before) / before * 100;
}

bool hasDamage(const Sheet& sheet) {
    return expectedDamage(sheet) > 0; // false for NaN too
}

} // namespace velmora
