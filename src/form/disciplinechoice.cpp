#include "calc/disciplines.h"
#include "form/fields.h"
#include "form/form.h"

namespace velmora {

// Names the chosen discipline's primary attribute where the window shows
// it; nothing is recomputed until 计算 is pressed.
void Form::chooseDiscipline(FieldId option) {
    const Discipline* discipline = field::disciplineOf(option);
    run([&] {
        for (FieldId label : {field::primaryName, field::primaryGridName, field::primaryGain}) {
            write(label, std::string(discipline->primaryAttribute));
        }
    });
}

} // namespace velmora
