#include "ui/CCommandTable.h"

void CCommandTable::Add(int id, Handler handler, Updater updater) {
    m_handlers[id] = std::move(handler);
    if (updater) {
        m_updaters[id] = std::move(updater);
    }
}

void CCommandTable::AddRange(int first, int last, Handler handler, Updater updater) {
    for (int id = first; id <= last; ++id) {
        Add(id, handler, updater);
    }
}

void CCommandTable::AddUpdate(int id, Updater updater) {
    m_updaters[id] = std::move(updater);
}

const CCommandTable::Handler* CCommandTable::FindHandler(int id) const {
    const auto found = m_handlers.find(id);
    return found == m_handlers.end() ? nullptr : &found->second;
}

const CCommandTable::Updater* CCommandTable::FindUpdater(int id) const {
    const auto found = m_updaters.find(id);
    return found == m_updaters.end() ? nullptr : &found->second;
}
