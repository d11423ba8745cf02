#pragma once
// Builds the menu bar from the menu table. Every item carries its command
// id; choosing it executes the id through the router, and each time a menu
// is about to show its items are brought up to date by the update handlers
// (enabled, check mark, text) and the recent-file list is put in place of
// its placeholder.

#include <QObject>
#include <vector>

#include "app/MenuLayout.h"

class CCommandRouter;
class CRecentFileList;
class QAction;
class QMenu;
class QMenuBar;

class CMenuBarBuilder : public QObject {
    Q_OBJECT

public:
    // The router and the list (which may be none) must outlive the menus.
    CMenuBarBuilder(const CCommandRouter& router, const CRecentFileList* recentFiles,
                    QObject* parent = nullptr);

    void Build(QMenuBar& menuBar, const std::vector<MenuEntry>& layout);

    // Brings every item of the menu up to date, as before it is shown.
    void UpdateMenu(QMenu& menu) const;

    // The command id an action carries (0 for separators and submenus).
    static int CommandId(const QAction& action);

private:
    void Fill(QMenu& menu, const std::vector<MenuEntry>& entries);
    void AddCommand(QMenu& menu, const QString& text, int id);
    void UpdateRecentFiles(QMenu& menu) const;

    const CCommandRouter& m_router;
    const CRecentFileList* m_pRecentFiles;
};
