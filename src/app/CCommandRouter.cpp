#include "app/CCommandRouter.h"

#include <algorithm>

void CCommandRouter::AddTarget(const CCommandTable* table) {
    m_targets.push_back(table);
}

void CCommandRouter::RemoveTarget(const CCommandTable* table) {
    m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), table), m_targets.end());
}

bool CCommandRouter::Execute(int id) const {
    for (const CCommandTable* table : m_targets) {
        if (const CCommandTable::Handler* handler = table->FindHandler(id)) {
            // A copy, so a handler that rebuilds its table cannot pull the
            // function out from under itself.
            const CCommandTable::Handler run = *handler;
            run(id);
            return true;
        }
    }
    return false;
}

bool CCommandRouter::HasHandler(int id) const {
    return std::any_of(m_targets.begin(), m_targets.end(),
                       [id](const CCommandTable* table) { return table->FindHandler(id); });
}

CCmdUI CCommandRouter::UpdateCommand(int id) const {
    CCmdUI cmdUI;
    cmdUI.m_nID = id;
    for (const CCommandTable* table : m_targets) {
        if (const CCommandTable::Updater* updater = table->FindUpdater(id)) {
            (*updater)(cmdUI);
            return cmdUI;
        }
    }
    cmdUI.enabled = HasHandler(id);
    return cmdUI;
}
