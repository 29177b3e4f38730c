#include "form/hastemode.h"

#include "form/fields.h"
#include "form/form.h"

namespace velmora {

void Form::Command3_Click() {
    run([this] {
        if (captionIs(field::hasteToggle, kHasteOffCaption)) {
            for (FieldId control : kHasteControls) {
                m_fields.setVisible(control, true);
            }
            write(field::hasteToggle, std::string(kHasteOnCaption));
        } else if (captionIs(field::hasteToggle, kHasteOnCaption)) {
            // Back to the start values, so that the hidden haste boxes add
            // nothing to 总收益 or to a take-off of gear set 1.
            for (FieldId box : field::kHasteBoxes) {
                write(box, std::string(kControls[box].text));
            }
            for (FieldId control : kHasteControls) {
                m_fields.setVisible(control, false);
            }
            write(field::hasteToggle, std::string(kHasteOffCaption));
        }
    });
}

} // namespace velmora
