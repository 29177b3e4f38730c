// 最佳组合 against a brute force written here: every combination of small
// random lists (rings, empty slots, slots with nothing worn) on sheets at and
// past every cap, weighed by the model worked by hand.
#include "handmodel.h"

#include "calc/bestgear.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <random>

namespace velmora::testing {
namespace {

// A sheet with the ratings added by hand: the primary attribute through the
// discipline; 45 hit or critical rating a percent, 18 critical effect, 33.75
// strain, 54.78 haste (haste mode only).
Sheet addedByHand(Sheet s, const Ratings& r, const Discipline& d, bool haste) {
    s.attack += r[1] + r[0] * d.attack;
    s.hit += r[2] / 45;
    s.critical += (r[3] + r[0] * d.critical) / 45;
    s.criticalEffect += (r[4] + r[0] * d.criticalEffect) / 18;
    s.overcome += r[5] + r[0] * d.overcome;
    s.strain += r[6] / 33.75;
    s.haste += haste ? r[7] / 54.78 : 0;
    return s;
}

struct List {
    MeasuredSheet panel;
    std::vector<GearSlot> slots;
};

// Every combination's damage: each slot filled in every way with as many
// items as it has worn (one when none is), against what it wears now.
std::vector<double> everyDamage(const List& list) {
    std::vector<double> all;
    std::vector<Ratings> change(list.slots.size());
    std::function<void(std::size_t)> fill = [&](std::size_t s) {
        if (s == list.slots.size()) {
            Ratings sum{};
            for (const Ratings& r : change) {
                for (std::size_t row = 0; row < sum.size(); ++row) {
                    sum[row] += r[row];
                }
            }
            all.push_back(damageByHand(
                addedByHand(list.panel.sheet, sum, *list.panel.discipline, list.panel.hasteMode)));
            return;
        }
        const GearSlot& slot = list.slots[s];
        const std::size_t n = slot.items.size();
        if (n == 0) {
            change[s] = {};
            fill(s + 1);
            return;
        }
        std::size_t places = 0;
        Ratings worn{};
        for (std::size_t i = 0; i < n; ++i) {
            if (slot.worn[i]) {
                ++places;
                for (std::size_t row = 0; row < worn.size(); ++row) {
                    worn[row] += slot.items[i][row];
                }
            }
        }
        places = std::max<std::size_t>(places, 1);
        for (unsigned mask = 0; mask < (1u << n); ++mask) {
            if (static_cast<std::size_t>(std::popcount(mask)) != places) {
                continue;
            }
            Ratings r{};
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t row = 0; (mask >> i & 1) && row < r.size(); ++row) {
                    r[row] += slot.items[i][row];
                }
            }
            for (std::size_t row = 0; row < r.size(); ++row) {
                change[s][row] = r[row] - worn[row];
            }
            fill(s + 1);
        }
    };
    fill(0);
    std::sort(all.begin(), all.end(), std::greater<>());
    return all;
}

// wide: critical rate and effect spread far across each slot's items, so
// that the crit × effect term's box is wide at the top of the search; 2: an
// item holds one of them, so that effect costs rate.
List randomList(std::mt19937& random, int mostSlots = 6, int mostItems = 5, int wide = 0) {
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    List list;
    // Sheets around, at and past every cap.
    list.panel.sheet = {static_cast<double>(pick(8000, 30000)),
                        static_cast<double>(pick(95, 115)),
                        static_cast<double>(pick(0, 80)),
                        static_cast<double>(pick(150, 260)),
                        static_cast<double>(pick(500, 5000)),
                        static_cast<double>(pick(20, 40)),
                        static_cast<double>(pick(0, 1) * pick(0, 20))};
    list.panel.hasteMode = list.panel.sheet.haste > 0 || pick(0, 1) == 1;
    list.panel.discipline = &kDisciplines[static_cast<std::size_t>(pick(0, 6))];
    const int slots = pick(1, mostSlots);
    for (int s = 0; s < slots; ++s) {
        GearSlot slot;
        const int items = pick(0, mostItems);                          // an empty slot now and then
        const int worn = items == 0 ? 0 : pick(0, std::min(2, items)); // two rings, or nothing worn
        for (int i = 0; i < items; ++i) {
            Ratings r{};
            for (double& rating : r) {
                rating = pick(0, 2) == 0 ? 0 : pick(-40, 900);
            }
            if (wide > 0) {
                r[3] = pick(0, 2700);
                r[4] = pick(0, 2700);
                r[static_cast<std::size_t>(pick(3, 4))] *= 2 - wide;
            }
            slot.items.push_back(r);
            slot.worn.push_back(i < worn);
        }
        list.slots.push_back(slot);
    }
    return list;
}

TEST(BestGear, TheTopTenAreTheBruteForcesTopTen) {
    std::mt19937 random(35);
    // The last rounds go deeper, with fewer items a slot: the planes of the
    // branches above then leave out most branches below; the very last
    // spread critical rate and effect wide, to be bounded in slabs of effect,
    // and in the last 150 an item holds one or the other.
    for (int round = 0; round < 2000; ++round) {
        const int wide = round < 1700 ? 0 : round < 1850 ? 1 : 2;
        const List list = round < 1500 ? randomList(random) : randomList(random, 11, 3, wide);
        const std::vector<double> every = everyDamage(list);
        BestGearSearch search(list.panel, list.slots);
        ASSERT_TRUE(search.run(1'000'000)) << round;
        EXPECT_EQ(search.accountedFor(), static_cast<double>(every.size())) << round;
        EXPECT_EQ(search.combinations(), static_cast<double>(every.size())) << round;
        const auto& best = search.best();
        ASSERT_EQ(best.size(), std::min<std::size_t>(10, every.size())) << round;
        const double now = damageByHand(list.panel.sheet);
        for (std::size_t rank = 0; rank < best.size(); ++rank) {
            // Rounding is relative to the damages compared, not to a rank's own,
            // which can be 0.
            EXPECT_NEAR(best[rank].damage, every[rank], 1e-9 * std::fabs(every.front()))
                << round << " #" << rank;
            EXPECT_NEAR(best[rank].change.percent, (every[rank] - now) / now * 100, 1e-7)
                << round << " #" << rank;
        }
    }
}

// A search stopped by its budget says how far it got and goes on to the same
// answer; a panel with no damage compares nothing.
TEST(BestGear, AStoppedSearchGoesOnToTheSameAnswer) {
    std::mt19937 random(2026);
    for (int round = 0; round < 200; ++round) {
        const List list = randomList(random);
        BestGearSearch whole(list.panel, list.slots);
        ASSERT_TRUE(whole.run(1'000'000));
        BestGearSearch steps(list.panel, list.slots);
        double before = -1;
        while (!steps.run(6)) { // the deepest list's depth: each run weighs or bounds something
            EXPECT_GT(steps.accountedFor(), before) << round;
            EXPECT_LT(steps.accountedFor(), steps.combinations()) << round;
            before = steps.accountedFor();
        }
        ASSERT_EQ(steps.best().size(), whole.best().size()) << round;
        for (std::size_t rank = 0; rank < whole.best().size(); ++rank) {
            EXPECT_EQ(steps.best()[rank].choice, whole.best()[rank].choice) << round;
        }
    }
    List idle = randomList(random);
    idle.panel.sheet.attack = 0;
    BestGearSearch none(idle.panel, idle.slots);
    EXPECT_FALSE(none.comparable());
    EXPECT_TRUE(none.run(1));
    EXPECT_TRUE(none.best().empty());
}

} // namespace
} // namespace velmora::testing
