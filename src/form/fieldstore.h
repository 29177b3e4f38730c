// The state of the main window's controls: one text, a visibility flag and,
// for option buttons and check boxes, a Value each.
#pragma once

#include "form/controls.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// Told of every change once it has become final.
class FieldObserver {
public:
    virtual ~FieldObserver() = default;
    virtual void fieldChanged(FieldId id) = 0;
};

struct FieldState {
    std::string text; // a text box's Text, otherwise the Caption
    bool visible = true;
    int value = 0; // option buttons: 1 selected; check boxes: 0 unticked, 1 ticked

    friend bool operator==(const FieldState&, const FieldState&) = default;
};

class FieldStore {
public:
    FieldStore();

    const std::string& text(FieldId id) const { return m_fields[id].text; }
    bool visible(FieldId id) const { return m_fields[id].visible; }
    int value(FieldId id) const { return m_fields[id].value; }
    const FieldState& state(FieldId id) const { return m_fields[id]; }
    // What the observer was last told of the field: inside a transaction, its
    // state from before it.
    const FieldState& shown(FieldId id) const;

    void setText(FieldId id, std::string text);
    void setVisible(FieldId id, bool visible);
    void setValue(FieldId id, int value);

    // Changes made between begin() and commit() are told to the observer at
    // commit; rollback() undoes them and tells nothing. Outside a
    // transaction each change is told at once.
    void begin();
    void commit();
    void rollback();

    // Inside a transaction: a copy of every field, and a return to it that
    // keeps the changes made before the copy.
    std::vector<FieldState> snapshot() const { return m_fields; }
    void restore(const std::vector<FieldState>& snapshot);

    void setObserver(FieldObserver* observer) { m_observer = observer; }

private:
    FieldState& modify(FieldId id);
    void tell(FieldId id);

    std::vector<FieldState> m_fields;
    bool m_inTransaction = false;
    std::vector<std::pair<FieldId, FieldState>> m_undo; // first prior state of each touched field
    std::vector<bool> m_touched;
    FieldObserver* m_observer = nullptr;
};

} // namespace velmora
