#include "calc/bestgear.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace velmora {

namespace {

Sheet plus(const Sheet& a, const Sheet& b) {
    return {a.attack + b.attack,     a.hit + b.hit,
            a.critical + b.critical, a.criticalEffect + b.criticalEffect,
            a.overcome + b.overcome, a.strain + b.strain,
            a.haste + b.haste};
}

Sheet lowest(const Sheet& a, const Sheet& b) {
    return {std::min(a.attack, b.attack),     std::min(a.hit, b.hit),
            std::min(a.critical, b.critical), std::min(a.criticalEffect, b.criticalEffect),
            std::min(a.overcome, b.overcome), std::min(a.strain, b.strain),
            std::min(a.haste, b.haste)};
}

Sheet highest(const Sheet& a, const Sheet& b) {
    return {std::max(a.attack, b.attack),     std::max(a.hit, b.hit),
            std::max(a.critical, b.critical), std::max(a.criticalEffect, b.criticalEffect),
            std::max(a.overcome, b.overcome), std::max(a.strain, b.strain),
            std::max(a.haste, b.haste)};
}

Ratings summed(const GearSlot& slot, const std::vector<std::size_t>& items) {
    Ratings sum{};
    for (const std::size_t item : items) {
        for (std::size_t row = 0; row < sum.size(); ++row) {
            sum[row] += slot.items[item][row];
        }
    }
    return sum;
}

std::vector<std::size_t> wornItems(const GearSlot& slot) {
    std::vector<std::size_t> worn;
    for (std::size_t item = 0; item < slot.items.size(); ++item) {
        if (slot.worn[item]) {
            worn.push_back(item);
        }
    }
    return worn;
}

// Every way to fill `places` places from `count` items, each subset ascending.
std::vector<std::vector<std::size_t>> subsets(std::size_t count, std::size_t places) {
    std::vector<std::vector<std::size_t>> all;
    std::vector<std::size_t> pick(places);
    std::iota(pick.begin(), pick.end(), std::size_t{0});
    while (places <= count) {
        all.push_back(pick);
        std::size_t i = places;
        while (i > 0 && pick[i - 1] == count - places + i - 1) {
            --i;
        }
        if (i == 0) {
            break;
        }
        ++pick[i - 1];
        for (std::size_t j = i; j < places; ++j) {
            pick[j] = pick[j - 1] + 1;
        }
    }
    return all;
}

Sheet towards(const Sheet& from, const Sheet& to, double step) {
    return {from.attack + step * (to.attack - from.attack),
            from.hit + step * (to.hit - from.hit),
            from.critical + step * (to.critical - from.critical),
            from.criticalEffect + step * (to.criticalEffect - from.criticalEffect),
            from.overcome + step * (to.overcome - from.overcome),
            from.strain + step * (to.strain - from.strain),
            from.haste + step * (to.haste - from.haste)};
}

bool below(double most, double bar) {
    return most + 1e-9 * std::fabs(most) < bar;
}

// The best first; among equals, the earlier choice.
bool ranksAbove(const FoundCombination& a, const FoundCombination& b) {
    return a.damage != b.damage ? a.damage > b.damage : a.choice < b.choice;
}

} // namespace

std::size_t placesOf(const GearSlot& slot) {
    return std::max<std::size_t>(
        1, static_cast<std::size_t>(std::count(slot.worn.begin(), slot.worn.end(), true)));
}

