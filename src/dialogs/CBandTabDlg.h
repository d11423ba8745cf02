#pragma once
// The file-list pane: the file browser over the five channel tabs, whose
// tab row is at the bottom. Choosing a tab lists the catalogue folder again
// for that channel; the animation frame list has tabs of its own.

#include <QTabBar>
#include <QWidget>

#include "dialogs/CBrowserDlg.h"
#include "platform/Settings.h"

class CBandTabDlg : public QWidget {
    Q_OBJECT

public:
    // settings (the profile with the catalogue folder) must outlive the pane.
    explicit CBandTabDlg(CSettings& settings, QWidget* parent = nullptr);

    // Tab index i: the browser's channel becomes i + 1 and the catalogue
    // folder is listed with the re-listing code of its product index.
    void OnSelChangeChannelTab(int tabIndex);

    CBrowserDlg m_wndBrowser;
    QTabBar m_tab;

private:
    CSettings& m_settings;
};
