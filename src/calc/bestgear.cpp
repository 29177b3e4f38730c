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

// How far McCormick's planes may lie above the crit × effect term in the
// middle of a branch's box before the branch is bounded in two slabs of
// critical effect, each with planes of its own: a share of the damage
// factor at the branch's panel (at least 0.1), which the gap is weighed
// against in the bound.
constexpr double kSlabsFromGapShare = 0.2;

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
    for (std::size_t p = 0; p < depth; ++p) {
        Sheet low = m_options[p].front().delta;
        Sheet high = low;
        for (const Option& option : m_options[p]) {
            low = lowest(low, option.delta);
            high = highest(high, option.delta);
        }
        m_lowest.push_back(low);
        m_highest.push_back(high);
        m_combinations *= static_cast<double>(m_options[p].size());
    }
    m_searchOrder.resize(depth);
    std::iota(m_searchOrder.begin(), m_searchOrder.end(), std::size_t{0});
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
    m_inherited.resize(depth);
    m_hints.assign(depth, std::vector<std::size_t>(depth, 0));
    m_stack.push_back({0, 0, m_panel.sheet});
}

double BestGearSearch::threshold() const {
    return m_best.size() < m_keep ? -std::numeric_limits<double>::infinity() : m_best.back().damage;
}

BestGearSearch::Branch BestGearSearch::branchAt(std::size_t rest, const Sheet& sum) const {
    Branch branch{rest, sum, sum, sum, {}};
    for (std::size_t j = rest; j < m_searchOrder.size(); ++j) {
        branch.low = plus(branch.low, m_lowest[m_searchOrder[j]]);
        branch.high = plus(branch.high, m_highest[m_searchOrder[j]]);
    }
    // Rating past a cap counts for nothing, so an option's hit, strain and
    // critical past what the cap leaves above the branch's least can be cut
    // off: a combination with a cut option is still at the cap, and the
    // model gives it the same damage. The cut options blend less well across
    // a cap, which tightens the planes.
    const double critCapMost = std::clamp(branch.high.hit, 0.0, kHitCap) +
                               std::clamp(branch.high.strain, 0.0, kStrainCap) - kCriticalCapOffset;
    branch.room.hit = std::max(0.0, kHitCap - branch.low.hit);
    branch.room.strain = std::max(0.0, kStrainCap - branch.low.strain);
    branch.room.critical = std::max(0.0, critCapMost - branch.low.critical);
    branch.high = branch.sum;
    for (std::size_t j = rest; j < m_searchOrder.size(); ++j) {
        branch.high = plus(branch.high, cut(branch, m_searchOrder[j], m_highest[m_searchOrder[j]]));
    }
    return branch;
}

Sheet BestGearSearch::cut(const Branch& branch, std::size_t position, Sheet delta) const {
    const Sheet& least = m_lowest[position];
    delta.hit = std::min(delta.hit, least.hit + branch.room.hit);
    delta.strain = std::min(delta.strain, least.strain + branch.room.strain);
    delta.critical = std::min(delta.critical, least.critical + branch.room.critical);
    return delta;
}

double BestGearSearch::leavesFrom(std::size_t rest) const {
    double leaves = 1;
    for (std::size_t j = rest; j < m_searchOrder.size(); ++j) {
        leaves *= static_cast<double>(m_options[m_searchOrder[j]].size());
    }
    return leaves;
}

// The most the combinations under a branch can reach: the model at the
// corner where every open slot adds its most of each attribute. It holds
// only where more of every attribute never lowers the damage, which the
// corner of the least of each shows (attack, the overcome factor and the
// damage factor at least 0, critical effect at least 100 %); else no bound.
double BestGearSearch::bound(const Sheet& low, const Sheet& high) const {
    const bool rising = low.attack >= 0 && low.criticalEffect >= 100 &&
                        1 + (low.overcome - kBossDefence) / kOvercomeCoefficient >= 0 &&
                        damageFactor(low) >= 0;
    return rising ? expectedDamage(high) : std::numeric_limits<double>::infinity();
}

