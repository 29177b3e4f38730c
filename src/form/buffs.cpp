// Team buffs add their bonuses straight into the panel's percent fields and
// take them out again; nothing else records that a buff is on.
#include "form/checkednumbers.h"
#include "form/form.h"

namespace velmora {

void Form::Check1_Click() {
    applyBuff(id("Check1"), {{id("Text5"), 5}, {id("Text6"), 10}});
}

void Form::Check2_Click() {
    applyBuff(id("Check2"), {{id("Text4"), 1}, {id("Text8"), 3}});
}

void Form::Check3_Click() {
    applyBuff(id("Check3"), {{id("Text4"), 3}});
}

void Form::applyBuff(FieldId box, std::initializer_list<std::pair<FieldId, double>> changes) {
    run([&] {
        const int value = m_fields.value(box);
        if (value != 0 && value != 1) {
            return; // the greyed state, which nothing produces
        }
        for (const auto& [field, amount] : changes) {
            const double moved = value == 1 ? read(field) + amount : read(field) - amount;
            write(field, numberText(moved, Precision::Double));
        }
    });
}

} // namespace velmora
