// The rules both views follow that are not about drawing: what counts as
// entering a box, which button Enter presses, what opens the help, how a
// text too long for its label is shortened, and the window's pixels.
#pragma once

#include "form/controls.h"
#include "form/fieldstore.h"
#include "form/form.h"
#include "view/layout.h"

#include <cmath>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// How the focus came to a control, as the view tells it.
enum class FocusArrival {
    UserNavigation,  // Tab, Shift+Tab, a shortcut, a screen reader's own navigation
    Pointer,         // mouse, pen or touch
    AssistiveTool,   // an assistive tool's or a script's focus request
    WindowActivated, // the window was activated again
    BoxClosed,       // a warning box closed and gave the focus back
    PopupClosed,     // a menu or pop-up closed
};

// Every arrival but the focus coming back is an entry, which raises GotFocus.
constexpr bool isEntry(FocusArrival how) {
    return how != FocusArrival::WindowActivated && how != FocusArrival::BoxClosed &&
           how != FocusArrival::PopupClosed;
}

// Whether entering a box selects its text, so that typing replaces it: by
// Tab, and by a tap on a touch screen (where a caret is hard to place); a
// mouse click puts the caret where it points.
constexpr bool selectsTextOnEntry(FocusArrival how, bool touch) {
    return how == FocusArrival::UserNavigation || (how == FocusArrival::Pointer && touch);
}

// The focus came to a control: the form hears an entry when isEntry says so.
inline void focusArrived(Form& form, FieldId field, FocusArrival how) {
    if (isEntry(how)) {
        form.enter(field);
    }
}

// The button that Enter presses when the focus is in a control: a focused
// button presses itself, a panel box presses 计算; kControlCount for none.
// Enter with a modifier (Shift, Ctrl, Alt, Meta) presses nothing.
FieldId enterPresses(FieldId field, bool withModifiers = false);

// Where the focus is at start and on a new visit: in the first panel box,
// its text selected, so that typing replaces the "0".
struct StartFocus {
    FieldId field;
    bool selectsText;
};
inline constexpr StartFocus kStartFocus{id("Text1"), true};

// 详细说明 opens the help window, which lives in the view.
constexpr bool opensHelp(FieldId field) {
    return field == id("Command4");
}

// What 详细说明 does to a help window: a closed one opens empty, as at its
// first opening; one still open (minimized or behind) comes to the front
// with the section it shows.
enum class HelpOpening { Fresh, ToTheFront };
constexpr HelpOpening helpOpening(bool stillOpen) {
    return stillOpen ? HelpOpening::ToTheFront : HelpOpening::Fresh;
}

// 实际提升与收益曲线 opens the window of exact changes and gain curves, which
// draws what the core computes (exactChanges and gainPicture of gearinsight.h).
constexpr bool opensInsight(FieldId field) {
    return field == id("Command6");
}

// 最佳组合 opens the window that searches the player's candidate items
// (bestGearShown of bestgeartext.h).
constexpr bool opensBestGear(FieldId field) {
    return field == id("Command7");
}

// A click on an option already selected changes nothing on screen but is
// still its Click.
constexpr bool clickOnSelectedIsClick(FieldId field) {
    return kControls[field].kind == Kind::OptionButton;
}

// A number as the handlers write it. It stays on one line and is shortened,
// never wrapped; other captions of a fixed-size label wrap.
bool isNumberText(std::string_view text);

// Whether a label's caption stays on one line, shortened when it does not
// fit: a number; in the window layout also a fitting label's caption. In one
// column a caption wraps instead, so that a word is never cut.
bool staysOnOneLine(FieldId label, std::string_view caption, Layout layout = Layout::Window);

// The text as shown in a label where `fits` says whether a text fits: the
// whole text when it fits, else its beginning and "…"; a number keeps its
// sign, at least its first digit and its whole exponent ("1.…E+307").
std::string shortenToFit(std::string_view text, const std::function<bool(std::string_view)>& fits);

// A caption as its label shows it: `text` is drawn; when that is shortened,
// `whole` is the whole caption, for the tool tip and the accessible
// description (empty when the caption is shown whole).
struct ShownCaption {
    std::string text;
    std::string whole;
};
ShownCaption showCaption(std::string_view caption, const std::function<bool(std::string_view)>& fits);

// A warning box's sign, named for assistive tools, and its one button.
inline constexpr std::string_view kWarningSignName = "警告";
inline constexpr std::string_view kWarningBoxButton = "确定";

// What the page says when the browser blocks the help's own window.
inline constexpr std::string_view kHelpBlocked =
    "浏览器阻止了弹出窗口，说明文档无法打开。请允许本站弹出窗口，再点一次“详细说明”。";

// 15 twips make a pixel at 96 dots per inch; the toolkit scales pixels for
// denser screens.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (2 * twips + 15) / 30 : -((-2 * twips + 15) / 30);
}

// What a screen reader is told after a press of a button that wrote new
// results: what was computed; after 总收益 also each set's total, whole
// ("第一套 763.029355139984"). Only buttons are announced: empty for any
// other control.
std::string announcementAfter(FieldId button, const FieldStore& fields);

// What a screen reader is told now that the form's last action or dismissal
// has been handled: the new caption of a button its last press changed
// ("穿第一套装备"), then what the press computed (announcementAfter), or
// nothing. Both views say it, so a player on the button hears its caption
// change.
std::string announcement(const Form& form);

// A window's size in pixels.
struct WindowSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// The most a window that scrolls its client area may take, and the size it
// opens at, on a screen with `room` for it: its designed size where the room
// holds it; else with a scroll bar's width more across where the other way
// scrolls, and no more than the room (a taskbar's place left free).
struct ScrollingWindow {
    WindowSize largest;
    WindowSize opening;
};
ScrollingWindow fitScrollingWindow(WindowSize designed, WindowSize room, int scrollBar);

// The widest a fitting label may grow, in pixels: to its frame's inner edge
// (the frame's line is a pixel, and a pixel more keeps the text off it).
int fittingLabelRoom(FieldId label);

} // namespace velmora
