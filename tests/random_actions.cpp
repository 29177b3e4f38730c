// random-actions: tens of thousands of random user actions against the core,
// checking after each one what must always hold.
//   random-actions [--seed N] [--actions N]
// Prints the seed and the failing action on a violation, and exits 1.
#include "form/form.h"
#include "form/gearset1.h"
#include "form/hastemode.h"
#include "form/numbertext.h"
#include "script.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace velmora;

// Captions the program writes that are words, not numbers.
const std::set<std::string, std::less<>> kFixedWords = {
    "命中溢出", "命中判定", "无双溢出",         "无双判定",     "会心溢出",     "会心判定", "根骨",
    "元气",     "无加速版", "加速版（测试中）", "脱第一套装备", "穿第一套装备", "",
};

class RandomTexts {
public:
    explicit RandomTexts(std::mt19937_64& random) : m_random(random) {}

    std::string next() {
        switch (pick(12)) {
        case 0:
            return std::to_string(pick(200));
        case 1:
            return NumberToText(std::pow(10.0, real(-320, 320)) * sign(), Precision::Double);
        case 2:
            return std::to_string(pick(1000)) + "." + std::to_string(pick(1000)) + "e" +
                   std::to_string(static_cast<int>(pick(800)) - 400);
        case 3:
            return "-" + std::to_string(pick(100000));
        case 4:
            return junk(pick(12));
        case 5:
            return std::string(pick(20), ' ') + std::to_string(pick(99)) + std::string(pick(3), '\t') + "\n";
        case 6:
            return std::string(1 + pick(400), '9');
        case 7:
            return "0." + std::string(pick(400), '0') + "1";
        case 8:
            return std::string(pick(100000), static_cast<char>('0' + pick(10)));
        case 9:
            return "1.7976931348623157e308";
        case 10:
            return "";
        default:
            return std::to_string(pick(50)) + junk(3);
        }
    }

private:
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }
    double real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }
    double sign() { return pick(2) == 0 ? 1.0 : -1.0; }
    std::string junk(std::size_t length) {
        static const char* const kPieces[] = {"a",  "e",   "E",   "+", "-", ".", " ",    "%",  "中", "，",
                                              "\t", "inf", "nan", "1", "0", "x", "\xff", "\n", "\r", "１"};
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            text += kPieces[pick(std::size(kPieces))];
        }
        return text;
    }
    std::mt19937_64& m_random;
};

struct Checker {
    const Form& form;
    std::string failure;

    void fail(const std::string& what) {
        if (failure.empty()) {
            failure = what;
        }
    }

    // Every field that a click changed holds a number the program can read
    // back, or one of its fixed words; the hit and strain results may also
    // show the typed panel text.
    void checkWritten(const std::vector<FieldState>& before) {
        const FieldStore& fields = form.fields();
        for (FieldId field = 0; field < kControlCount; ++field) {
            const std::string& text = fields.text(field);
            if (text == before[field].text) {
                continue;
            }
            if (field == id("Label64") && (text == "110" || text == fields.text(id("Text4")))) {
                continue;
            }
            if (field == id("Label65") && (text == "35" || text == fields.text(id("Text8")))) {
                continue;
            }
            if (text.find("inf") != std::string::npos || text.find("nan") != std::string::npos) {
                fail(std::string(kControls[field].name) + " holds " + text);
            }
            if (!kFixedWords.contains(text) && !TextToNumberStrict(text).ok()) {
                fail(std::string(kControls[field].name) + " was written as \"" + text + "\"");
            }
        }
    }

    void checkInvariants() {
        const FieldStore& fields = form.fields();
        const bool hasteOn = fields.text(id("Command3")) == kHasteOnCaption;
        for (FieldId control : kHasteControls) {
            if (fields.visible(control) != hasteOn) {
                fail(std::string("haste control ") + std::string(kControls[control].name) +
                     " visible while the caption reads " + fields.text(id("Command3")));
            }
        }
        if (const auto& gains = form.gainStore()) {
            for (const std::string& text : gains->texts) {
                const ReadResult entry = TextToNumberStrict(text);
                if (!entry.ok() || !std::isfinite(entry.value)) {
                    fail("gain store entry \"" + text + "\"");
                }
            }
            if (!std::isfinite(gains->haste)) {
                fail("gain store haste entry not finite");
            }
        }
        int selected = 0;
        for (const char* option :
             {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Option7"}) {
            selected += fields.value(controlNamed(option));
        }
        if (selected > 1) {
            fail("more than one discipline selected");
        }
    }
};

} // namespace

int main(int argc, char* argv[]) {
    std::uint64_t seed = 20130627;
    long actions = 50000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--seed") {
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        } else if (flag == "--actions") {
            actions = std::strtol(argv[i + 1], nullptr, 10);
        } else {
            std::cerr << "usage: random-actions [--seed N] [--actions N]\n";
            return 2;
        }
    }

    std::mt19937_64 random(seed);
    RandomTexts texts(random);
    tools::RecordingWarnings warnings;
    Form form(warnings);
    Checker checker{form, {}};

    std::vector<FieldId> textBoxes, clickable;
    for (FieldId field = 0; field < kControlCount; ++field) {
        const Kind kind = kControls[field].kind;
        if (kind == Kind::TextBox) {
            textBoxes.push_back(field);
        } else if (kind == Kind::CommandButton || kind == Kind::OptionButton || kind == Kind::CheckBox) {
            clickable.push_back(field);
        }
    }
    const auto pick = [&](const std::vector<FieldId>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };

    long typed = 0, clicked = 0, entered = 0;
    for (long action = 0; action < actions; ++action) {
        std::vector<FieldState> before;
        before.reserve(kControlCount);
        for (FieldId field = 0; field < kControlCount; ++field) {
            before.push_back(
                {form.fields().text(field), form.fields().visible(field), form.fields().value(field)});
        }
        std::string description;
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        if (kind < 5) {
            const FieldId box = pick(textBoxes);
            std::string text = texts.next();
            description = "type into " + std::string(kControls[box].name) + " (" +
                          std::to_string(text.size()) + " characters)";
            form.type(box, std::move(text));
            ++typed;
        } else if (kind < 9) {
            const FieldId target = pick(clickable);
            description = "click " + std::string(kControls[target].name);
            form.click(target);
            ++clicked;
            checker.checkWritten(before);
        } else {
            const FieldId cell = pick({field::kGearSet1.cells.begin(), field::kGearSet1.cells.end()});
            description = "enter " + std::string(kControls[cell].name);
            form.enter(cell);
            ++entered;
            checker.checkWritten(before);
        }
        warnings.shown.clear();
        checker.checkInvariants();
        if (!checker.failure.empty()) {
            std::cerr << "random-actions: seed " << seed << ", action " << action << " (" << description
                      << "): " << checker.failure << '\n';
            return 1;
        }
    }
    std::cout << "random-actions: seed " << seed << ": " << actions << " actions (" << typed << " typed, "
              << clicked << " clicks, " << entered << " cell entries), all invariants held\n";
    return 0;
}
