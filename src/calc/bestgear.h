// 最佳组合: the best combinations of the player's candidate items, by the
// model's exact change of the expected damage, caps included. Every
// combination counts (one item for each worn place of each slot, an item
// never twice); a branch is left out only when a bound proves it cannot
// reach the best found, so the answer is exact. The search runs in steps of
// bounded work, so that a view can show how far it got and go on.
#pragma once

#include "calc/gearchange.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace velmora {

// One slot: its candidates' ratings (in the grid's row order), which of them
// are worn now, and how many places it has (as many as are worn, one when
// none is: the panel then holds nothing of that slot).
struct GearSlot {
    std::vector<Ratings> items;
    std::vector<bool> worn;
};
std::size_t placesOf(const GearSlot& slot);

// How many of the best a search keeps, best first.
inline constexpr std::size_t kBestKept = 10;

// A combination: for each slot, the items worn in its places, ascending.
using Choice = std::vector<std::vector<std::size_t>>;

struct FoundCombination {
    Choice choice;
    double damage = 0; // the model's expected damage wearing it
    WornChange change; // against what is worn now
};

class BestGearSearch {
public:
    // panel: the sheet of the last 计算, which wears the items marked worn.
    // keep: how many of the best to keep.
    BestGearSearch(const MeasuredSheet& panel, std::vector<GearSlot> slots, std::size_t keep = kBestKept);

    // Works on for at most `budget` more steps (a step: one combination
    // weighed, or one branch bounded); true once every combination is
    // accounted for.
    bool run(std::uint64_t budget);
    bool proven() const { return m_done; }

    // The best found so far, best first (the exact best once proven).
    const std::vector<FoundCombination>& best() const { return m_best; }
    // How many combinations there are, and how many are accounted for
    // (weighed, or left out by a bound); doubles, for spaces beyond 2^64.
    double combinations() const { return m_combinations; }
    double accountedFor() const { return m_accounted; }
    // What is worn now, weighed as any other combination (its change is 0).
    const FoundCombination& wornNow() const { return m_wornNow; }
    // The panel as the search reads it: without damage, nothing compares.
    bool comparable() const { return hasDamage(m_panel.sheet); }

    // The combination that straight-line weights pick, each slot on its own:
    // in every slot the items with the highest weights · ratings (the
    // 计算 gains, in the grid's row order), weighed exactly.
    FoundCombination straightLinePick(const Ratings& weights) const;

