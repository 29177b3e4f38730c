#include "form/geardraft.h"

#include "form/boxtext.h"
#include "form/gearlist.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1) {
        parts.emplace_back(text.substr(start, end - start));
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::string joined(const std::vector<std::string>& parts, char separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i > 0 ? std::string(1, separator) : std::string()) + parts[i];
    }
    return text;
}

// The draft's lines, and where its item lines begin and end among them.
struct DraftLines {
    std::vector<std::string> lines;
    std::size_t first = 0, end = 0;
};

DraftLines linesOf(std::string_view draft) {
    DraftLines cut{split(draft, '\n')};
    cut.end = cut.lines.size() - (cut.lines.back().empty() ? 1 : 0);
    cut.first = cut.end > 0 && isGearListTitleLine(cut.lines.front()) ? 1 : 0;
    return cut;
}

} // namespace

std::array<std::string_view, kGearListColumns> gearListColumnTitles() {
    std::array<std::string_view, kGearListColumns> titles{};
    std::string_view rest = kGearListTitles;
    for (std::string_view& title : titles) {
        const std::size_t tab = rest.find('\t');
        title = rest.substr(0, tab);
        rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    }
    return titles;
}

std::size_t draftRows(std::string_view draft) {
    const DraftLines cut = linesOf(draft);
    return cut.end - std::min(cut.first, cut.end);
}

std::string draftCell(std::string_view draft, std::size_t row, std::size_t column) {
    const DraftLines cut = linesOf(draft);
    if (cut.first + row >= cut.end) {
        return {};
    }
    const std::vector<std::string> fields = split(cut.lines[cut.first + row], '\t');
    return column < fields.size() ? fields[column] : std::string();
}

std::vector<DraftRow> draftTable(std::string_view draft) {
    const DraftLines cut = linesOf(draft);
    std::vector<DraftRow> rows;
    for (std::size_t line = cut.first; line < cut.end; ++line) {
        const std::vector<std::string> fields = split(cut.lines[line], '\t');
        DraftRow& row = rows.emplace_back();
        std::copy_n(fields.begin(), std::min(fields.size(), row.size()), row.begin());
    }
    return rows;
}

std::string withDraftCell(std::string_view draft, std::size_t row, std::size_t column,
                          std::string_view text) {
    DraftLines cut = linesOf(draft);
    if (cut.first + row >= cut.end || column >= kGearListColumns) {
        return std::string(draft);
    }
    std::string kept = keepShowable(text, kMaxPageBoxCharacters);
    std::replace_if(
        kept.begin(), kept.end(), [](char c) { return c == '\t' || c == '\n'; }, ' ');
    std::vector<std::string> fields = split(cut.lines[cut.first + row], '\t');
    fields.resize(std::max(fields.size(), std::max(column, kWornField) + 1));
    fields[column] = std::move(kept);
    if (fields[kWornField].empty()) {
        fields[kWornField] = "0"; // a line the grid writes to is an item, worn or not
    }
    // Empty ratings at the end read as 0: the line ends at its last field.
    while (fields.size() > kWornField + 1 && fields.back().empty()) {
        fields.pop_back();
    }
    cut.lines[cut.first + row] = joined(fields, '\t');
    return joined(cut.lines, '\n');
}

std::string withDraftRowAdded(std::string_view draft) {
    std::string added(draft);
    if (!added.empty() && !added.ends_with('\n')) {
        added += '\n';
    }
    return added + "\t\t0\n";
}

std::string withDraftRowRemoved(std::string_view draft, std::size_t row) {
    DraftLines cut = linesOf(draft);
    if (cut.first + row >= cut.end) {
        return std::string(draft);
    }
    cut.lines.erase(cut.lines.begin() + static_cast<std::ptrdiff_t>(cut.first + row));
    return joined(cut.lines, '\n');
}

DraftFocus focusAfterRowAdded(std::string_view draftAfter) {
    const std::size_t rows = draftRows(draftAfter);
    return rows == 0 ? DraftFocus{DraftFocus::Place::AddButton}
                     : DraftFocus{DraftFocus::Place::SlotCell, rows - 1};
}

DraftFocus focusAfterRowRemoved(std::string_view draftAfter, std::size_t removedRow) {
    return removedRow < draftRows(draftAfter) ? DraftFocus{DraftFocus::Place::RemoveButton, removedRow}
                                              : DraftFocus{DraftFocus::Place::AddButton};
}

std::string draftCellName(std::size_t row, std::size_t column) {
    return "第 " + std::to_string(row + 1) + " 件 " + std::string(gearListColumnTitles()[column]);
}

std::string draftRemoveName(std::size_t row) {
    return "删除第 " + std::to_string(row + 1) + " 件";
}

} // namespace velmora
