// What the presses keep for later: the per-point gains of the last completed
// 计算, kept for 总收益, and what the last 总收益 compared.
#pragma once

#include "calc/gearchange.h"
#include "form/fields.h"

#include <array>
#include <string>
#include <vector>

namespace velmora {

struct GainStore {
    // Primary attribute, attack, hit, critical, critical effect, overcome and
    // strain, each held as its 15-digit text.
    std::array<std::string, field::kAttributes - 1> texts;
    double haste = 0.0;
    // The sheet the gains were measured on, for the exact changes and curves.
    MeasuredSheet measured;
};

// The sets as 总收益 read them, on the sheet of the 计算 it used.
struct SetComparison {
    MeasuredSheet measured;
    std::vector<Ratings> sets;      // every set's cells, set 1 first
    bool set1Worn = true;           // the panel holds set 1
    std::vector<std::string> names; // the sets' headings: "第一套", …
    std::vector<double> totals;     // their 总收益 totals
};

} // namespace velmora
