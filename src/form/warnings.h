// What the core tells a view of a press. A warning box is an event: the core
// raises it and never waits. The view shows the box and calls
// Form::dismissBox() once the player has dismissed it, from inside warn (a
// toolkit's modal loop) or later (a page's dialog); the press waits either way.
#pragma once

#include <string_view>

namespace velmora {

struct WarningBox {
    std::string_view prompt;
    std::string_view title;
    friend bool operator==(const WarningBox&, const WarningBox&) = default;
};

class WarningSink {
public:
    virtual ~WarningSink() = default;
    // A box is up.
    virtual void warn(std::string_view prompt, std::string_view title) = 0;
    // Tools, tests and benchmarks have no player to dismiss a box: each box
    // of theirs counts as dismissed as soon as they are told of it.
    virtual bool dismissesAtOnce() const { return false; }
    // A shared address was opened: the window is as on a new visit, and the
    // focus belongs where it starts (kStartFocus).
    virtual void inputsOpened() {}
};

} // namespace velmora