// The most the combinations of a box whose critical hits gain nothing can
// reach: their H·(G − 1) is at most 0, so the corner bound of the box
// without critical hits (where critical effect no longer counts).
double BestGearSearch::withoutCriticalGain(const Sheet& low, const Sheet& high) const {
    Sheet least = low, most = high;
    least.critical = most.critical = 0;
    least.criticalEffect = most.criticalEffect = 100;
    return bound(least, most);
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
bool BestGearSearch::leftOut(const Branch& branch, double bar, const std::vector<std::size_t>* start) {
    m_keptCount = 0;
    if (bar == -std::numeric_limits<double>::infinity()) {
        return false;
    }
    return below(bound(branch.low, branch.high), bar) || below(tangentBound(branch, bar, start), bar);
}

// A tighter bound: over the branch's box, the damage factor lies under a
// concave function (each clamped rate under its ConcaveRate; the crit ×
// effect term under the lower of McCormick's planes, see Relaxed), so its
// log lies under its tangent plane at any point of the box; so does the log
// of attack, the overcome factor and haste. A plane's most over the branch is
// each open slot's best option alone. It holds where attack, the overcome
// factor and haste stay above 0 over the box; else there is no bound.
// The planes are tangent first where each slot's best alone meets, then at
// points that move toward where the planes' best options meet, by a
// shrinking step (Frank and Wolfe's). Each new plane is blended with those
// before (blendShare), and the blend is the bound. The planes stop once the
// bound is below `bar`, or once a point they pass through reaches it, which
// no plane can then be below: every such point is a blend of real
// combinations, cut at the caps.
double BestGearSearch::tangentBound(const Branch& branch, double bar, const std::vector<std::size_t>* start) {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const Sheet& low = branch.low;
    const double lowP = 1 + (low.overcome - kBossDefence) / kOvercomeCoefficient;
    if (!(low.attack > 0 && lowP > 0 && low.haste >= 0)) {
        return kNone;
    }
    m_cut.clear();
    m_ends.clear();
    for (std::size_t j = branch.rest; j < m_searchOrder.size(); ++j) {
        const std::size_t p = m_searchOrder[j];
        for (const Option& option : m_options[p]) {
            m_cut.push_back(cut(branch, p, option.delta));
        }
        m_ends.push_back(m_cut.size());
    }
    const std::size_t count = m_cut.size();
    // The first plane is tangent where the plane above was best, when there
    // is one; else where each slot's best alone meets.
    Sheet x = branch.sum;
    for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
        x = plus(x, m_cut[first + (start != nullptr ? (*start)[m_searchOrder[branch.rest + s]] : 0)]);
    }
    m_fresh.resize(count);
    m_blend.resize(count);
    m_freshBest.resize(m_ends.size());
    m_blendBest.resize(m_ends.size());
    // The combinations are bounded in parts, each under planes of its own.
    // Every part is bounded even where one is not left out: the branches
    // below take every part's planes, are left out only when all of them
    // leave them out, and branch on the slot they leave out most.
    double highest = -kNone;
    std::size_t parts = 0;
    // A part's planes start inside it: its concave function may have no
    // log (a damage factor at most 0) far outside.
    const auto under = [&](const Relaxed& relaxed, const Slab& slab, const Sheet& least) {
        ++parts;
        Sheet inside = x;
        inside.critical = std::max(x.critical, least.critical);
        inside.criticalEffect = std::min(std::max(x.criticalEffect, least.criticalEffect), slab.to);
        highest = std::max(highest, planesOver(branch, relaxed, inside, bar, slab));
    };
    // A critical rate below 0 counts as 0, and a concave line over a box
    // that reaches below 0 is the chord from its least, far above the rate
    // in the box's middle; critical effect below 100 % leaves McCormick one
    // plane of two. The combinations whose critical hits gain nothing (rate
    // at most 0 or effect at most 100 %) are a part of their own, under the
    // model without critical hits, and the others' rate and effect start at
    // 0 and 100 %.
    Sheet gaining = low;
    if (low.critical < 0 || low.criticalEffect < 100) {
        if (!below(withoutCriticalGain(low, branch.high), bar)) {
            under(Relaxed::withoutCriticalGain(low, branch.high), Slab{}, low);
        }
        gaining.critical = std::max(low.critical, 0.0);
        gaining.criticalEffect = std::max(low.criticalEffect, 100.0);
    }
    // Critical effect from 100 % up leaves McCormick's first plane.
    const Relaxed relaxed(gaining, branch.high);
    if (relaxed.productGap < kSlabsFromGapShare * std::max(damageFactor(branch.sum), 0.1)) {
        under(relaxed, Slab{}, gaining);
    } else {
        underSlabs(branch, gaining, under);
    }
    // Planes of every part hold over the branches below, whether or not they
    // leave this one out.
    if (m_keptCount != parts) {
        m_keptCount = 0;
    }
    return highest;
}

