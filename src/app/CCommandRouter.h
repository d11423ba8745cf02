#pragma once
// Command routing through a chain of targets, first to last (view,
// document, frame, application): the first target with a handler runs the
// command. An update query runs the first update handler found along the
// chain; without one, a command is enabled exactly when some target handles
// it, so items nobody handles show greyed.

#include <vector>

#include "ui/CCommandTable.h"

class CCommandRouter {
public:
    // Appends a target; the table must outlive the router's use of it.
    void AddTarget(const CCommandTable* table);
    void RemoveTarget(const CCommandTable* table);

    // Runs the command; false when no target handles it (nothing happens).
    bool Execute(int id) const;
    bool HasHandler(int id) const;
    // The state of the command for menus, the side bar and tests.
    CCmdUI UpdateCommand(int id) const;

private:
    std::vector<const CCommandTable*> m_targets;
};
