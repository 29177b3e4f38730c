// 最佳组合's exact top 10 on 100 random lists of 12 slots × 8 candidates
// (6.9 × 10^10 combinations each) on sheets near the caps: the time of each
// whole search, its median, 90th percentile and slowest list. With "far":
// the worked example's panel, critical rate far below its cap, and items
// that each hold a primary attribute and two other ratings, as the page's
// test lists (their options move critical rate and effect far each way).
//   bestgear_bench [lists] [slots] [candidates] [far]
#include "calc/bestgear.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

namespace {

using velmora::GearSlot;
using velmora::MeasuredSheet;
using velmora::Ratings;

// Gear of one tier: each item two to four attributes of a few hundred rating.
GearSlot randomSlot(std::mt19937& random, int candidates, bool far) {
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    GearSlot slot;
    for (int i = 0; i < candidates; ++i) {
        Ratings r{};
        if (far) {
            r[0] = pick(0, 299);
            r[static_cast<std::size_t>(pick(2, 6))] = pick(150, 649);
            r[static_cast<std::size_t>(pick(2, 6))] += pick(150, 649);
        } else {
            r[static_cast<std::size_t>(pick(0, 1))] = pick(0, 1) == 0 ? pick(40, 120) : pick(150, 450);
            for (int extra = pick(1, 3); extra > 0; --extra) {
                r[static_cast<std::size_t>(pick(2, 6))] += pick(150, 650);
            }
        }
        slot.items.push_back(r);
        slot.worn.push_back(i == 0);
    }
    return slot;
}

MeasuredSheet randomPanel(std::mt19937& random, bool far) {
    if (far) {
        return {{15000, 105, 25, 180, 3000, 30, 0}, &velmora::kDisciplines[1], false};
    }
    const auto pick = [&](double low, double high) {
        return std::uniform_real_distribution(low, high)(random);
    };
    const double hit = pick(100, 110), strain = pick(28, 35);
    return {{pick(15000, 30000), hit, pick(hit + strain - 60, hit + strain - 40), pick(170, 230),
             pick(2000, 5000), strain, 0},
            &velmora::kDisciplines[1],
            false};
}

} // namespace

int main(int argc, char* argv[]) {
    const int lists = argc > 1 ? std::atoi(argv[1]) : 100;
    const int slotCount = argc > 2 ? std::atoi(argv[2]) : 12;
    const int candidates = argc > 3 ? std::atoi(argv[3]) : 8;
    const bool far = argc > 4 && std::string_view(argv[4]) == "far";
    std::mt19937 random(20261208);
    std::vector<std::pair<double, int>> times;
    for (int list = 0; list < lists; ++list) {
        const MeasuredSheet panel = randomPanel(random, far);
        std::vector<GearSlot> slots;
        for (int s = 0; s < slotCount; ++s) {
            slots.push_back(randomSlot(random, candidates, far));
        }
        const auto start = std::chrono::steady_clock::now();
        velmora::BestGearSearch search(panel, slots);
        const bool proven = search.run(UINT64_MAX);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!proven || search.best().size() != 10) {
            std::fprintf(stderr, "list %d: not proven\n", list);
            return 1;
        }
        times.push_back({ms, list});
    }
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) { return times[static_cast<std::size_t>(share * (times.size() - 1))]; };
    std::printf(
        "%d lists of %d slots x %d candidates%s: median %.2f ms, 90th percentile %.2f ms, slowest %.2f ms "
        "(list %d)\n",
        lists, slotCount, candidates, far ? " far" : "", at(0.5).first, at(0.9).first, times.back().first,
        times.back().second);
}