// Where the crit × effect term's box is wide, McCormick's planes are loose
// in its middle: the combinations are bounded in two slabs of critical
// effect (more gained nothing).
template <typename Under>
void BestGearSearch::underSlabs(const Branch& branch, const Sheet& low, Under& under) {
    const std::size_t slabs = kMostParts - 1;
    const double width = (branch.high.criticalEffect - low.criticalEffect) / static_cast<double>(slabs);
    for (std::size_t at = 0; at < slabs; ++at) {
        Slab slab;
        Sheet from = low, to = branch.high;
        if (at > 0) {
            slab.from = from.criticalEffect = low.criticalEffect + width * static_cast<double>(at);
        }
        if (at + 1 < slabs) {
            slab.to = to.criticalEffect = low.criticalEffect + width * static_cast<double>(at + 1);
        }
        under(Relaxed(from, to), slab, from);
    }
}

// The planes of a branch (of one slab of it, when `slab` has a side), from
// a tangent at x; the lowest bound they reach, and the last blend kept.
double BestGearSearch::planesOver(const Branch& branch, const Relaxed& relaxed, Sheet x, double bar,
                                  const Slab& slab) {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    constexpr int kPlanes = 10;
    double lowest = kNone;
    double blendAt = 0; // the blend's plane: blendAt + the options' values in m_blend
    bool blended = false;
    Kept& kept = m_kept[m_keptCount++];
    for (int plane = 0; plane < kPlanes && !below(lowest, bar); ++plane) {
        double reached = 0;
        const double at = planeBound(x, relaxed, branch, reached);
        if (at == kNone) {
            break;
        }
        const double share = blended ? blendShare(blendAt, at) : 0;
        blended = true;
        blendAt = share * blendAt + (1 - share) * at;
        blendIn(share);
        slabbed(branch, slab, blendAt, kept);
        lowest = std::min(lowest, std::exp(kept.at + kept.most));
        // A point of the slab that reaches `bar` leaves no plane below it.
        if (slab.holds(x.criticalEffect) && !below(reached, bar)) {
            break;
        }
        Sheet target = branch.sum;
        for (const std::size_t best : kept.best) {
            target = plus(target, m_cut[best]);
        }
        x = towards(x, target, 2.0 / (plane + 3));
    }
    if (!blended) {
        --m_keptCount;
    }
    return lowest;
}

// The blend as a plane of the slab: for any v, the blend plus v times how far
// a combination's critical effect lies above the slab's start (v ≥ 0) or
// below its end (v < 0) is above the model on the slab's combinations. The v
// that makes the lowest most over all combinations: that most is convex in v
// with slope (the best combinations' critical effect − start or end), found
// where that slope turns from below 0 to 0 or above (slabMultiplier). Where
// the box is not cut in slabs, or the best already lie in the slab, v is 0
// and the plane is the blend. The plane goes to `kept`.
void BestGearSearch::slabbed(const Branch& branch, const Slab& slab, double blendAt, Kept& kept) {
    kept.values.resize(m_blend.size());
    kept.best.resize(m_ends.size());
    kept.most = 0;
    const double v = slab.bounded() ? slabMultiplier(branch, slab, blendAt, kept.at) : 0;
    if (v == 0) {
        // The blend itself, with the best options blendIn found.
        kept.at = blendAt;
        std::copy(m_blend.begin(), m_blend.end(), kept.values.begin());
        std::copy(m_blendBest.begin(), m_blendBest.end(), kept.best.begin());
        for (const std::size_t best : kept.best) {
            kept.most += kept.values[best];
        }
        return;
    }
    for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
        std::size_t best = first;
        for (std::size_t k = first; k < m_ends[s]; ++k) {
            kept.values[k] = m_blend[k] + v * m_cut[k].criticalEffect;
            best = kept.values[k] > kept.values[best] ? k : best;
        }
        kept.best[s] = best;
        kept.most += kept.values[best];
    }
}

