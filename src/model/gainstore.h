// The per-point gains of the last completed 计算, kept for 总收益.
#pragma once

#include "model/fields.h"
#include "model/gearinsight.h"

#include <array>
#include <string>

namespace velmora {

struct GainStore {
    // Primary attribute, attack, hit, critical, critical effect, overcome and
    // strain, each held as its 15-digit text.
    std::array<std::string, field::kAttributes - 1> texts;
    double haste = 0.0;
    // The sheet the gains were measured on, for the exact changes and curves.
    MeasuredSheet measured;
};

} // namespace velmora
