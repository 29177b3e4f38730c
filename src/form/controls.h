// Every control of the main window, in one table: the window is built from
// it, the field model starts from it, and handlers find their fields in it.
#pragma once

#include "form/controldesign.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace velmora {

using FieldId = std::size_t; // a row of kControls

constexpr Shown kHidden = Shown::No;
constexpr Sizing kFits = Sizing::Fits;
constexpr Sizing kFixed = Sizing::Fixed;

template <typename... Args> constexpr ControlDesign heading(Args... args) {
    return withRole(label(args...), LabelRole::Heading);
}
template <typename... Args> constexpr ControlDesign unit(Args... args) {
    return withRole(label(args...), LabelRole::Unit);
}
template <typename... Args> constexpr ControlDesign result(Args... args) {
    return withRole(label(args...), LabelRole::Result);
}
template <typename... Args> constexpr ControlDesign note(Args... args) {
    return withRole(label(args...), LabelRole::Note);
}

// clang-format off
inline constexpr ControlDesign kControls[] = {
    window("Form1", "Velmorav1.1", 8760, 8145),

    frame("Frame1", "面板属性", 2160, 120, 3975, 3375),
    frame("Frame6", "心法选择", 240, 120, 1815, 3375),
    frame("Frame5", "属性判定", 6240, 120, 2295, 1815),
    frame("Frame3", "团队增益", 6240, 2040, 2295, 4215),
    frame("Frame2", "配装测试", 240, 3600, 5895, 4455),
    frame("Frame4", "说明", 6240, 6360, 2295, 1695),

    // The panel: name, input box, unit for percent rows, and the gain column.
    label("Label1",  "Frame1", "基础属性", 120, 360, 810, 180, kFits),
    textBox("Text1", "Frame1", "0", "此处填入根骨/元气", 960, 360, 1095),
    result("Label14", "Frame1", "基础属性", 2760, 360, 1095, 180, kFits, kHidden),
    label("Label3",  "Frame1", "内功攻击", 120, 720, 810, 180, kFits),
    textBox("Text3", "Frame1", "0", "此处填入面板攻击", 960, 720, 1095),
    result("Label15", "Frame1", "内功攻击", 2760, 720, 1095, 180, kFits),
    label("Label4",  "Frame1", "命中率", 120, 1080, 810, 180, kFits),
    textBox("Text4", "Frame1", "0", "此处填入命中率，仅填数值，无需%", 960, 1080, 855),
    unit("Label11", "Frame1", "%", 1920, 1080, 180, 180, kFits),
    result("Label16", "Frame1", "命中", 2760, 1080, 1095, 180, kFits),
    label("Label5",  "Frame1", "会心率", 120, 1440, 810, 180, kFits),
    textBox("Text5", "Frame1", "0", "此处填入会心率，仅填数值，无需%", 960, 1440, 855),
    unit("Label9", "Frame1", "%", 1920, 1440, 180, 180, kFits),
    result("Label18", "Frame1", "会心", 2760, 1440, 1095, 180, kFits),
    label("Label6",  "Frame1", "会效", 120, 1800, 810, 180, kFits),
    textBox("Text6", "Frame1", "0", "此处填入会效，仅填数值，无需%", 960, 1800, 855),
    unit("Label10", "Frame1", "%", 1920, 1800, 180, 180, kFits),
    result("Label19", "Frame1", "会效", 2760, 1800, 1095, 180, kFits),
    label("Label7",  "Frame1", "破防", 120, 2160, 810, 180, kFits),
    textBox("Text7", "Frame1", "0", "此处填入破防", 960, 2160, 1095),
    result("Label20", "Frame1", "破防", 2760, 2160, 1095, 180, kFits),
    label("Label8",  "Frame1", "无双", 120, 2520, 810, 180, kFits),
    textBox("Text8", "Frame1", "0", "此处填入无双，仅填数值，无需%", 960, 2520, 855),
    unit("Label12", "Frame1", "%", 1920, 2520, 180, 180, kFits),
    result("Label21", "Frame1", "无双", 2760, 2520, 1095, 180, kFits),
    label("Label43", "Frame1", "加速", 120, 2880, 810, 180, kFits, kHidden),
    textBox("Text36", "Frame1", "0", "", 960, 2880, 855, kHidden),
    unit("Label44", "Frame1", "%", 1920, 2880, 180, 180, kFits, kHidden),
    result("Label45", "Frame1", "加速", 2760, 2880, 1095, 180, kFits, kHidden),
    heading("Label13", "Frame1", "每一点相应属性的收益", 2160, 720, 375, 2055, kFixed),

    // The discipline choice and 计算.
    option("Option1", "Frame6", "七秀·冰心", 120, 360, 1335),
    option("Option2", "Frame6", "纯阳·紫霞", 120, 720, 1335),
    option("Option3", "Frame6", "五毒·毒经", 120, 1080, 1215),
    option("Option4", "Frame6", "少林·易筋", 120, 1440, 1335),
    option("Option5", "Frame6", "万花·花间", 120, 1800, 1215),
    option("Option6", "Frame6", "明教·焚影", 120, 2160, 1335),
    option("Option7", "Frame6", "唐门·天罗", 120, 2520, 1215),
    button("Command1", "Frame6", "计算", "", 120, 2880, 1215, 375),

    // The judgement rows: a fixed name and the result that 计算 writes.
    label("Label60", "Frame5", "命中判定", 240, 360, 720, 180, kFits),
    result("Label64", "Frame5", "命中判定", 1320, 360, 720, 180, kFits),
    label("Label61", "Frame5", "无双判定", 240, 720, 720, 180, kFits),
    result("Label65", "Frame5", "无双判定", 1320, 720, 720, 180, kFits),
    label("Label62", "Frame5", "会心判定", 240, 1080, 720, 180, kFits),
    result("Label66", "Frame5", "会心判定", 1320, 1080, 720, 180, kFits),
    label("Label63", "Frame5", "破防换算", 240, 1440, 720, 180, kFits),
    result("Label67", "Frame5", "破防换算", 1320, 1440, 720, 180, kFits),

    // Team buffs; the formation options have no data yet and stay hidden.
    option("Option8", "Frame3", "和尚阵", 240, 360, 1215, kHidden),
    option("Option9", "Frame3", "气纯阵", 240, 720, 1215, kHidden),
    option("Option10", "Frame3", "毒经阵", 240, 1080, 1215, kHidden),
    option("Option11", "Frame3", "花间阵", 240, 1440, 1215, kHidden),
    note("Label41", "Frame3", "内功阵法数据尚未统计，敬请期待下一版本！", 120, 720, 2055, 495, kFixed),
    checkBox("Check1", "Frame3", "破苍穹(无双倍)", 240, 1800, 1815),
    checkBox("Check2", "Frame3", "帮会桌子", 240, 2160, 1335),
    checkBox("Check3", "Frame3", "命中阵", 240, 2520, 1095),
    button("Command6", "Frame3", "实际提升与收益曲线", "每套装备实际带来多少伤害，各属性的收益到哪里为止", 120, 3000, 2055, 375),
    button("Command7", "Frame3", "最佳组合", "从每个部位的候选装备中找出伤害最高的组合", 120, 3480, 2055, 375),

    // Help, haste mode and gear set 1.
    button("Command4", "Frame4", "详细说明", "点击此处可查看详细说明", 120, 240, 2055, 375),
    button("Command3", "Frame4", "加速版（测试中）", "点击可切换是否有加速选项", 120, 720, 2055, 375),
    button("Command5", "Frame4", "脱第一套装备", "请重新点一次总收益", 120, 1200, 2055, 375),

    // The gear-test grid: four sets in columns, ratings as shown on items.
    heading("Label27", "Frame2", "第一套", 1440, 360, 540, 180, kFits),
    heading("Label29", "Frame2", "第二套", 2520, 360, 540, 180, kFits),
    heading("Label31", "Frame2", "第三套", 3600, 360, 540, 180, kFits),
    heading("Label33", "Frame2", "第四套", 4680, 360, 540, 180, kFits),
    label("Label2",  "Frame2", "根骨/元气", 240, 720, 975, 180, kFits),
    textBox("Text2",  "Frame2", "0", "", 1320, 720, 855),
    textBox("Text15", "Frame2", "", "", 2400, 720, 855),
    textBox("Text22", "Frame2", "", "", 3480, 720, 855),
    textBox("Text29", "Frame2", "", "", 4560, 720, 855),
    label("Label17", "Frame2", "内功攻击", 240, 1080, 975, 180, kFits),
    textBox("Text9",  "Frame2", "0", "", 1320, 1080, 855),
    textBox("Text16", "Frame2", "", "", 2400, 1080, 855),
    textBox("Text23", "Frame2", "", "", 3480, 1080, 855),
    textBox("Text30", "Frame2", "", "", 4560, 1080, 855),
    label("Label22", "Frame2", "命中等级", 240, 1440, 975, 180, kFits),
    textBox("Text10", "Frame2", "0", "", 1320, 1440, 855),
    textBox("Text17", "Frame2", "", "", 2400, 1440, 855),
    textBox("Text24", "Frame2", "", "", 3480, 1440, 855),
    textBox("Text31", "Frame2", "", "", 4560, 1440, 855),
    label("Label23", "Frame2", "会心等级", 240, 1800, 975, 180, kFits),
    textBox("Text11", "Frame2", "0", "", 1320, 1800, 855),
    textBox("Text18", "Frame2", "", "", 2400, 1800, 855),
    textBox("Text25", "Frame2", "", "", 3480, 1800, 855),
    textBox("Text32", "Frame2", "", "", 4560, 1800, 855),
    label("Label24", "Frame2", "会效等级", 240, 2160, 975, 180, kFits),
    textBox("Text12", "Frame2", "0", "", 1320, 2160, 855),
    textBox("Text19", "Frame2", "", "", 2400, 2160, 855),
    textBox("Text26", "Frame2", "", "", 3480, 2160, 855),
    textBox("Text33", "Frame2", "", "", 4560, 2160, 855),
    label("Label25", "Frame2", "破防", 240, 2520, 975, 180, kFits),
    textBox("Text13", "Frame2", "0", "", 1320, 2520, 855),
    textBox("Text20", "Frame2", "", "", 2400, 2520, 855),
    textBox("Text27", "Frame2", "", "", 3480, 2520, 855),
    textBox("Text34", "Frame2", "", "", 4560, 2520, 855),
    label("Label26", "Frame2", "无双等级", 240, 2880, 975, 180, kFits),
    textBox("Text14", "Frame2", "0", "", 1320, 2880, 855),
    textBox("Text21", "Frame2", "", "", 2400, 2880, 855),
    textBox("Text28", "Frame2", "", "", 3480, 2880, 855),
    textBox("Text35", "Frame2", "", "", 4560, 2880, 855),
    label("Label46", "Frame2", "加速等级", 240, 3240, 975, 180, kFits, kHidden),
    textBox("Text37", "Frame2", "0", "", 1320, 3240, 855, kHidden),
    textBox("Text38", "Frame2", "", "", 2400, 3240, 855, kHidden),
    textBox("Text39", "Frame2", "", "", 3480, 3240, 855, kHidden),
    textBox("Text40", "Frame2", "", "", 4560, 3240, 855, kHidden),
    button("Command2", "Frame2", "总收益", "", 240, 3600, 855, 375),
    result("Label28", "Frame2", "第一套", 1320, 3600, 855, 255, kFixed),
    result("Label30", "Frame2", "第二套", 2400, 3600, 855, 255, kFixed),
    result("Label32", "Frame2", "第三套", 3480, 3600, 855, 255, kFixed),
    result("Label34", "Frame2", "第四套", 4560, 3600, 855, 255, kFixed),
    note("Label42", "Frame2", "2013.06.27更新　感谢试用并反馈结果的各位侠士", 600, 4080, 5175, 255, kFixed),
};
// clang-format on

