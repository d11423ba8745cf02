// The frame's toolbar, status bar and full screen.

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <functional>

#include "app/CLockIndicators.h"
#include "app/CMainFrame.h"
#include "sidebar/COutlook2Ctrl.h"
#include "ui/CommandIds.h"
#include "view/CKelvraView.h"

namespace {

struct ToolButton {
    int id;
    const char* icon;
    // The status-bar text, then after "\n" the tooltip.
    const char* prompt;
};

const std::array<ToolButton, 7> kToolButtons = {{
    {kIdFileOpen, ":/icons/tool-open.png", "打开一个现有文档\n打开"},
    {kIdFileSaveAs, ":/icons/tool-save.png", "将活动文档以一个新文件名保存\n另存为"},
    {kIdFilePrint, ":/icons/tool-print.png", "打印活动文档\n打印"},
    {kIdRuler, ":/icons/tool-ruler.png", "按住左键拖动，量两点间的距离和方位；Esc 退出\n测距"},
    {kIdAreaStatistics, ":/icons/tool-area.png",
     "按住左键拖出矩形，统计其中的数值；Esc 退出\n区域统计"},
    {kIdPointSeries, ":/icons/tool-series.png", "光标所在点在各时次的数值\n单点时间序列"},
    {kIdAppAbout, ":/icons/tool-about.png", "显示程序信息，版本号和版权\n关于"},
}};

constexpr QSize kToolButtonSize(16, 15);
constexpr char kToolBarName[] = "59392";  // the framework's standard toolbar id

}  // namespace

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(QStringLiteral("kelvra"), this);
    m_pToolBar->setObjectName(QString::fromUtf8(kToolBarName));
    m_pToolBar->setIconSize(kToolButtonSize);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const ToolButton& button : kToolButtons) {
        const QString prompt = QString::fromUtf8(button.prompt);
        const qsizetype split = prompt.indexOf(QLatin1Char('\n'));
        QAction* action =
            m_pToolBar->addAction(QIcon(QString::fromUtf8(button.icon)), prompt.mid(split + 1));
        action->setToolTip(prompt.mid(split + 1));
        action->setStatusTip(prompt.left(split));
        action->setData(button.id);
        const int id = button.id;
        connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar() {
    m_pStatusBar = new QStatusBar(this);
    // A normal widget of the message pane: fly-by texts cover it while
    // they are shown, and it comes back when they are cleared.
    m_pIdleLabel = new QLabel(QString::fromUtf8(kIdleText), m_pStatusBar);
    m_pStatusBar->addWidget(m_pIdleLabel, 1);
    m_pLocks = new CLockIndicators(*m_pStatusBar);
    setStatusBar(m_pStatusBar);
}

// Full screen hides every bar and the menu; without this notice a user
// who typed Esc by chance sees the screen change and no way back.
void CMainFrame::CreateFullScreenNotice() {
    m_pFullScreenNotice = new QLabel(QString::fromUtf8(kFullScreenNotice), this);
    m_pFullScreenNotice->setAlignment(Qt::AlignCenter);
    m_pFullScreenNotice->setStyleSheet(
        QStringLiteral("QLabel { background: rgba(0, 0, 0, 180); color: white; padding: 10px 24px; "
                       "border-radius: 6px; font-size: 16pt; }"));
    m_pFullScreenNotice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pFullScreenNotice->hide();
    m_pNoticeTimer = new QTimer(this);
    m_pNoticeTimer->setSingleShot(true);
    connect(m_pNoticeTimer, &QTimer::timeout, m_pFullScreenNotice, &QWidget::hide);
}

void CMainFrame::ShowFullScreenNotice() {
    m_pFullScreenNotice->adjustSize();
    const QSize size = m_pFullScreenNotice->size();
    m_pFullScreenNotice->move((width() - size.width()) / 2, height() / 8);
    m_pFullScreenNotice->show();
    m_pFullScreenNotice->raise();
    m_pNoticeTimer->start(kFullScreenNoticeMs);
}

void CMainFrame::RegisterBarCommands() {
    // The bars are made after the commands, so each handler asks for its bar.
    const auto toggle = [this](int id, std::function<QWidget*()> bar) {
        m_commands.Add(
            id, [bar](int) { bar()->setVisible(bar()->isHidden()); },
            [bar](CCmdUI& ui) { ui.SetCheck(!bar()->isHidden()); });
    };
    toggle(kIdViewToolbar, [this] { return m_pToolBar; });
    toggle(kIdViewStatusBar, [this] { return m_pStatusBar; });
}

void CMainFrame::OnViewFullScreen() {
    if (m_bFullScreen == 0) {
        EnterFullScreen();
    } else {
        LeaveFullScreen();
    }
}

void CMainFrame::EnterFullScreen() {
    m_bToolBarWasVisible = m_pToolBar->isHidden() ? 0 : 1;
    m_bStatusBarWasVisible = m_pStatusBar->isHidden() ? 0 : 1;
    m_bOutbarWasVisible = m_wndOutbar->isHidden() ? 0 : 1;
    m_rcNormal = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
    m_menuSaved = menuBar();
    m_menuSaved->hide();
    // Without caption and border the frame covers the whole screen, with or
    // without a window manager that honours the full-screen state.
    setWindowFlag(Qt::FramelessWindowHint, true);
    m_pToolBar->hide();
    m_pStatusBar->hide();
    m_wndOutbar->hide();
    if (const QScreen* display = screen()) {
        setGeometry(display->geometry());
    }
    showFullScreen();
    m_bFullScreen = 1;
    // The whole picture on the whole screen, fitted again as the size settles.
    m_viewZoomBefore = m_pView->Zoom();
    m_pView->FitToWindow();
    activateWindow();
    m_pView->setFocus();
    ShowFullScreenNotice();
}

void CMainFrame::LeaveFullScreen() {
    m_pNoticeTimer->stop();
    m_pFullScreenNotice->hide();
    setWindowFlag(Qt::FramelessWindowHint, false);
    showNormal();
    if (m_rcNormal.isValid()) {
        setGeometry(m_rcNormal);
    }
    if (m_menuSaved) {
        m_menuSaved->show();
        m_menuSaved = nullptr;
    }
    m_pToolBar->setVisible(m_bToolBarWasVisible != 0);
    m_pStatusBar->setVisible(m_bStatusBarWasVisible != 0);
    m_wndOutbar->setVisible(m_bOutbarWasVisible != 0);
    m_pView->SetZoom(m_viewZoomBefore);
    m_bFullScreen = 0;
    activateWindow();
    m_pView->setFocus();
}
