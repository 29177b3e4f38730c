// 总收益: each gear set's total gain, its cells weighted by the gains of the
// last completed 计算.
#include "model/checkednumbers.h"
#include "model/form.h"

namespace velmora {

namespace {

struct GearSetColumn {
    FieldId cells[8]; // primary attribute, attack, hit, critical, critical effect, overcome, strain, haste
    FieldId total;
};

// clang-format off
constexpr GearSetColumn kGearSets[] = {
    {{id("Text2"),  id("Text9"),  id("Text10"), id("Text11"), id("Text12"), id("Text13"), id("Text14"), id("Text37")}, id("Label28")},
    {{id("Text15"), id("Text16"), id("Text17"), id("Text18"), id("Text19"), id("Text20"), id("Text21"), id("Text38")}, id("Label30")},
    {{id("Text22"), id("Text23"), id("Text24"), id("Text25"), id("Text26"), id("Text27"), id("Text28"), id("Text39")}, id("Label32")},
    {{id("Text29"), id("Text30"), id("Text31"), id("Text32"), id("Text33"), id("Text34"), id("Text35"), id("Text40")}, id("Label34")},
};
// clang-format on

constexpr FieldId kGuardedPanel[] = {id("Text3"), id("Text4"), id("Text5"), id("Text6"),
                                     id("Text7"), id("Text8"), id("Text1")};

} // namespace

void Form::Command2_Click() {
    run([this] {
        // The panel values serve this check alone; the totals see the panel
        // only through the gains. A product that overflows is not 0: the
        // panel is filled.
        double product = 1;
        bool anyZero = false;
        for (FieldId field : kGuardedPanel) {
            const double value = read(field);
            anyZero = anyZero || value == 0;
            product = product * value;
        }
        if (anyZero || product == 0) {
            warn("大侠，你的面板属性呢？", "请完善面板属性");
            return;
        }
        if (!m_gains) {
            warn("请先点[计算]，再比较装备的总收益。", "尚未计算");
            return;
        }
        double entries[7];
        for (std::size_t row = 0; row < 7; ++row) {
            entries[row] = readStrict(m_gains->texts[row]);
        }
        for (const GearSetColumn& set : kGearSets) {
            double cells[8];
            for (std::size_t row = 0; row < 8; ++row) {
                // A cell enters the sum at the 15 digits its text form keeps.
                cells[row] = readStrict(numberText(read(set.cells[row]), Precision::Double));
            }
            double sum = entries[0] * cells[0];
            for (std::size_t row = 1; row < 7; ++row) {
                sum = sum + entries[row] * cells[row];
            }
            const double total = sum + m_gains->haste * cells[7];
            write(set.total, numberText(total, Precision::Double));
        }
    });
}

} // namespace velmora