    // A combination weighed exactly.
    FoundCombination weigh(const Choice& choice) const;

private:
    struct Option {
        std::vector<std::size_t> items;
        Sheet delta; // what it changes of the panel, against what the slot wears now
    };
    // The most parts a branch is bounded in: its combinations whose critical
    // hits gain nothing, and two slabs of critical effect of the others.
    static constexpr std::size_t kMostParts = 3;
    struct Frame {
        std::size_t depth; // the slot branched on here is m_searchOrder[depth]
        std::size_t next;  // the next option to take at it
        Sheet sum;         // the panel changed by the options taken above
        // The planes of this branch's bound (none, or one for each part of
        // it): each one's value with the best of the other open slots, and
        // each option's (m_inherited).
        std::size_t planes = 0;
        std::array<double, kMostParts> others{};
    };
    void offer(const std::vector<std::size_t>& taken);
    // The clamped rates of a branch's box under concave broken lines.
    struct ConcaveRate {
        double from = 0, top = 0, steep = 0;
        ConcaveRate(double lo, double hi, double cap);
        double value(double s) const;
        double slope(double s) const;
    };
    // The damage factor over a branch's box under a concave function: its
    // rates under their broken lines, H·g under the lowest of its planes
    // onG·g + onH·H + offset.
    struct Relaxed {
        Relaxed(const Sheet& low, const Sheet& high);
        static Relaxed withoutCriticalGain(const Sheet& low, const Sheet& high);
        double critCap(double hitPercent, double strainPercent) const;
        ConcaveRate hit, strain, criticalEffect, critical;
        struct Product {
            double onH = 0, onG = 0, offset = 0;
        };
        Product products[3];
        int productCount = 0;
        double productGap = 0; // how far those planes lie above H·g in the box's middle
    };
    // A branch: the slots still open (m_searchOrder from `rest` on) under
    // the panel changed by `sum`.
    struct Branch {
        std::size_t rest;
        Sheet sum, low, high; // what its combinations hold at least and at most
        Sheet room;           // hit, strain and critical rate left below their caps at the least
    };
    Sheet cut(const Branch& branch, std::size_t position, Sheet delta) const;
    Branch branchAt(std::size_t rest, const Sheet& sum) const;
    // start: each position's option where the first plane is tangent (the
    // best in the plane above); none: each slot's best alone.
    bool leftOut(const Branch& branch, double bar, const std::vector<std::size_t>* start);
    double bound(const Sheet& low, const Sheet& high) const;
    double withoutCriticalGain(const Sheet& low, const Sheet& high) const;
    double tangentBound(const Branch& branch, double bar, const std::vector<std::size_t>* start);
    // A range of critical effect the combinations of a slab hold (the whole
    // box when unbounded).
    struct Slab {
        double from = -std::numeric_limits<double>::infinity();
        double to = std::numeric_limits<double>::infinity();
        bool holds(double criticalEffect) const { return from <= criticalEffect && criticalEffect <= to; }
        bool bounded() const { return std::isfinite(from) || std::isfinite(to); }
    };
    // A plane a bound kept: its value at the branch's panel, what each open
    // option adds (m_cut's order), its most over the open slots and where.
    struct Kept {
        double at = 0, most = 0;
        std::vector<double> values;
        std::vector<std::size_t> best;
    };
    template <typename Under> void underSlabs(const Branch& branch, const Sheet& low, Under& under);
    double planesOver(const Branch& branch, const Relaxed& relaxed, Sheet x, double bar, const Slab& slab);
    void slabbed(const Branch& branch, const Slab& slab, double blendAt, Kept& kept);
    double slabMultiplier(const Branch& branch, const Slab& slab, double blendAt, double& at);
    void addTurns(std::size_t first, std::size_t end, std::size_t on, double side);
    bool leftOutByThePlanesAbove(const Frame& frame, std::size_t option) const;
    double planeBound(const Sheet& x, const Relaxed& relaxed, const Branch& branch, double& reached);
    void blendIn(double share);
    double blendShare(double blendAt, double at) const;
    std::array<double, kMostParts> branchOnTheSharpest(const Branch& branch, double bar,
                                                       std::vector<double>& values);
    double leavesFrom(std::size_t rest) const;
    double threshold() const;

    MeasuredSheet m_panel;
    std::vector<GearSlot> m_slots;
    std::vector<std::size_t> m_order;           // slots in the order of m_options
    std::vector<std::vector<Option>> m_options; // by position
    std::vector<Sheet> m_lowest, m_highest; // the least and most of each attribute a position's options add
    // Positions, those branched on along the current path first; the rest
    // are open, and each branch takes next the one whose options its plane
    // leaves out most (branchOnTheSharpest).
    std::vector<std::size_t> m_searchOrder;
    // The last bound's open options, cut at the caps, in search order; where
    // each open slot's end among them; and what each adds to a plane.
    std::vector<Sheet> m_cut;
    std::vector<std::size_t> m_ends;
    std::vector<double> m_fresh, m_blend;
    // Where a slot's best option changes as a slab's multiplier grows, and
    // how much the best's critical effect rises there.
    struct Turn {
        double at = 0, rise = 0;
    };
    std::vector<Turn> m_turns;
    std::vector<std::size_t> m_freshBest, m_blendBest; // each open slot's best option in each
    // The last bound's planes, one for each part: the first m_keptCount. The
    // others keep their storage for the next bound, which allocates nothing.
    std::array<Kept, kMostParts> m_kept;
    std::size_t m_keptCount = 0;
    // By depth: the options' values in the planes of the frame's bound.
    std::vector<std::vector<double>> m_inherited;
    // By depth: each position's best option in the plane of the frame's bound,
    // where its branches' bounds start.
    std::vector<std::vector<std::size_t>> m_hints;
    std::size_t m_keep;
    std::vector<FoundCombination> m_best;
    FoundCombination m_wornNow;
    std::vector<Frame> m_stack;
    std::vector<std::size_t> m_taken; // option taken at each position on the current path
    double m_combinations = 1;
    double m_accounted = 0;
    bool m_done = false;
};

} // namespace velmora
