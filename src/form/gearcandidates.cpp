#include "form/gearcandidates.h"

#include "form/checkednumbers.h"
#include "form/sharedinputs.h"

namespace velmora {

namespace {
constexpr std::string_view kAddressKey = "&g=";
} // namespace

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
    // The titles are left out: reading needs none.
    const std::string text = writeGearList(m_list).substr(kGearListTitles.size() + 1);
    std::string piece(kAddressKey);
    percentEncode(piece, text);
    return piece;
}

std::optional<GearList> GearCandidates::fromAddressPiece(std::string_view piece) {
    if (piece.empty()) {
        return GearList{};
    }
    if (!piece.starts_with(kAddressKey)) {
        return std::nullopt;
    }
    const std::optional<std::string> text = percentDecode(piece.substr(kAddressKey.size()));
    if (!text) {
        return std::nullopt;
    }
    auto read = readGearList(*text);
    if (auto* list = std::get_if<GearList>(&read); list != nullptr && !list->items.empty()) {
        return std::move(*list);
    }
    return std::nullopt;
}

void GearCandidates::setList(GearList list) {
    m_list = std::move(list);
    m_search.reset(); // an answer belongs to the list it searched
}

void GearCandidates::startSearch(const GainStore& gains) {
    for (std::size_t row = 0; row < gains.texts.size(); ++row) {
        m_lineGains[row] = readStrict(gains.texts[row]);
    }
    m_lineGains.back() = gains.haste;
    m_search = std::make_unique<BestGearSearch>(gains.measured, slotsOf(m_list).gear);
    m_panel = gains.measured;
    m_stopped = false;
}

void GearCandidates::searchOn(std::uint64_t steps) {
    if (state() == State::Running) {
        m_search->run(steps);
    }
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
