// The main window without a window: its fields, the gain store and every
// handler. The view forwards the user's actions here and mirrors the fields.
#pragma once

#include "form/fieldstore.h"
#include "form/gainstore.h"
#include "form/warnings.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class Form {
public:
    explicit Form(WarningSink& warnings);

    const FieldStore& fields() const { return m_fields; }
    const std::optional<GainStore>& gainStore() const { return m_gains; }
    // The sets as the last 总收益 compared them (none before it).
    const std::optional<SetComparison>& setComparison() const { return m_setComparison; }
    // The range of kCurveRanges the gain curves are drawn over.
    std::size_t curveRange() const { return m_curveRange; }
    void chooseCurveRange(std::size_t range);
    // 收窄范围 and 加宽范围: the next range of kCurveRanges, if there is one.
    bool canNarrowCurves() const { return m_curveRange > 0; }
    bool canWidenCurves() const { return m_curveRange + 1 < kCurveRanges.size(); }
    void narrowCurves() { chooseCurveRange(canNarrowCurves() ? m_curveRange - 1 : m_curveRange); }
    void widenCurves() { chooseCurveRange(m_curveRange + 1); }
    // Changes whenever the exact changes or the curves may have: a view need
    // not draw them again while it stays the same.
    unsigned insightRevision() const { return m_insightRevision; }
    // The candidate list of 最佳组合 as the address carries it after the
    // inputs (GearCandidates::addressPiece), so that a reload or a shared
    // link keeps it: held as written, read only by the window that uses it.
    const std::string& gearListAddress() const { return m_gearListAddress; }
    void setGearListAddress(std::string piece) { m_gearListAddress = std::move(piece); }
    void setObserver(FieldObserver* observer) { m_fields.setObserver(observer); }

    // What the user does. Actions on hidden controls do not reach them, and
    // an action that arrives while a press is still running (a box of it is
    // up) is dropped: it never runs inside another press.
    // Typing or pasting raises no event; the box keeps only what it can
    // show (boxtext.h), at most maxCharacters characters of it.
    void type(FieldId id, std::string_view text, std::size_t maxCharacters = std::string_view::npos);
    void click(FieldId id); // toggles or selects, then raises Click
    void enter(FieldId id); // the focus enters a text box

    // The press. Its boxes come up one at a time (WarningSink::warn) after
    // its work is done; the view calls dismissBox() when the player has
    // dismissed the one up. Its changes are told to the observer, and shown,
    // only after the last box.
    void dismissBox();
    std::optional<WarningBox> boxUp() const;
    // True from the start of a press until its boxes are dismissed and its
    // changes told.
    bool pressRunning() const { return m_running; }
    // What a view shows of a control: during a press, its state from before.
    const FieldState& shown(FieldId id) const { return m_fields.shown(id); }
    // The button whose press changed a result, as long as nothing else has
    // been done since (an action or a dismissal): what a screen reader is
    // told of is that press; kControlCount when there is none.
    FieldId announcedPress() const { return m_announcedPress; }
    // Whether that press gave its own button a new caption (脱第一套装备 →
    // 穿第一套装备), which a player on the button is told.
    bool pressRecaptioned() const { return m_pressRecaptioned; }

    // A new visit with the inputs of a shared address: the start state, then
    // the inputs when they are read whole. Arriving during a press, it opens
    // once the press has ended. The sink hears inputsOpened.
    void openInputs(std::string_view shared);
    // Opens with the inputs that encodeInputs wrote: true when they were read
    // whole and set; otherwise nothing changes. The results keep their start
    // captions.
    bool restoreInputs(std::string_view text);
    // The page address's fragment of the inputs on show (addressFragment):
    // during a press, as before it.
    std::string address() const;

    // Sets a text or caption directly, raising nothing: for tests and tools.
    void setText(FieldId id, std::string text) { m_fields.setText(id, std::move(text)); }

    // The handlers, named after their control and event.
    void Command1_Click(); // 计算
    void Command2_Click(); // 总收益
    void Command3_Click(); // haste mode on and off
    void Command5_Click(); // take gear set 1 off or put it on
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Option1_Click() { chooseDiscipline(id("Option1")); }
    void Option2_Click() { chooseDiscipline(id("Option2")); }
    void Option3_Click() { chooseDiscipline(id("Option3")); }
    void Option4_Click() { chooseDiscipline(id("Option4")); }
    void Option5_Click() { chooseDiscipline(id("Option5")); }
    void Option6_Click() { chooseDiscipline(id("Option6")); }
    void Option7_Click() { chooseDiscipline(id("Option7")); }
    // The guard on gear set 1's cells: one handler for all eight.
    void Text2_GotFocus() { guardGearSet1(); }
    void Text9_GotFocus() { guardGearSet1(); }
    void Text10_GotFocus() { guardGearSet1(); }
    void Text11_GotFocus() { guardGearSet1(); }
    void Text12_GotFocus() { guardGearSet1(); }
    void Text13_GotFocus() { guardGearSet1(); }
    void Text14_GotFocus() { guardGearSet1(); }
    void Text37_GotFocus() { guardGearSet1(); }

private:
    // Runs one press: a button's (`button`) is announced when it changes a
    // result.
    void run(const std::function<void()>& body, FieldId button = kControlCount);
    // Boxes raised during a press are shown when its work is done, in order,
    // before its changes appear; a refused press shows the out-of-range box
    // alone.
    void warn(std::string_view prompt, std::string_view title) { m_boxes.push_back({prompt, title}); }
    void refuseOutOfRange();
    void showBoxOrEnd();
    void endPress();
    void startOver();

    void calculate();
    // 计算 after set 1 has moved: a refused 计算 leaves the move standing.
    void calculateAfterMove();
    void moveGearSet1(int direction);
    void applyBuff(FieldId box, std::initializer_list<std::pair<FieldId, double>> changes);
    void selectOption(FieldId option);
    void chooseDiscipline(FieldId option);
    void guardGearSet1();

    double read(FieldId id) const;
    void write(FieldId id, std::string text) { m_fields.setText(id, std::move(text)); }
    bool captionIs(FieldId id, std::string_view caption) const { return m_fields.text(id) == caption; }

    FieldStore m_fields;
    std::optional<GainStore> m_gains;
    std::optional<SetComparison> m_setComparison;
    std::string m_gearListAddress;
    std::size_t m_curveRange = kDefaultCurveRange;
    unsigned m_insightRevision = 0;
    WarningSink& m_warnings;
    std::deque<WarningBox> m_boxes; // the first is up once the press's work is done
    FieldId m_pressedButton = kControlCount;
    FieldId m_announcedPress = kControlCount;
    bool m_pressRecaptioned = false;
    std::optional<std::string> m_inputsToOpen; // an address that arrived during a press
    bool m_running = false;
};

} // namespace velmora