BestGearSearch::BestGearSearch(const MeasuredSheet& panel, std::vector<GearSlot> slots, std::size_t keep)
    : m_panel(panel), m_slots(std::move(slots)), m_keep(keep) {
    const Sheet none{};
    const double now = expectedDamage(m_panel.sheet);
    // Each slot's options, as changes of the panel against what it wears now,
    // best alone first, so that the first combination weighed is a good one.
    std::vector<std::vector<Option>> options(m_slots.size());
    std::vector<double> spread(m_slots.size(), 0);
    for (std::size_t s = 0; s < m_slots.size(); ++s) {
        const GearSlot& slot = m_slots[s];
        const Ratings worn = summed(slot, wornItems(slot));
        std::vector<double> alone;
        for (auto& items : subsets(slot.items.size(), placesOf(slot))) {
            Ratings change = summed(slot, items);
            for (std::size_t row = 0; row < change.size(); ++row) {
                change[row] -= worn[row];
            }
            const Sheet delta = withRatings(none, change, m_panel.discipline, m_panel.hasteMode);
            options[s].push_back({std::move(items), delta});
        }
        std::vector<std::pair<double, std::size_t>> byGain;
        for (std::size_t o = 0; o < options[s].size(); ++o) {
            byGain.push_back({-expectedDamage(plus(m_panel.sheet, options[s][o].delta)), o});
        }
        std::sort(byGain.begin(), byGain.end());
        std::vector<Option> sorted;
        for (const auto& [negativeGain, o] : byGain) {
            sorted.push_back(options[s][o]);
        }
        options[s] = std::move(sorted);
        if (!byGain.empty()) {
            spread[s] = byGain.back().first - byGain.front().first;
        }
    }
    // Slots that matter most first; slots with no candidates hold nothing.
    for (std::size_t s = 0; s < m_slots.size(); ++s) {
        if (!options[s].empty()) {
            m_order.push_back(s);
        }
    }
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&](std::size_t a, std::size_t b) { return spread[a] > spread[b]; });
    for (const std::size_t s : m_order) {
        m_options.push_back(std::move(options[s]));
    }
    const std::size_t depth = m_options.size();
    m_lowest.assign(depth + 1, Sheet{});
    m_highest.assign(depth + 1, Sheet{});
    m_firstSum.assign(depth + 1, Sheet{});
    m_leavesBelow.assign(depth, 1);
    for (std::size_t p = depth; p-- > 0;) {
        Sheet low = m_options[p].front().delta;
        Sheet high = low;
        for (const Option& option : m_options[p]) {
            low = lowest(low, option.delta);
            high = highest(high, option.delta);
        }
        m_lowest[p] = plus(m_lowest[p + 1], low);
        m_firstSum[p] = plus(m_firstSum[p + 1], m_options[p].front().delta);
        m_highest[p] = plus(m_highest[p + 1], high);
        m_leavesBelow[p] =
            p + 1 < depth ? m_leavesBelow[p + 1] * static_cast<double>(m_options[p + 1].size()) : 1;
        m_combinations *= static_cast<double>(m_options[p].size());
    }
    Choice worn(m_slots.size());
    for (std::size_t s = 0; s < m_slots.size(); ++s) {
        worn[s] = wornItems(m_slots[s]);
    }
    m_wornNow = {worn, now, wornChange(m_panel.sheet, m_panel.sheet)};
    if (!comparable()) {
        m_done = true; // nothing to compare with: no combination is better or worse
        return;
    }
    m_taken.assign(depth, 0);
    m_stack.push_back({0, 0, m_panel.sheet});
}

double BestGearSearch::threshold() const {
    return m_best.size() < m_keep ? -std::numeric_limits<double>::infinity() : m_best.back().damage;
}

// The most the combinations under a branch can reach: the model at the
// corner where every slot from `position` on adds its most of each attribute.
// It holds only where more of every attribute never lowers the damage, which
// the corner of the least of each shows (attack, the overcome factor and the
// damage factor at least 0, critical effect at least 100 %); else no bound.
double BestGearSearch::bound(std::size_t position, const Sheet& sum) const {
    const Sheet low = plus(sum, m_lowest[position]);
    const bool rising = low.attack >= 0 && low.criticalEffect >= 100 &&
                        1 + (low.overcome - kBossDefence) / kOvercomeCoefficient >= 0 &&
                        damageFactor(low) >= 0;
    return rising ? expectedDamage(plus(sum, m_highest[position])) : std::numeric_limits<double>::infinity();
}

// A rate clamped to [0, cap] that ranges over [lo, hi] lies under a concave
// broken line: the chord from (min(lo, 0), 0) to (u, u), u = min(hi, cap),
// then flat. Where lo ≥ 0 it is the rate itself; below 0 the chord lets the
// bound hold on branches that could take a rate below 0.
BestGearSearch::ConcaveRate::ConcaveRate(double lo, double hi, double cap)
    : from(std::min(lo, 0.0)), top(std::min(hi, cap)) {
    steep = top > 0 ? top / (top - from) : 0;
}
double BestGearSearch::ConcaveRate::value(double s) const {
    return top > 0 ? std::min(top, (s - from) * steep) : 0;
}
double BestGearSearch::ConcaveRate::slope(double s) const {
    return s < top ? steep : 0;
}

// Whether no combination under a branch can reach `bar`: the cheap corner
// bound first, then the planes. A rounding's worth of slack, so that no
// combination level with the last kept is ever left out.
bool BestGearSearch::leftOut(std::size_t position, const Sheet& sum, double bar) const {
    if (bar == -std::numeric_limits<double>::infinity()) {
        return false;
    }
    return below(bound(position, sum), bar) || below(tangentBound(position, sum, bar), bar);
}

