// Gear set 1 is what the character wears: one button takes its attributes
// off the panel and puts them back on.
#pragma once

#include "model/controls.h"

#include <string_view>

namespace velmora {

inline constexpr std::string_view kSet1WornCaption = "脱第一套装备";
inline constexpr std::string_view kSet1OffCaption = "穿第一套装备";

struct GearSet1Row {
    FieldId cell;   // the set-1 cell of the gear-test grid, a rating
    FieldId panel;  // the panel field it moves
    double divisor; // rating per percentage point; 1 where the panel holds the rating itself
};

// Processed in this order. Strain rating divides by 45 like hit and critical.
inline constexpr GearSet1Row kGearSet1Rows[] = {
    {id("Text2"), id("Text1"), 1},   {id("Text9"), id("Text3"), 1},       {id("Text10"), id("Text4"), 45},
    {id("Text11"), id("Text5"), 45}, {id("Text12"), id("Text6"), 18},     {id("Text13"), id("Text7"), 1},
    {id("Text14"), id("Text8"), 45}, {id("Text37"), id("Text36"), 54.78},
};

} // namespace velmora
