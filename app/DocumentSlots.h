#pragma once

#include <cstddef>
#include <vector>

namespace app {

class frmChild;

struct DocState
{
    bool blnFree = true; // the slot is available
};

// The numbered places of the open documents; a document's number is its slot. Slot 0 is never used.
class DocumentSlots
{
public:
    DocumentSlots() { m_slots.resize(2); }

    // The first free slot, marked used; when every slot is used a new one is added.
    int GetFreeDocSlot();
    void release(int slot);

    int count() const { return int(m_slots.size()) - 1; }
    DocState &state(int slot) { return m_slots.at(std::size_t(slot)).state; }
    const DocState &state(int slot) const { return m_slots.at(std::size_t(slot)).state; }
    frmChild *window(int slot) const { return m_slots.at(std::size_t(slot)).window; }
    void setWindow(int slot, frmChild *window) { m_slots.at(std::size_t(slot)).window = window; }

private:
    struct Slot
    {
        frmChild *window = nullptr;
        DocState state;
    };
    std::vector<Slot> m_slots;
};

} // namespace app