// A tighter bound: over the branch's box, the damage factor lies under a
// concave function (each clamped rate under its ConcaveRate; the crit ×
// effect term under one of McCormick's planes, see Relaxed), so under its
// tangent plane at any point of the box; so does the log of attack, the
// overcome factor and haste. A plane's most over the branch is each
// remaining slot's best option alone. It holds where attack, the overcome
// factor and haste stay above 0 over the box; else there is no bound.
// The planes are tangent first where each slot's best alone meets, then at
// points that move toward where each plane's best options meet, by a
// shrinking step (Frank and Wolfe's), which draws them to the concave
// function's most over the branch and so to its tightest plane. Each plane
// is a bound; the lowest is kept, and the planes stop once one is below
// `bar`.
double BestGearSearch::tangentBound(std::size_t position, const Sheet& sum, double bar) const {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    constexpr int kPlanes = 10;
    const Sheet low = plus(sum, m_lowest[position]);
    const Sheet high = plus(sum, m_highest[position]);
    const double lowP = 1 + (low.overcome - kBossDefence) / kOvercomeCoefficient;
    const Relaxed relaxed(low, high);
    if (!(low.attack > 0 && lowP > 0 && low.haste >= 0 && relaxed.holds)) {
        return kNone;
    }
    Sheet x = plus(sum, m_firstSum[position]);
    double lowest = kNone;
    for (int plane = 0; plane < kPlanes && !below(lowest, bar); ++plane) {
        Sheet next = sum;
        lowest = std::min(lowest, planeBound(x, relaxed, sum, position, next));
        x = towards(x, next, 2.0 / (plane + 3));
    }
    return lowest;
}

BestGearSearch::Relaxed::Relaxed(const Sheet& low, const Sheet& high)
    : hit(low.hit, high.hit, kHitCap), strain(low.strain, high.strain, kStrainCap),
      criticalEffect(low.criticalEffect, high.criticalEffect, std::numeric_limits<double>::infinity()),
      critical(std::min(low.critical, critCap(low.hit, low.strain)),
               std::min(high.critical, critCap(high.hit, high.strain)),
               std::numeric_limits<double>::infinity()) {
    // McCormick's plane H·g ≤ Hh·g + gl·H − Hh·gl (H ≤ Hh, g ≥ gl) where the
    // least critical effect is 100 % or more, else H·g ≤ Hl·g + gh·H − Hl·gh
    // (H ≥ Hl, g ≤ gh): the coefficient of H must be at least 0, so that H's
    // concave line keeps the whole concave.
    const double lowG = std::max(low.criticalEffect, 0.0) / 100 - 1, highG = high.criticalEffect / 100 - 1;
    if (lowG >= 0) {
        onH = lowG;
        onG = critical.value(critical.top) / 100;
    } else {
        const double lowCap =
            std::clamp(low.hit, 0.0, kHitCap) + std::clamp(low.strain, 0.0, kStrainCap) - kCriticalCapOffset;
        onH = highG;
        onG = std::max(0.0, std::min(low.critical, lowCap)) / 100;
    }
    offset = -onH * onG;
    holds = onH >= 0;
}

double BestGearSearch::Relaxed::critCap(double hitPercent, double strainPercent) const {
    return hit.value(hitPercent) + strain.value(strainPercent) - kCriticalCapOffset;
}

// One plane, tangent at x: its most over the branch, and (next) where that
// most is reached.
double BestGearSearch::planeBound(const Sheet& x, const Relaxed& relaxed, const Sheet& sum,
                                  std::size_t position, Sheet& next) const {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const double M = relaxed.hit.value(x.hit) / 100, W = relaxed.strain.value(x.strain) / 100;
    const double dM = relaxed.hit.slope(x.hit) / 100, dW = relaxed.strain.slope(x.strain) / 100;
    const double cap = relaxed.critCap(x.hit, x.strain);
    const bool critBelowCap = x.critical <= cap;
    const double y = critBelowCap ? x.critical : cap;
    const double H = relaxed.critical.value(y) / 100, dH = relaxed.critical.slope(y);
    const double onH = relaxed.onH, onG = relaxed.onG;
    const double g = relaxed.criticalEffect.value(x.criticalEffect) / 100 - 1;
    const double dG = relaxed.criticalEffect.slope(x.criticalEffect);
    const double R = onG * g + onH * H + relaxed.offset + M + kStrainWeight * W - 0.3625;
    if (!(R > 0)) {
        return kNone;
    }
    const double P = 1 + (x.overcome - kBossDefence) / kOvercomeCoefficient;
    const double J = 1 + x.haste / 100;
    // The plane's slope along each attribute of the sheet.
    const Sheet slope{1 / x.attack,
                      (onH * (critBelowCap ? 0 : dH * dM) + dM) / R,
                      onH * (critBelowCap ? dH / 100 : 0) / R,
                      onG * dG / 100 / R,
                      1 / (kOvercomeCoefficient * P),
                      (onH * (critBelowCap ? 0 : dH * dW) + kStrainWeight * dW) / R,
                      0.01 / J};
    const auto along = [&](const Sheet& d) {
        return slope.attack * d.attack + slope.hit * d.hit + slope.critical * d.critical +
               slope.criticalEffect * d.criticalEffect + slope.overcome * d.overcome +
               slope.strain * d.strain + slope.haste * d.haste;
    };
    double most = std::log(x.attack) + std::log(P) + std::log(J) + std::log(R) + along(sum) - along(x);
    for (std::size_t p = position; p < m_options.size(); ++p) {
        const Option* best = &m_options[p].front();
        double bestAlong = along(best->delta);
        for (const Option& option : m_options[p]) {
            const double value = along(option.delta);
            if (value > bestAlong) {
                bestAlong = value;
                best = &option;
            }
        }
        most += bestAlong;
        next = plus(next, best->delta);
    }
    return std::exp(most);
}

