#include "form/form.h"

#include "form/boxtext.h"
#include "form/checkednumbers.h"
#include "form/gearset1.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr std::string_view kOutOfRangePrompt = "数值超出计算范围，请检查输入的数值。";
constexpr std::string_view kOutOfRangeTitle = "数值超出范围";
} // namespace

Form::Form(WarningSink& warnings) : m_warnings(warnings) {}

// Runs one press as a whole: either every change it makes stands, or, when a
// number leaves the range, none does and the user is told once. A handler
// that another handler calls runs inside the caller's press.
void Form::run(const std::function<void()>& body, FieldId button) {
    if (m_running) {
        body();
        return;
    }
    m_running = true;
    m_pressedButton = button;
    m_fields.begin();
    std::optional<GainStore> gainsBefore = m_gains;
    std::optional<SetComparison> changesBefore = m_setComparison;
    try {
        body();
    } catch (const OutOfRange&) {
        m_fields.rollback();
        m_fields.begin();
        m_gains = std::move(gainsBefore);
        m_setComparison = std::move(changesBefore);
        m_boxes.clear();
        refuseOutOfRange();
    } catch (...) {
        // Anything else (out of memory) still leaves no half-written press.
        m_fields.rollback();
        m_gains = std::move(gainsBefore);
        m_setComparison = std::move(changesBefore);
        m_boxes.clear();
        m_running = false;
        throw;
    }
    showBoxOrEnd();
}

// The press stays running while its boxes are up, so that nothing the user
// does meanwhile runs inside it.
void Form::showBoxOrEnd() {
    if (m_boxes.empty()) {
        endPress();
        return;
    }
    try {
        const WarningBox box = m_boxes.front();
        m_warnings.warn(box.prompt, box.title);
    } catch (...) {
        m_boxes.clear();
        endPress();
        throw;
    }
    if (m_warnings.dismissesAtOnce()) {
        dismissBox();
    }
}

void Form::dismissBox() {
    if (m_boxes.empty()) {
        return;
    }
    m_announcedPress = kControlCount;
    m_boxes.pop_front();
    showBoxOrEnd();
}

std::optional<WarningBox> Form::boxUp() const {
    if (m_boxes.empty()) {
        return std::nullopt;
    }
    return m_boxes.front();
}

void Form::endPress() {
    ++m_insightRevision; // a press may have written gains or exact changes
    bool resultChanged = false;
    for (FieldId result = 0; result < kControlCount; ++result) {
        resultChanged = resultChanged || (kControls[result].role == LabelRole::Result &&
                                          !(m_fields.shown(result) == m_fields.state(result)));
    }
    m_pressRecaptioned = m_pressedButton < kControlCount &&
                         m_fields.shown(m_pressedButton).text != m_fields.state(m_pressedButton).text;
    m_running = false;
    m_fields.commit();
    if (resultChanged || m_pressRecaptioned) {
        m_announcedPress = m_pressedButton;
    }
    if (m_inputsToOpen) {
        const std::string shared = std::move(*m_inputsToOpen);
        m_inputsToOpen.reset();
        openInputs(shared);
    }
}

void Form::openInputs(std::string_view shared) {
    if (m_running) {
        m_inputsToOpen = std::string(shared);
        return;
    }
    m_announcedPress = kControlCount;
    startOver();
    restoreInputs(shared);
    m_warnings.inputsOpened();
}

void Form::startOver() {
    m_fields.restore(FieldStore().snapshot());
    m_gearListAddress.clear();
    m_gains.reset();
    m_setComparison.reset();
    ++m_insightRevision;
}

void Form::chooseCurveRange(std::size_t range) {
    m_curveRange = std::min(range, kCurveRanges.size() - 1);
    ++m_insightRevision;
}

void Form::refuseOutOfRange() {
    warn(kOutOfRangePrompt, kOutOfRangeTitle);
}

double Form::read(FieldId field) const {
    return readNumber(m_fields.text(field));
}

namespace {

// Every handler, registered once: the control, its event, and what runs.
// Controls not listed have none; 详细说明 (Command4) opens the help window,
// which lives in the view alone.
enum class Event { Click, GotFocus };

struct Binding {
    FieldId control;
    Event event;
    void (Form::*handler)();
};

// clang-format off
constexpr Binding kHandlers[] = {
    {id("Command1"), Event::Click, &Form::Command1_Click},
    {id("Command2"), Event::Click, &Form::Command2_Click},
    {id("Command3"), Event::Click, &Form::Command3_Click},
    {id("Command5"), Event::Click, &Form::Command5_Click},
    {id("Check1"), Event::Click, &Form::Check1_Click},
    {id("Check2"), Event::Click, &Form::Check2_Click},
    {id("Check3"), Event::Click, &Form::Check3_Click},
    {id("Option1"), Event::Click, &Form::Option1_Click},
    {id("Option2"), Event::Click, &Form::Option2_Click},
    {id("Option3"), Event::Click, &Form::Option3_Click},
    {id("Option4"), Event::Click, &Form::Option4_Click},
    {id("Option5"), Event::Click, &Form::Option5_Click},
    {id("Option6"), Event::Click, &Form::Option6_Click},
    {id("Option7"), Event::Click, &Form::Option7_Click},
    {id("Text2"), Event::GotFocus, &Form::Text2_GotFocus},
    {id("Text9"), Event::GotFocus, &Form::Text9_GotFocus},
    {id("Text10"), Event::GotFocus, &Form::Text10_GotFocus},
    {id("Text11"), Event::GotFocus, &Form::Text11_GotFocus},
    {id("Text12"), Event::GotFocus, &Form::Text12_GotFocus},
    {id("Text13"), Event::GotFocus, &Form::Text13_GotFocus},
    {id("Text14"), Event::GotFocus, &Form::Text14_GotFocus},
    {id("Text37"), Event::GotFocus, &Form::Text37_GotFocus},
};
// clang-format on

// Runs the handler of the control's event; false when it has none.
bool raise(Form& form, FieldId control, Event event) {
    for (const Binding& binding : kHandlers) {
        if (binding.control == control && binding.event == event) {
            (form.*binding.handler)();
            return true;
        }
    }
    return false;
}

} // namespace

void Form::click(FieldId field) {
    if (m_running || !m_fields.visible(field)) {
        return;
    }
    m_announcedPress = kControlCount;
    // The user's toggle or selection and the handler it raises are one
    // press: a press undone as a whole leaves the box as it was.
    run(
        [&] {
            switch (kControls[field].kind) {
            case Kind::OptionButton:
                selectOption(field);
                break;
            case Kind::CheckBox:
                m_fields.setValue(field, m_fields.value(field) == 0 ? 1 : 0);
                break;
            default:
                break;
            }
            raise(*this, field, Event::Click);
        },
        field);
}

void Form::enter(FieldId field) {
    if (!m_running && m_fields.visible(field)) {
        m_announcedPress = kControlCount;
        raise(*this, field, Event::GotFocus);
    }
}

void Form::type(FieldId field, std::string_view text, std::size_t maxCharacters) {
    if (m_running || kControls[field].kind != Kind::TextBox || !m_fields.visible(field)) {
        return;
    }
    m_announcedPress = kControlCount;
    // However the text arrives (typing, paste, drop, an assistive tool), a
    // set-1 cell is entered first: its guard puts the set back on, and if
    // the set stays off the cell keeps its text.
    if (raise(*this, field, Event::GotFocus) && captionIs(id("Command5"), kSet1OffCaption)) {
        return;
    }
    m_fields.setText(field, keepShowable(text, maxCharacters));
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
