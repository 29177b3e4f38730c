#include "model/hastemode.h"

#include "model/form.h"

namespace velmora {

void Form::Command3_Click() {
    run([this] {
        if (captionIs(id("Command3"), kHasteOffCaption)) {
            for (FieldId control : kHasteControls) {
                m_fields.setVisible(control, true);
            }
            write(id("Command3"), std::string(kHasteOnCaption));
        } else if (captionIs(id("Command3"), kHasteOnCaption)) {
            // Back to the start values, so that the hidden haste boxes add
            // nothing to 总收益 or to a take-off of gear set 1.
            write(id("Text36"), "0");
            write(id("Text37"), "0");
            for (FieldId box : {id("Text38"), id("Text39"), id("Text40")}) {
                write(box, "");
            }
            for (FieldId control : kHasteControls) {
                m_fields.setVisible(control, false);
            }
            write(id("Command3"), std::string(kHasteOffCaption));
        }
    });
}

} // namespace velmora
