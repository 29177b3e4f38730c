#include "view/bestgeartext.h"

#include "form/numbertext.h"
#include "view/gearinsight.h"

#include <cmath>

namespace velmora {

namespace {

std::string nameOf(const GearItem& item) {
    return item.name.empty() ? "（未命名）" : item.name;
}

// The items of one slot in a combination, by name: "甲、乙", or "无".
std::string namesIn(const GearList& list, const SlotsOfList& slots, std::size_t slot,
                    const std::vector<std::size_t>& chosen) {
    if (chosen.empty()) {
        return "无";
    }
    std::string names;
    for (const std::size_t item : chosen) {
        names += (names.empty() ? "" : "、") + nameOf(list.items[slots.items[slot][item]]);
    }
    return names;
}

std::string swapsOf(const GearList& list, const SlotsOfList& slots, const Choice& worn,
                    const Choice& choice) {
    std::string swaps;
    for (std::size_t slot = 0; slot < slots.names.size(); ++slot) {
        if (choice[slot] != worn[slot]) {
            swaps += (swaps.empty() ? "" : "；") + slots.names[slot] + "：" +
                     namesIn(list, slots, slot, worn[slot]) + " → " +
                     namesIn(list, slots, slot, choice[slot]);
        }
    }
    return swaps.empty() ? std::string(kNoSwap) : swaps;
}

std::string statusOf(const BestGearSearch& search) {
    if (!search.comparable()) {
        return std::string(kNoDamage);
    }
    if (search.proven()) {
        return "已比较全部 " + combinationsText(search.combinations()) + " 种组合，下面是其中最好的";
    }
    const double share = std::floor(search.accountedFor() / search.combinations() * 1000) / 10;
    return "已比较 " + NumberToText(share, Precision::Double) + " % 的组合（共 " +
           combinationsText(search.combinations()) + " 种），下面是目前找到的最好组合，尚未证明是最佳";
}

} // namespace

std::string combinationsText(double count) {
    if (count < 100000) {
        return NumberToText(count, Precision::Double);
    }
    int exponent = static_cast<int>(std::floor(std::log10(count)));
    double mantissa = std::round(count / std::pow(10, exponent) * 10) / 10;
    if (mantissa >= 10) {
        mantissa /= 10;
        ++exponent;
    }
    static constexpr const char* kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string power;
    for (const char digit : std::to_string(exponent)) {
        power += kSuperscripts[digit - '0'];
    }
    return NumberToText(mantissa, Precision::Double) + "×10" + power;
}

BestGearShown bestGearShown(const GearCandidates& candidates, const std::optional<GainStore>& panel) {
    const GearList& list = candidates.list();
    BestGearShown shown;
    const SlotsOfList slots = slotsOf(list);
    shown.list = list.items.empty() ? "尚未读入装备列表"
                                    : "已读入 " + std::to_string(slots.names.size()) + " 个部位、" +
                                          std::to_string(list.items.size()) + " 件装备";
    shown.canStart = !list.items.empty() && panel.has_value();
    if (list.items.empty()) {
        shown.status = candidates.addressUnreadable()
                           ? "网址中的装备列表无法读入，请重新填入装备，再按“读入列表”。"
                           : "请在列表中填入装备，再按“读入列表”。";
    } else if (!panel) {
        shown.status = "请先在主窗口按“计算”，再比较。";
    } else if (candidates.search() == nullptr) {
        shown.status = "按“开始比较”，在全部组合中找出最好的。";
    } else if (!candidates.answers(panel)) {
        shown.status = "面板已变，请按“开始比较”重新比较。";
    } else {
        const GearCandidates::State state = candidates.state();
        BestGearAnswer answer = bestGearAnswer(list, *candidates.search(), candidates.lineGains());
        shown.status = (state == GearCandidates::State::Running   ? "正在比较："
                        : state == GearCandidates::State::Stopped ? "已停止："
                                                                  : "") +
                       answer.status;
        shown.rows = std::move(answer.rows);
        shown.straightLine = std::move(answer.straightLine);
        shown.running = state == GearCandidates::State::Running;
        shown.canStop = shown.running;
        shown.canContinue = state == GearCandidates::State::Stopped;
    }
    return shown;
}

BestGearAnswer bestGearAnswer(const GearList& list, const BestGearSearch& search, const Ratings& gains) {
    BestGearAnswer answer;
    answer.status = statusOf(search);
    answer.proven = search.proven() && search.comparable();
    const SlotsOfList slots = slotsOf(list);
    const Choice& worn = search.wornNow().choice;
    const auto& best = search.best();
    for (std::size_t rank = 0; rank < best.size(); ++rank) {
        BestGearRow row;
        row.change = percentText(best[rank].change.percent);
        row.swaps = swapsOf(list, slots, worn, best[rank].choice);
        row.swallowed = swallowedText(best[rank].change);
        row.nearBest = best[0].change.percent - best[rank].change.percent <= kNearBestPercent;
        row.line = "第 " + std::to_string(rank + 1) + " 名 " + row.change +
                   (rank > 0 && row.nearBest ? "（与最佳相差不足 0.1 %）" : "") + "：" + row.swaps +
                   (row.swallowed.empty() ? "" : "（" + row.swallowed + "）");
        answer.rows.push_back(std::move(row));
    }
    if (search.comparable() && !best.empty()) {
        const FoundCombination pick = search.straightLinePick(gains);
        answer.straightLine = "按“计算”每点收益的直线挑选：" + swapsOf(list, slots, worn, pick.choice) + " " +
                              percentText(pick.change.percent);
        if (answer.proven) {
            std::string cost = percentText(best[0].change.percent - pick.change.percent);
            if (cost.front() == '+') {
                cost.erase(0, 1);
            }
            answer.straightLine += pick.choice == best[0].choice ? "，正是最佳组合" : "，比最佳少 " + cost;
        }
    }
    return answer;
}

} // namespace velmora
