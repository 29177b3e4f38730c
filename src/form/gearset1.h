// Gear set 1 is what the character wears: one button takes its attributes
// off the panel and puts them back on.
#pragma once

#include "form/fields.h"

#include <string_view>

namespace velmora {

inline constexpr std::string_view kSet1WornCaption = "脱第一套装备";
inline constexpr std::string_view kSet1OffCaption = "穿第一套装备";

// Rating per percentage point of each row, in the panel's order; 1 where the
// panel holds the rating itself. Strain rating divides by 45 like hit and
// critical (kTakeOffStrainRating). Set 1's cells move the panel row by row,
// in this order.
inline constexpr double kRatingPerPercent[] = {1,
                                               1,
                                               kModelHitRating,
                                               kModelCriticalRating,
                                               kModelCriticalEffectRating,
                                               1,
                                               kTakeOffStrainRating,
                                               kModelHasteRating};
static_assert(std::size(kRatingPerPercent) == field::kAttributes);

} // namespace velmora