inline constexpr std::size_t kControlCount = std::size(kControls);

// The keyboard's tab chain, first to last: the panel top to bottom, the
// disciplines, the grid set by set with 总收益 after set 1, the buffs, 计算,
// the haste boxes, then the buttons of 说明.
// clang-format off
inline constexpr std::string_view kTabOrder[] = {
    "Text1", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Option1",
    "Option2", "Option3", "Option4", "Option5", "Option6", "Option7", "Text2", "Text9",
    "Text10", "Text11", "Text12", "Text13", "Text14", "Command2", "Text15", "Text16",
    "Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23", "Text24",
    "Text25", "Text26", "Text27", "Text28", "Text29", "Text30", "Text31", "Text32",
    "Text33", "Text34", "Text35", "Check1", "Check2", "Check3", "Command6", "Command7", "Command1", "Text36",
    "Text37", "Text38", "Text39", "Text40", "Command3", "Command4", "Command5",
};
// clang-format on

// Finds a control by name when the program is compiled: a misspelt name is a
// compile error, so handlers can name their fields as the window does.
consteval FieldId id(std::string_view name) {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (kControls[i].name == name) {
            return i;
        }
    }
    throw "no control of this name";
}

// A control's place in the tab chain, from 1; 0 when it is no tab stop.
constexpr int tabPlaceOf(FieldId field) {
    for (std::size_t place = 0; place < std::size(kTabOrder); ++place) {
        if (kTabOrder[place] == kControls[field].name) {
            return static_cast<int>(place) + 1;
        }
    }
    return 0;
}

// Every box and button a player acts on is reached by Tab (the formation
// options, hidden for good, are no stops).
constexpr bool everyControlInUseIsATabStop() {
    for (FieldId field = 0; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        const bool acted = design.kind == Kind::TextBox || design.kind == Kind::CommandButton ||
                           design.kind == Kind::CheckBox ||
                           (design.kind == Kind::OptionButton && design.shown == Shown::Yes);
        if (acted && tabPlaceOf(field) == 0) {
            return false;
        }
    }
    return true;
}
static_assert(everyControlInUseIsATabStop());

// The same lookup at run time, for names that come from outside.
constexpr bool findControl(std::string_view name, FieldId& found) {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (kControls[i].name == name) {
            found = i;
            return true;
        }
    }
    return false;
}

// What is thrown for a control that the window does not have: a fault in
// the program, never read as the window.
struct NoSuchControl {};

// The lookup of a name that the program itself wrote.
constexpr FieldId controlNamed(std::string_view name) {
    FieldId found = 0;
    if (!findControl(name, found)) {
        throw NoSuchControl{};
    }
    return found;
}

} // namespace velmora