// The v of slabbed(), and the plane's value at the branch's panel with it
// (`at`) when v is not 0. Going from 0 towards the slab, each slot's best
// option changes where its line (the blend plus v times the option's
// critical effect) is overtaken by a steeper one; the best combinations'
// critical effect rises at each such turn, and v is the first turn where it
// reaches the slab's edge. Where it never does, no combination lies in the
// slab, and a v far out leaves the branch out.
double BestGearSearch::slabMultiplier(const Branch& branch, const Slab& slab, double blendAt, double& at) {
    double atZero = branch.sum.criticalEffect;
    for (const std::size_t best : m_blendBest) {
        atZero += m_cut[best].criticalEffect;
    }
    const double edge = atZero < slab.from ? slab.from : atZero > slab.to ? slab.to : atZero;
    const double side = atZero < slab.from ? 1 : atZero > slab.to ? -1 : 0;
    if (side == 0) {
        return 0;
    }
    m_turns.clear();
    for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
        addTurns(first, m_ends[s], m_blendBest[s], side);
    }
    std::sort(m_turns.begin(), m_turns.end(), [](const Turn& a, const Turn& b) { return a.at < b.at; });
    constexpr double kFar = 1e-4 * 1099511627776.0; // 1e-4 · 2^40
    double reached = side * atZero, w = kFar;
    for (const Turn& turn : m_turns) {
        reached += turn.rise;
        if (reached >= side * edge) {
            w = turn.at;
            break;
        }
    }
    const double v = side * w;
    at = blendAt + v * (branch.sum.criticalEffect - edge);
    return v;
}

// The turns of one slot (options first to end − 1), from `on`, its best at 0,
// along the upper edge of its lines as the multiplier goes `side`-wards.
void BestGearSearch::addTurns(std::size_t first, std::size_t end, std::size_t on, double side) {
    for (double from = 0;;) {
        std::size_t next = on;
        double turn = std::numeric_limits<double>::infinity();
        for (std::size_t k = first; k < end; ++k) {
            const double steeper = side * (m_cut[k].criticalEffect - m_cut[on].criticalEffect);
            if (steeper > 0) {
                const double crossing = std::max(from, (m_blend[on] - m_blend[k]) / steeper);
                if (crossing < turn || (crossing == turn &&
                                        side * m_cut[k].criticalEffect > side * m_cut[next].criticalEffect)) {
                    turn = crossing;
                    next = k;
                }
            }
        }
        if (next == on) {
            return;
        }
        m_turns.push_back({turn, side * (m_cut[next].criticalEffect - m_cut[on].criticalEffect)});
        on = next;
        from = turn;
    }
}

// The planes a branch's bound kept hold under each of the branch's own
// branches too, as they hold over the whole branch: a branch taking option o
// of the slot branched on next reaches at most a plane's value with o and
// the best of every other open slot. One below the tenth best under every
// kept plane is left out by that alone, the more often the more that slot's
// options differ under them: that slot is branched on next (the frames above
// keep their slots; only open ones move); where none is left out, the slot
// that spans most of the crit × effect term's box. Its options' values go to
// `values`, a plane after another; returned, each plane's value at the
// branch's panel with the best of the other open slots.
std::array<double, BestGearSearch::kMostParts>
BestGearSearch::branchOnTheSharpest(const Branch& branch, double bar, std::vector<double>& values) {
    // Below `bar` in the log, with the slack of below().
    const double limit = std::log(bar) - 2e-9;
    std::size_t sharpest = 0;
    double sharpestShare = -1, sharpestArea = -1;
    const double critWidth = branch.high.critical - branch.low.critical;
    const double effectWidth = branch.high.criticalEffect - branch.low.criticalEffect;
    const auto keptEnd = m_kept.begin() + static_cast<std::ptrdiff_t>(m_keptCount);
    for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
        std::size_t left = 0;
        for (std::size_t k = first; k < m_ends[s]; ++k) {
            left += std::all_of(m_kept.begin(), keptEnd, [&](const Kept& plane) {
                return plane.at + plane.most - plane.values[plane.best[s]] + plane.values[k] < limit;
            });
        }
        const double share = static_cast<double>(left) / static_cast<double>(m_ends[s] - first);
        const std::size_t p = m_searchOrder[branch.rest + s];
        const double area = (m_highest[p].critical - m_lowest[p].critical) * effectWidth +
                            (m_highest[p].criticalEffect - m_lowest[p].criticalEffect) * critWidth;
        if (share > sharpestShare || (share == sharpestShare && area > sharpestArea)) {
            sharpestShare = share;
            sharpestArea = area;
            sharpest = s;
        }
    }
    const std::size_t first = sharpest == 0 ? 0 : m_ends[sharpest - 1];
    values.clear();
    std::array<double, kMostParts> others{};
    for (std::size_t k = 0; k < m_keptCount; ++k) {
        const Kept& plane = m_kept[k];
        values.insert(values.end(), plane.values.begin() + static_cast<std::ptrdiff_t>(first),
                      plane.values.begin() + static_cast<std::ptrdiff_t>(m_ends[sharpest]));
        others[k] = plane.at + plane.most - plane.values[plane.best[sharpest]];
    }
    std::swap(m_searchOrder[branch.rest], m_searchOrder[branch.rest + sharpest]);
    return others;
}

