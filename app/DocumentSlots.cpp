#include "DocumentSlots.h"

namespace app {

int DocumentSlots::GetFreeDocSlot()
{
    for (std::size_t i = 1; i < m_slots.size(); ++i) {
        if (m_slots[i].state.blnFree) {
            m_slots[i].state = DocState {false};
            return int(i);
        }
    }
    m_slots.push_back(Slot {nullptr, DocState {false}});
    return int(m_slots.size()) - 1;
}

void DocumentSlots::release(int slot)
{
    if (slot >= 1 && slot < int(m_slots.size()))
        m_slots[std::size_t(slot)] = Slot {};
}

} // namespace app
