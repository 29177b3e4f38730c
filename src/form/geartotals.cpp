// 总收益: each gear set's total gain, its cells weighted by the gains of the
// last completed 计算.
#include "form/checkednumbers.h"
#include "form/fields.h"
#include "form/form.h"
#include "form/gearset1.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace velmora {

namespace {

// 总收益 checks that the panel is filled; haste may be left at 0.
constexpr std::array<FieldId, field::kAttributes - 1> guardedPanel() {
    std::array<FieldId, field::kAttributes - 1> panel{};
    std::copy(std::begin(field::kPanel), std::end(field::kPanel) - 1, panel.begin());
    return panel;
}

} // namespace

void Form::Command2_Click() {
    run([this] {
        // The panel values serve this check alone; the totals see the panel
        // only through the gains. A product that overflows is not 0: the
        // panel is filled.
        double product = 1;
        bool anyZero = false;
        for (FieldId box : guardedPanel()) {
            const double value = read(box);
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
        std::array<double, std::tuple_size_v<decltype(m_gains->texts)>> entries{};
        for (std::size_t row = 0; row < entries.size(); ++row) {
            entries[row] = readStrict(m_gains->texts[row]);
        }
        std::vector<Ratings> sets;
        std::vector<double> totals;
        for (const field::GearSetColumn& set : field::kGearSets) {
            std::array<double, field::kAttributes> cells{};
            for (std::size_t row = 0; row < cells.size(); ++row) {
                // A cell enters the sum at the 15 digits its text form keeps.
                cells[row] = readStrict(numberText(read(set.cells[row]), Precision::Double));
            }
            sets.push_back(cells);
            double sum = entries[0] * cells[0];
            for (std::size_t row = 1; row < entries.size(); ++row) {
                sum = sum + entries[row] * cells[row];
            }
            const double total = sum + m_gains->haste * cells.back();
            write(set.total, numberText(total, Precision::Double));
            totals.push_back(total);
        }
        std::vector<std::string> names;
        for (const field::GearSetColumn& set : field::kGearSets) {
            names.push_back(m_fields.text(set.heading));
        }
        m_setComparison = SetComparison{m_gains->measured, std::move(sets),
                                        captionIs(field::gearSet1Toggle, kSet1WornCaption), std::move(names),
                                        std::move(totals)};
    });
}

} // namespace velmora