// The blend takes `share` of itself and the rest from the fresh plane; each
// open slot's best option in it goes to m_blendBest.
void BestGearSearch::blendIn(double share) {
    if (share == 1) {
        return;
    }
    if (share == 0) {
        m_blend = m_fresh;
        m_blendBest = m_freshBest;
        return;
    }
    for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
        std::size_t best = first;
        for (std::size_t k = first; k < m_ends[s]; ++k) {
            m_blend[k] = share * m_blend[k] + (1 - share) * m_fresh[k];
            best = m_blend[k] > m_blend[best] ? k : best;
        }
        m_blendBest[s] = best;
    }
}

// Every blend of planes above the concave function is above it too. The
// share of the old blend that, with the fresh plane (m_fresh from `at`),
// makes the lowest most over the branch; that most is convex in the share,
// so halving on the sign of its slope finds it. A tangent plane at a kink
// (a cap, where McCormick's planes meet) leans to one side; blends of both
// sides give the planes between, which no single tangent does.
double BestGearSearch::blendShare(double blendAt, double at) const {
    // The slope at a share: what the blend adds over the fresh plane at the
    // options best there.
    const auto slopeWith = [&](const std::vector<std::size_t>& best) {
        double rise = blendAt - at;
        for (const std::size_t k : best) {
            rise += m_blend[k] - m_fresh[k];
        }
        return rise;
    };
    const auto slope = [&](double share) {
        double rise = 0;
        for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
            std::size_t best = first;
            double bestValue = m_fresh[first] + share * (m_blend[first] - m_fresh[first]);
            for (std::size_t k = first + 1; k < m_ends[s]; ++k) {
                const double value = m_fresh[k] + share * (m_blend[k] - m_fresh[k]);
                if (value > bestValue) {
                    best = k;
                    bestValue = value;
                }
            }
            rise += m_blend[best] - m_fresh[best];
        }
        return blendAt - at + rise;
    };
    if (slopeWith(m_freshBest) >= 0) {
        return 0;
    }
    if (slopeWith(m_blendBest) <= 0) {
        return 1;
    }
    double from = 0, to = 1;
    for (int halving = 0; halving < 2; ++halving) {
        const double middle = (from + to) / 2;
        (slope(middle) < 0 ? from : to) = middle;
    }
    return (from + to) / 2;
}

// The damage factor of the combinations whose critical hits gain nothing:
// H·(G − 1) at most 0, and under McCormick's planes of the whole box.
BestGearSearch::Relaxed BestGearSearch::Relaxed::withoutCriticalGain(const Sheet& low, const Sheet& high) {
    Relaxed relaxed(low, high);
    relaxed.products[relaxed.productCount++] = {};
    relaxed.productGap = 0;
    return relaxed;
}

BestGearSearch::Relaxed::Relaxed(const Sheet& low, const Sheet& high)
    : hit(low.hit, high.hit, kHitCap), strain(low.strain, high.strain, kStrainCap),
      criticalEffect(low.criticalEffect, high.criticalEffect, std::numeric_limits<double>::infinity()),
      critical(std::min(low.critical, critCap(low.hit, low.strain)),
               std::min(high.critical, critCap(high.hit, high.strain)),
               std::numeric_limits<double>::infinity()) {
    // McCormick's planes: H·g ≤ Hh·g + gl·H − Hh·gl (H ≤ Hh, g ≥ gl) and
    // H·g ≤ Hl·g + gh·H − Hl·gh (H ≥ Hl, g ≤ gh); the lower of the two holds.
    // A plane counts only where its coefficient of H is at least 0, so that
    // H's concave line keeps the whole concave.
    const double lowG = std::max(low.criticalEffect, 0.0) / 100 - 1, highG = high.criticalEffect / 100 - 1;
    const double lowCap =
        std::clamp(low.hit, 0.0, kHitCap) + std::clamp(low.strain, 0.0, kStrainCap) - kCriticalCapOffset;
    const double highH = critical.value(critical.top) / 100;
    const double lowH = std::max(0.0, std::min(low.critical, lowCap)) / 100;
    if (lowG >= 0) {
        products[productCount++] = {lowG, highH, -lowG * highH};
    }
    if (highG >= 0) {
        products[productCount++] = {highG, lowH, -highG * lowH};
    }
    productGap = (highH - lowH) * (highG - std::max(lowG, 0.0)) / 4;
}

