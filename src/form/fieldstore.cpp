#include "form/fieldstore.h"

namespace velmora {

FieldStore::FieldStore() : m_touched(kControlCount, false) {
    m_fields.reserve(kControlCount);
    for (const ControlDesign& design : kControls) {
        m_fields.push_back({std::string(design.text), design.shown == Shown::Yes, 0});
    }
}

FieldState& FieldStore::modify(FieldId id) {
    if (m_inTransaction && !m_touched[id]) {
        m_touched[id] = true;
        m_undo.emplace_back(id, m_fields[id]);
    }
    return m_fields[id];
}

const FieldState& FieldStore::shown(FieldId id) const {
    if (m_touched[id]) {
        for (const auto& [touched, before] : m_undo) {
            if (touched == id) {
                return before;
            }
        }
    }
    return m_fields[id];
}

void FieldStore::tell(FieldId id) {
    if (!m_inTransaction && m_observer != nullptr) {
        m_observer->fieldChanged(id);
    }
}

void FieldStore::setText(FieldId id, std::string text) {
    if (m_fields[id].text == text) {
        return;
    }
    modify(id).text = std::move(text);
    tell(id);
}

void FieldStore::setVisible(FieldId id, bool visible) {
    if (m_fields[id].visible == visible) {
        return;
    }
    modify(id).visible = visible;
    tell(id);
}

void FieldStore::setValue(FieldId id, int value) {
    if (m_fields[id].value == value) {
        return;
    }
    modify(id).value = value;
    tell(id);
}

void FieldStore::begin() {
    m_inTransaction = true;
    m_undo.clear();
}

void FieldStore::commit() {
    m_inTransaction = false;
    for (const auto& [id, before] : m_undo) {
        m_touched[id] = false;
    }
    // Taken out first: an observer may change fields in turn.
    const auto changed = std::move(m_undo);
    m_undo.clear();
    if (m_observer != nullptr) {
        for (const auto& [id, before] : changed) {
            m_observer->fieldChanged(id);
        }
    }
}

void FieldStore::restore(const std::vector<FieldState>& snapshot) {
    for (FieldId id = 0; id < m_fields.size(); ++id) {
        if (m_fields[id] != snapshot[id]) {
            modify(id) = snapshot[id];
            tell(id);
        }
    }
}

void FieldStore::rollback() {
    m_inTransaction = false;
    for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it) {
        m_touched[it->first] = false;
        m_fields[it->first] = std::move(it->second);
    }
    m_undo.clear();
}

} // namespace velmora
