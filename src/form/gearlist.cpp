#include "form/gearlist.h"

#include "form/boxtext.h"
#include "form/numbertext.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr std::size_t kSlotColumn = 1, kNameColumn = 2, kWornColumn = 3, kFirstRatingColumn = 4;
// A slot's or a name's most characters: what a row of the window shows.
constexpr std::size_t kMaxTextCharacters = 32;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \r") - first + 1);
}

std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

GearListError errorAt(std::size_t line, std::size_t column, std::string_view what) {
    return {line, column,
            "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列：" + std::string(what)};
}

// A rating as it is kept: at the 15 digits its text keeps, so that what is
// written reads back the same.
bool readRating(std::string_view field, double& rating) {
    if (trimmed(field).empty()) {
        rating = 0;
        return true;
    }
    const ReadResult read = TextToNumberStrict(field);
    if (!read.ok() || !std::isfinite(read.value)) {
        return false;
    }
    rating = TextToNumberStrict(NumberToText(read.value, Precision::Double)).value;
    return true;
}

} // namespace

bool isGearListTitleLine(std::string_view line) {
    const std::vector<std::string_view> fields = split(line, '\t');
    return fields.size() >= kWornColumn && trimmed(fields[kWornColumn - 1]) == "已穿";
}

bool isWornField(std::string_view field) {
    return trimmed(field) == "1";
}

std::variant<GearList, GearListError> readGearList(std::string_view text) {
    GearList list;
    const std::vector<std::string_view> lines = split(text, '\n');
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const std::size_t line = at + 1;
        if (trimmed(lines[at]).empty()) {
            continue;
        }
        const std::vector<std::string_view> fields = split(lines[at], '\t');
        const std::string_view worn = fields.size() >= kWornColumn ? trimmed(fields[kWornColumn - 1]) : "";
        if (at == 0 && isGearListTitleLine(lines[at])) {
            continue; // the column titles
        }
        if (fields.size() > kFirstRatingColumn - 1 + std::tuple_size_v<Ratings>) {
            return errorAt(line, kFirstRatingColumn + std::tuple_size_v<Ratings>,
                           "多余的内容（每行最多 11 列）");
        }
        GearItem item;
        item.slot = keepShowable(trimmed(fields[0]));
        if (item.slot.empty()) {
            return errorAt(line, kSlotColumn, "缺少部位");
        }
        if (characters(item.slot) > kMaxTextCharacters) {
            return errorAt(line, kSlotColumn, "部位超过 32 个字");
        }
        item.name = fields.size() >= kNameColumn ? keepShowable(trimmed(fields[kNameColumn - 1])) : "";
        if (characters(item.name) > kMaxTextCharacters) {
            return errorAt(line, kNameColumn, "名称超过 32 个字");
        }
        if (worn != "1" && worn != "0") {
            return errorAt(line, kWornColumn, "“已穿”应为 1 或 0");
        }
        item.worn = isWornField(worn);
        for (std::size_t row = 0; row < item.ratings.size(); ++row) {
            const std::size_t column = kFirstRatingColumn + row;
            if (column <= fields.size() && !readRating(fields[column - 1], item.ratings[row])) {
                return errorAt(line, column, "“" + keepShowable(trimmed(fields[column - 1])) + "”不是数字");
            }
        }
        list.items.push_back(std::move(item));
        const SlotsOfList slots = slotsOf(list);
        if (slots.names.size() > kMaxGearSlots) {
            return errorAt(line, kSlotColumn, "部位超过 16 个");
        }
        for (std::size_t s = 0; s < slots.names.size(); ++s) {
            if (slots.items[s].size() > kMaxCandidatesPerSlot) {
                return errorAt(line, kSlotColumn, "“" + slots.names[s] + "”的候选超过 16 件");
            }
        }
    }
    return list;
}

std::string writeGearList(const GearList& list) {
    std::string text(kGearListTitles);
    for (const GearItem& item : list.items) {
        text += "\n" + item.slot + "\t" + item.name + "\t" + (item.worn ? "1" : "0");
        for (const double rating : item.ratings) {
            text += "\t" + NumberToText(rating, Precision::Double);
        }
    }
    return text + "\n";
}

SlotsOfList slotsOf(const GearList& list) {
    SlotsOfList slots;
    for (std::size_t index = 0; index < list.items.size(); ++index) {
        const GearItem& item = list.items[index];
        const auto found = std::find(slots.names.begin(), slots.names.end(), item.slot);
        const std::size_t s = static_cast<std::size_t>(found - slots.names.begin());
        if (found == slots.names.end()) {
            slots.names.push_back(item.slot);
            slots.gear.emplace_back();
            slots.items.emplace_back();
        }
        slots.gear[s].items.push_back(item.ratings);
        slots.gear[s].worn.push_back(item.worn);
        slots.items[s].push_back(index);
    }
    return slots;
}

} // namespace velmora
