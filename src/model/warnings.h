// How the core shows a warning box. The view shows a modal box and returns
// when it is dismissed; the core goes on with the handler after the call.
#pragma once

#include <string_view>

namespace velmora {

class WarningSink {
public:
    virtual ~WarningSink() = default;
    virtual void warn(std::string_view prompt, std::string_view title) = 0;
};

} // namespace velmora
