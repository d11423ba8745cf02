#include "app/CMenuBarBuilder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/CCommandRouter.h"
#include "ui/CRecentFileList.h"
#include "ui/CommandIds.h"

namespace {

constexpr const char* kCommandProperty = "kelvraCommand";
constexpr const char* kRecentProperty = "kelvraRecent";

// The frame's shortcut runs the command, also while the menu bar is hidden
// in full screen; the item only shows the key, acting on it while its own
// menu is open and nowhere else, so the two never compete.
void ShowAccelerator(QAction& action, int id) {
    for (const MenuAccelerator& accelerator : MainAccelerators()) {
        if (accelerator.id == id) {
            action.setShortcut(QKeySequence::fromString(QLatin1String(accelerator.keys),
                                                        QKeySequence::PortableText));
            action.setShortcutContext(Qt::WidgetShortcut);
            return;
        }
    }
}

}  // namespace

CMenuBarBuilder::CMenuBarBuilder(const CCommandRouter& router, const CRecentFileList* recentFiles,
                                 QObject* parent)
    : QObject(parent), m_router(router), m_pRecentFiles(recentFiles) {}

int CMenuBarBuilder::CommandId(const QAction& action) {
    return action.property(kCommandProperty).toInt();
}

void CMenuBarBuilder::Build(QMenuBar& menuBar, const std::vector<MenuEntry>& layout) {
    for (const MenuEntry& entry : layout) {
        QMenu* menu = menuBar.addMenu(QString::fromStdString(entry.text));
        Fill(*menu, entry.children);
    }
}

void CMenuBarBuilder::AddCommand(QMenu& menu, const QString& text, int id) {
    QAction* action = menu.addAction(text);
    action->setProperty(kCommandProperty, id);
    ShowAccelerator(*action, id);
    connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
}

void CMenuBarBuilder::Fill(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuEntry::Kind::kSeparator:
                menu.addSeparator();
                break;
            case MenuEntry::Kind::kPopup:
                Fill(*menu.addMenu(QString::fromStdString(entry.text)), entry.children);
                break;
            case MenuEntry::Kind::kRecentFiles:
                AddCommand(menu, QString::fromStdString(entry.text), entry.id);
                menu.actions().back()->setProperty(kRecentProperty, true);
                break;
            case MenuEntry::Kind::kItem:
                AddCommand(menu, QString::fromStdString(entry.text), entry.id);
                break;
        }
    }
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu] { UpdateMenu(menu); });
}

// The placeholder keeps its place: the first recent file takes over its
// action, the others follow it; with an empty list it shows greyed.
void CMenuBarBuilder::UpdateRecentFiles(QMenu& menu) const {
    QList<QAction*> recent;
    for (QAction* action : menu.actions()) {
        if (action->property(kRecentProperty).toBool()) {
            recent << action;
        }
    }
    if (recent.isEmpty()) {
        return;
    }
    QAction* placeholder = recent.front();
    for (qsizetype i = 1; i < recent.size(); ++i) {
        menu.removeAction(recent[i]);
        recent[i]->deleteLater();
    }
    const std::vector<std::string> paths =
        m_pRecentFiles ? m_pRecentFiles->Paths() : std::vector<std::string>();
    if (paths.empty()) {
        placeholder->setText(QStringLiteral("最近文件"));
        return;
    }
    placeholder->setText(QString::fromStdString(CRecentFileList::MenuText(0, paths[0])));
    QAction* before = menu.actions().value(menu.actions().indexOf(placeholder) + 1);
    for (int i = 1; i < static_cast<int>(paths.size()); ++i) {
        const int id = kIdFileMruFirst + i;
        auto* action =
            new QAction(QString::fromStdString(CRecentFileList::MenuText(i, paths[i])), &menu);
        action->setProperty(kCommandProperty, id);
        action->setProperty(kRecentProperty, true);
        connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
        menu.insertAction(before, action);
    }
}

void CMenuBarBuilder::UpdateMenu(QMenu& menu) const {
    UpdateRecentFiles(menu);
    for (QAction* action : menu.actions()) {
        const int id = CommandId(*action);
        if (id == 0) {
            continue;
        }
        const CCmdUI state = m_router.UpdateCommand(id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
        if (state.text) {
            // An item given no text has nothing to offer now: it is hidden.
            action->setText(QString::fromStdString(*state.text));
            action->setVisible(!state.text->empty());
        }
    }
}
