// libFuzzer target for the shared inputs of a page address: any text is
// either refused whole, leaving the start state, or restored so that writing
// the inputs again and reading that back gives the same inputs.
#include "model/form.h"
#include "model/sharedinputs.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

class NoBoxes : public velmora::WarningSink {
public:
    void warn(std::string_view, std::string_view) override { std::abort(); } // restoring shows nothing
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    NoBoxes boxes;
    velmora::Form form(boxes);
    const std::string start = velmora::encodeInputs(form.fields());
    if (!form.restoreInputs(text)) {
        require(velmora::encodeInputs(form.fields()) == start);
        return 0;
    }
    const std::string written = velmora::encodeInputs(form.fields());
    velmora::Form again(boxes);
    require(again.restoreInputs(written));
    require(velmora::encodeInputs(again.fields()) == written);
    return 0;
}