bool BestGearSearch::run(std::uint64_t budget) {
    const std::size_t depth = m_options.size();
    if (depth == 0 && !m_done) {
        offer({});
        m_accounted = 1;
        m_done = true;
        m_stack.clear();
    }
    while (!m_stack.empty()) {
        Frame& frame = m_stack.back();
        if (frame.next == m_options[frame.slot].size()) {
            m_stack.pop_back();
            continue;
        }
        if (budget == 0) {
            break;
        }
        --budget;
        const std::size_t position = frame.slot;
        const std::size_t option = frame.next++;
        m_taken[position] = option;
        const Sheet sum = plus(frame.sum, m_options[position][option].delta);
        if (position + 1 == depth) {
            m_accounted += 1;
            const double damage = expectedDamage(sum);
            if (damage >= threshold()) {
                offer(m_taken);
            }
            continue;
        }
        // One slot left: its combinations are weighed for less than a bound.
        if (position + 2 < depth && leftOut(position + 1, sum, threshold())) {
            m_accounted += m_leavesBelow[position];
            continue;
        }
        m_stack.push_back({position + 1, 0, sum});
    }
    m_done = m_done || m_stack.empty();
    return m_done;
}

void BestGearSearch::offer(const std::vector<std::size_t>& taken) {
    Choice choice(m_slots.size());
    Sheet sum = m_panel.sheet;
    for (std::size_t p = 0; p < m_options.size(); ++p) {
        const Option& option = m_options[p][taken[p]];
        choice[m_order[p]] = option.items;
        sum = plus(sum, option.delta);
    }
    FoundCombination found{std::move(choice), expectedDamage(sum), wornChange(m_panel.sheet, sum)};
    const auto place = std::upper_bound(m_best.begin(), m_best.end(), found, ranksAbove);
    if (static_cast<std::size_t>(place - m_best.begin()) >= m_keep) {
        return;
    }
    m_best.insert(place, std::move(found));
    if (m_best.size() > m_keep) {
        m_best.pop_back();
    }
}

FoundCombination BestGearSearch::weigh(const Choice& choice) const {
    Sheet sum = m_panel.sheet;
    for (std::size_t p = 0; p < m_options.size(); ++p) {
        for (const Option& option : m_options[p]) {
            if (option.items == choice[m_order[p]]) {
                sum = plus(sum, option.delta);
            }
        }
    }
    return {choice, expectedDamage(sum), wornChange(m_panel.sheet, sum)};
}

FoundCombination BestGearSearch::straightLinePick(const Ratings& weights) const {
    Choice choice(m_slots.size());
    for (std::size_t s = 0; s < m_slots.size(); ++s) {
        const GearSlot& slot = m_slots[s];
        std::vector<std::pair<double, std::size_t>> byWeight;
        for (std::size_t item = 0; item < slot.items.size(); ++item) {
            double value = 0;
            for (std::size_t row = 0; row < weights.size(); ++row) {
                value += weights[row] * slot.items[item][row];
            }
            byWeight.push_back({-value, item});
        }
        std::stable_sort(byWeight.begin(), byWeight.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t place = 0; place < placesOf(slot) && place < byWeight.size(); ++place) {
            choice[s].push_back(byWeight[place].second);
        }
        std::sort(choice[s].begin(), choice[s].end());
    }
    return weigh(choice);
}

} // namespace velmora
