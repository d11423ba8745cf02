#pragma once
// One command target's table: command id -> handler and id -> update
// handler, single ids or ranges. Targets are chained by CCommandRouter.

#include <functional>
#include <map>
#include <utility>

#include "ui/CCmdUI.h"

class CCommandTable {
public:
    using Handler = std::function<void(int id)>;
    using Updater = std::function<void(CCmdUI& cmdUI)>;

    // Registers a handler for one id (replacing an earlier one) and an
    // optional update handler.
    void Add(int id, Handler handler, Updater updater = {});
    // The same for every id of first..last.
    void AddRange(int first, int last, Handler handler, Updater updater = {});
    // An update handler without a command handler (rarely wanted).
    void AddUpdate(int id, Updater updater);

    const Handler* FindHandler(int id) const;
    const Updater* FindUpdater(int id) const;

private:
    std::map<int, Handler> m_handlers;
    std::map<int, Updater> m_updaters;
};
