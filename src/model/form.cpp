#include "model/form.h"

#include "model/checkednumbers.h"
#include "model/gearset1.h"

namespace velmora {

namespace {
constexpr std::string_view kOutOfRangePrompt = "数值超出计算范围，请检查输入的数值。";
constexpr std::string_view kOutOfRangeTitle = "数值超出范围";
} // namespace

Form::Form(WarningSink& warnings) : m_warnings(warnings) {}

// Runs one press as a whole: either every change it makes stands, or, when a
// number leaves the range, none does and the user is told once. A handler
// that another handler calls runs inside the caller's press.
void Form::run(const std::function<void()>& body) {
    if (m_running) {
        body();
        return;
    }
    m_running = true;
    m_fields.begin();
    std::optional<GainStore> gainsBefore = m_gains;
    try {
        body();
        m_running = false;
        m_fields.commit();
    } catch (const OutOfRange&) {
        m_running = false;
        m_fields.rollback();
        m_gains = std::move(gainsBefore);
        m_warnings.warn(kOutOfRangePrompt, kOutOfRangeTitle);
    }
}

double Form::read(FieldId field) const {
    return readNumber(m_fields.text(field));
}

void Form::type(FieldId field, std::string text) {
    if (kControls[field].kind == Kind::TextBox && m_fields.visible(field)) {
        m_fields.setText(field, std::move(text));
    }
}

void Form::click(FieldId field) {
    if (!m_fields.visible(field)) {
        return;
    }
    switch (kControls[field].kind) {
    case Kind::OptionButton:
        run([&] {
            selectOption(field);
            Option_Click(field);
        });
        break;
    case Kind::CheckBox:
        run([&] {
            m_fields.setValue(field, m_fields.value(field) == 0 ? 1 : 0);
            if (field == id("Check1")) {
                Check1_Click();
            } else if (field == id("Check2")) {
                Check2_Click();
            } else {
                Check3_Click();
            }
        });
        break;
    case Kind::CommandButton:
        if (field == id("Command1")) {
            Command1_Click();
        } else if (field == id("Command2")) {
            Command2_Click();
        } else if (field == id("Command3")) {
            Command3_Click();
        } else if (field == id("Command5")) {
            Command5_Click();
        }
        // Command4 opens the help window, which lives in the view alone.
        break;
    default:
        break;
    }
}

void Form::enter(FieldId field) {
    if (m_fields.visible(field) && isGearSet1Cell(field)) {
        Set1Cell_GotFocus();
    }
}

void Form::selectOption(FieldId option) {
    // Options form one group per frame: selecting one deselects the others.
    const std::string_view frame = kControls[option].container;
    for (FieldId other = 0; other < kControlCount; ++other) {
        if (kControls[other].kind == Kind::OptionButton && kControls[other].container == frame) {
            m_fields.setValue(other, other == option ? 1 : 0);
        }
    }
}

} // namespace velmora
