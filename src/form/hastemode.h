// Haste mode: a test feature whose nine controls are shown only while it is
// on. The caption of Command3 is the only record of the mode; it names the
// mode that the next press selects.
#pragma once

#include "form/fieldstore.h"

#include <string_view>

namespace velmora {

inline constexpr std::string_view kHasteOffCaption = "加速版（测试中）";
inline constexpr std::string_view kHasteOnCaption = "无加速版";

// Shown and hidden together, in this order.
inline constexpr FieldId kHasteControls[] = {id("Label43"), id("Label44"), id("Label45"),
                                             id("Label46"), id("Text36"),  id("Text37"),
                                             id("Text38"),  id("Text39"),  id("Text40")};

inline bool hasteModeOn(const FieldStore& fields) {
    return fields.text(id("Command3")) != kHasteOffCaption;
}

} // namespace velmora