double BestGearSearch::Relaxed::critCap(double hitPercent, double strainPercent) const {
    return hit.value(hitPercent) + strain.value(strainPercent) - kCriticalCapOffset;
}

// One plane, tangent at x, in the log: its value at the branch's panel
// (returned) and what each open option adds to it (m_fresh); and the
// concave function's value at x (reached).
double BestGearSearch::planeBound(const Sheet& x, const Relaxed& relaxed, const Branch& branch,
                                  double& reached) {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const double M = relaxed.hit.value(x.hit) / 100, W = relaxed.strain.value(x.strain) / 100;
    const double dM = relaxed.hit.slope(x.hit) / 100, dW = relaxed.strain.slope(x.strain) / 100;
    const double cap = relaxed.critCap(x.hit, x.strain);
    const bool critBelowCap = x.critical <= cap;
    const double y = critBelowCap ? x.critical : cap;
    const double H = relaxed.critical.value(y) / 100, dH = relaxed.critical.slope(y);
    const double g = relaxed.criticalEffect.value(x.criticalEffect) / 100 - 1;
    const double dG = relaxed.criticalEffect.slope(x.criticalEffect);
    const Relaxed::Product* product = &relaxed.products[0];
    const auto value = [&](const Relaxed::Product& p) { return p.onG * g + p.onH * H + p.offset; };
    for (int other = 1; other < relaxed.productCount; ++other) {
        if (value(relaxed.products[other]) < value(*product)) {
            product = &relaxed.products[other];
        }
    }
    const double onH = product->onH, onG = product->onG;
    const double R = value(*product) + M + kStrainWeight * W - 0.3625;
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
    reached = x.attack * P * J * R;
    for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
        std::size_t best = first;
        for (std::size_t k = first; k < m_ends[s]; ++k) {
            m_fresh[k] = along(m_cut[k]);
            best = m_fresh[k] > m_fresh[best] ? k : best;
        }
        m_freshBest[s] = best;
    }
    return std::log(x.attack) + std::log(P) + std::log(J) + std::log(R) + along(branch.sum) - along(x);
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
        const std::size_t position = m_searchOrder[frame.depth];
        if (frame.next == m_options[position].size()) {
            m_stack.pop_back();
            continue;
        }
        if (budget == 0) {
            break;
        }
        --budget;
        const std::size_t option = frame.next++;
        const std::size_t rest = frame.depth + 1;
        if (leftOutByThePlanesAbove(frame, option)) {
            m_accounted += leavesFrom(rest);
            continue;
        }
        m_taken[position] = option;
        const Sheet sum = plus(frame.sum, m_options[position][option].delta);
        if (rest == depth) {
            m_accounted += 1;
            const double damage = expectedDamage(sum);
            if (damage >= threshold()) {
                offer(m_taken);
            }
            continue;
        }
        // One slot left: its combinations are weighed for less than a bound.
        Frame below{rest, 0, sum};
        if (rest + 1 < depth) {
            const Branch branch = branchAt(rest, sum);
            if (leftOut(branch, threshold(), frame.planes > 0 ? &m_hints[frame.depth] : nullptr)) {
                m_accounted += leavesFrom(rest);
                continue;
            }
            below.planes = m_keptCount;
            if (m_keptCount > 0) {
                for (std::size_t first = 0, s = 0; s < m_ends.size(); first = m_ends[s++]) {
                    m_hints[rest][m_searchOrder[rest + s]] = m_kept.front().best[s] - first;
                }
                below.others = branchOnTheSharpest(branch, threshold(), m_inherited[rest]);
            }
        }
        m_stack.push_back(below);
    }
    m_done = m_done || m_stack.empty();
    return m_done;
}

bool BestGearSearch::leftOutByThePlanesAbove(const Frame& frame, std::size_t option) const {
    const std::vector<double>& values = m_inherited[frame.depth];
    const std::size_t count = m_options[m_searchOrder[frame.depth]].size();
    for (std::size_t plane = 0; plane < frame.planes; ++plane) {
        if (!below(std::exp(frame.others[plane] + values[plane * count + option]), threshold())) {
            return false;
        }
    }
    return frame.planes > 0;
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
