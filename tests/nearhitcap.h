// The sheet near the hit cap worked by hand in the core's tests (纯阳·紫霞,
// hit 109 %, critical 25 %, strain 30 %) as a player types it into the panel.
#pragma once

#include <string_view>
#include <utility>

namespace velmora::testing {

inline constexpr std::pair<std::string_view, std::string_view> kNearTheHitCapPanel[] = {
    {"Text1", "3000"}, {"Text3", "20000"}, {"Text4", "109"}, {"Text5", "25"},
    {"Text6", "180"},  {"Text7", "2000"},  {"Text8", "30"},
};

} // namespace velmora::testing
