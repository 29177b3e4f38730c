#include "form/gearcandidates.h"

#include "form/checkednumbers.h"
#include "form/sharedinputs.h"

#include <algorithm>

namespace velmora {

bool GearCandidates::cellWorn(std::size_t row) const {
    return isWornField(draftCell(m_draft, row, kWornField));
}

std::optional<WarningBox> GearCandidates::readDraft() {
    auto read = readGearList(m_draft);
    if (const auto* error = std::get_if<GearListError>(&read)) {
        m_error = error->prompt;
        return WarningBox{m_error, kGearListErrorTitle};
    }
    setList(std::get<GearList>(std::move(read)));
    return std::nullopt;
}

std::string GearCandidates::addressPiece() const {
    if (m_list.items.empty()) {
        return {};
    }
    // The titles are left out, and each line's trailing zero ratings:
    // reading needs neither.
    const std::string text = writeGearList(m_list).substr(kGearListTitles.size() + 1);
    std::string piece(kGearListKey);
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        const std::size_t lineEnd = text.find('\n', lineStart);
        std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        // (slot, name and 已穿 stay: 已穿 may be a 0 too)
        while (line.ends_with("\t0") && std::count(line.begin(), line.end(), '\t') > 2) {
            line.remove_suffix(2);
        }
        percentEncode(piece, line);
        piece += "%0A";
        lineStart = lineEnd + 1;
    }
    return piece;
}

std::optional<GearList> GearCandidates::fromAddressPiece(std::string_view piece) {
    if (piece.empty()) {
        return GearList{};
    }
    if (!piece.starts_with(kGearListKey)) {
        return std::nullopt;
    }
    const std::optional<std::string> text = percentDecode(piece.substr(kGearListKey.size()));
    if (!text) {
        return std::nullopt;
    }
    auto read = readGearList(*text);
    if (auto* list = std::get_if<GearList>(&read); list != nullptr && !list->items.empty()) {
        return std::move(*list);
    }
    return std::nullopt;
}

void GearCandidates::openAddress(std::string_view piece) {
    std::optional<GearList> list = fromAddressPiece(piece);
    setList(list ? std::move(*list) : GearList{});
    m_addressUnreadable = !list;
    m_draft = m_list.items.empty() ? std::string() : writeGearList(m_list);
}

void GearCandidates::setList(GearList list) {
    m_addressUnreadable = false;
    m_list = std::move(list);
    m_search.reset(); // an answer belongs to the list it searched
}

bool GearCandidates::startSearch(const std::optional<GainStore>& panel) {
    if (!panel) {
        return false;
    }
    const GainStore& gains = *panel;
    for (std::size_t row = 0; row < gains.texts.size(); ++row) {
        m_lineGains[row] = readStrict(gains.texts[row]);
    }
    m_lineGains.back() = gains.haste;
    m_search = std::make_unique<BestGearSearch>(gains.measured, slotsOf(m_list).gear);
    m_panel = gains.measured;
    m_stopped = false;
    return true;
}

bool GearCandidates::searchOn(std::uint64_t steps) {
    if (state() == State::Running) {
        m_search->run(steps);
    }
    return state() == State::Running;
}

GearCandidates::State GearCandidates::state() const {
    if (!m_search) {
        return State::None;
    }
    if (m_search->proven() || !m_search->comparable()) {
        return State::Done;
    }
    return m_stopped ? State::Stopped : State::Running;
}

} // namespace velmora
