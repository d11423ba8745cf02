#pragma once
// "叠加管理": one line per overlay of the view's list, "√（显示） …" in the
// overlay's line colour while it is shown, "ㄨ（隐藏） …" greyed while
// hidden. A double click shows or hides the overlay, "显示设置" opens its
// contour settings, "应    用" recomposes the picture, "删    除" removes the
// overlay and recomposes, "关闭窗口" closes.

#include <QDialog>
#include <functional>
#include <vector>

#include "nwp/CNwpOverlay.h"
#include "ui/CUiProviders.h"

class QListWidget;
class QPushButton;

class CNwpManagerDlg : public QDialog {
    Q_OBJECT

public:
    // The list and the providers must outlive the dialog; recompose
    // redraws the view's picture with the list as it stands.
    CNwpManagerDlg(std::vector<CNwpOverlay>& overlays, CUiProviders& providers,
                   std::function<void()> recompose, QWidget* parent = nullptr);

    // The line of one overlay.
    static QString LineText(const CNwpOverlay& overlay);

    QListWidget* List() const { return m_pList; }
    QPushButton* SettingsButton() const { return m_pSettings; }
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    QPushButton* CloseButton() const { return m_pClose; }

    // The buttons' and the double click's actions; those that need a line
    // do nothing without one.
    void OnToggle(int line);
    void OnSettings();
    void OnApply();
    void OnDelete();

    // True when the picture does not show the list as it stands: something
    // changed after the last recomposition.
    bool HasUnappliedChanges() const { return m_bChanged; }

private:
    int SelectedLine() const;
    void ShowLine(int line);
    void Recompose();

    std::vector<CNwpOverlay>& m_overlays;
    CUiProviders& m_providers;
    std::function<void()> m_recompose;
    bool m_bChanged = false;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pSettings = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pClose = nullptr;
};
