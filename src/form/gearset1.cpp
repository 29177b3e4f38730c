#include "form/gearset1.h"

#include "form/checkednumbers.h"
#include "form/form.h"

namespace velmora {

void Form::Command5_Click() {
    run([this] {
        if (captionIs(field::gearSet1Toggle, kSet1WornCaption)) {
            moveGearSet1(-1);
            write(field::gearSet1Toggle, std::string(kSet1OffCaption));
        } else if (captionIs(field::gearSet1Toggle, kSet1OffCaption)) {
            moveGearSet1(+1);
            write(field::gearSet1Toggle, std::string(kSet1WornCaption));
        }
    });
}

// The amounts are not remembered: a put-on reads the cells again, which the
// guard keeps unchanged while set 1 is off.
void Form::moveGearSet1(int direction) {
    for (std::size_t row = 0; row < field::kAttributes; ++row) {
        const double cell = read(field::kGearSet1.cells[row]);
        const double panel = read(field::kPanel[row]);
        const double divisor = kRatingPerPercent[row];
        const double amount = divisor == 1 ? cell : cell / divisor;
        const double moved = direction > 0 ? panel + amount : panel - amount;
        write(field::kPanel[row], numberText(moved, Precision::Double));
    }
    calculateAfterMove();
}

// Once set 1 has moved, it has moved: the caption must follow, or the cells
// could be edited while the set is off. A 计算 beyond the range is refused on
// its own, leaving the move and the previous results.
void Form::calculateAfterMove() {
    const std::vector<FieldState> moved = m_fields.snapshot();
    const std::optional<GainStore> gains = m_gains;
    const std::size_t boxes = m_boxes.size();
    try {
        calculate();
    } catch (const OutOfRange&) {
        m_fields.restore(moved);
        m_gains = gains;
        m_boxes.resize(boxes);
        refuseOutOfRange();
    }
}

// Entering a set-1 cell while the set is off puts it back on first, so the
// cells never change between a take-off and its put-on.
void Form::guardGearSet1() {
    run([this] {
        if (captionIs(field::gearSet1Toggle, kSet1OffCaption)) {
            warn("大侠先把衣服穿上，小心着凉（已帮您穿上）", "记得有脱必有穿");
            Command5_Click();
        }
    });
}

} // namespace velmora
