#include "dialogs/CMovieDlg.h"

#include <QCursor>
#include <QFocusEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolTip>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "browse/CAnimationPlayback.h"
#include "browse/CatalogueFolder.h"
#include "browse/ChannelTabs.h"
#include "browse/ProductCode.h"
#include "dialogs/CompactTabs.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogUnits.h"
#include "ui/CommandIds.h"

namespace {

// The frames' times are the headers' UTC; the text says so.
QString WithZone(const std::string& timeText) {
    return timeText.empty() ? QString()
                            : QString::fromStdString(timeText) + QStringLiteral(" (UTC)");
}

constexpr char kAnimateText[] = "动  画";
constexpr char kStopText[] = "结  束";
constexpr char kPauseText[] = "暂  停";
constexpr char kContinueText[] = "继  续";
constexpr char kTimeTrueText[] = "按观测时间";
constexpr char kTimeTrueTip[] =
    "按观测时间播放：每一幅为一个时次（观测间隔的中位数），缺测时次保持前一幅，"
    "标题行标注“缺测 HH:MM”";
constexpr char kExportText[] = "导出动画...";
constexpr char kExportNetCdfText[] = "导出NetCDF...";
constexpr char kAutoUpdateText[] = "自动更新";
constexpr char kAutoUpdateTip[] = "新到的产品加入正在播放的动画末尾，最早的一幅退出";

// The pane's size in dialog units.
constexpr int kPaneWidth = 182;
constexpr int kPaneHeight = 241;

// The frame list starts this far right of the pane's left edge and ends this
// far above the tab row.
constexpr int kListLeftInset = 5;
constexpr int kListGapAboveTabs = 2;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void Place(QWidget& control, int id, int x, int y, int width, int height) {
    if (id != 0) {
        control.setObjectName(QString::number(id));
    }
    control.setGeometry(DialogUnitsToPixels(x, y, width, height));
}

}  // namespace

CMovieDlg::CMovieDlg(CSettings& settings, QWidget* parent) : QWidget(parent), m_settings(settings) {
    BuildControls();
    ConnectControls();
    ShowValues();
}

CMovieDlg::~CMovieDlg() {
    m_interval.removeEventFilter(this);
    SetPlayback(nullptr);
}

void CMovieDlg::BuildControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             &m_intervalLabel, &m_interval, &m_unitLabel, &m_animate, &m_pause, &m_prev, &m_next,
             &m_check24, &m_check48, &m_check72, &m_timeTrue, &m_autoUpdate, &m_export,
             &m_exportNetCdf, &m_time, &m_counter, &m_slider, &m_tab, &m_listDlg}) {
        control->setParent(this);
    }
    m_intervalLabel.setText(Text("动画间隔："));
    Place(m_intervalLabel, 0, 8, 11, 41, 8);
    Place(m_interval, kMovieIntervalId, 53, 7, 30, 15);
    m_unitLabel.setText(Text("毫秒"));
    Place(m_unitLabel, 0, 87, 11, 17, 8);
    m_timeTrue.setText(Text(kTimeTrueText));
    m_timeTrue.setObjectName(QStringLiteral("timeTrue"));
    m_timeTrue.setToolTip(Text(kTimeTrueTip));
    m_timeTrue.setGeometry(DialogUnitsToPixels(108, 9, 72, 10));

    m_animate.setText(Text(kAnimateText));
    Place(m_animate, kMovieAnimateId, 4, 30, 50, 14);
    m_pause.setText(Text(kPauseText));
    Place(m_pause, kMoviePauseId, 58, 30, 50, 14);
    m_export.setText(Text(kExportText));
    m_export.setObjectName(QString::number(kIdExportLoop));
    m_export.setGeometry(DialogUnitsToPixels(112, 30, 66, 14));
    m_exportNetCdf.setText(Text(kExportNetCdfText));
    m_exportNetCdf.setObjectName(QString::number(kIdExportNetCdf));
    m_exportNetCdf.setGeometry(DialogUnitsToPixels(112, 62, 66, 11));
    m_autoUpdate.setText(Text(kAutoUpdateText));
    m_autoUpdate.setObjectName(QStringLiteral("autoUpdate"));
    m_autoUpdate.setToolTip(Text(kAutoUpdateTip));
    m_autoUpdate.setGeometry(DialogUnitsToPixels(112, 51, 66, 10));
    m_prev.setText(Text("前一幅"));
    Place(m_prev, kMoviePrevId, 4, 49, 50, 14);
    m_next.setText(Text("后一幅"));
    Place(m_next, kMovieNextId, 58, 49, 50, 14);

    m_check24.setText(Text("24个时次"));
    Place(m_check24, kMovieCheck24Id, 4, 74, 48, 10);
    m_check48.setText(Text("48个时次"));
    Place(m_check48, kMovieCheck48Id, 58, 74, 48, 10);
    m_check72.setText(Text("72个时次"));
    Place(m_check72, kMovieCheck72Id, 112, 74, 48, 10);

    m_time.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_time.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Place(m_time, kMovieTimeId, 11, 92, 106, 14);
    m_counter.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_counter.setAlignment(Qt::AlignCenter);
    Place(m_counter, kMovieCounterId, 121, 92, 32, 14);

    m_slider.setOrientation(Qt::Horizontal);
    m_slider.setTickPosition(QSlider::NoTicks);
    Place(m_slider, kMovieSliderId, 4, 109, 157, 15);
    SetSliderRange(0);

    m_tab.setTabPosition(QTabWidget::South);
    MakeTabsCompact(*m_tab.tabBar());
    Place(m_tab, kMovieTabId, 4, 128, 174, 113);
    for (int i = 0; i < kChannelTabCount; ++i) {
        m_tab.addTab(new QWidget, QString::fromStdString(ChannelTabText(i)));
    }

    resize(DialogUnitsToPixels(kPaneWidth, kPaneHeight));
    const QRect tab = m_tab.geometry();
    m_nTabLeft = tab.left();
    m_nTabTop = tab.top();
    m_nTabRight = width() - (tab.left() + tab.width());
    m_nTabBottom = height() - (tab.top() + tab.height());

    m_listDlg.m_nChannel = 1;
    m_listDlg.raise();
    m_listDlg.show();
    PlaceTabAndList();

    m_pause.setEnabled(false);
    m_prev.setEnabled(false);
    m_next.setEnabled(false);
    m_export.setEnabled(false);
    m_exportNetCdf.setEnabled(false);
}

void CMovieDlg::ConnectControls() {
    connect(&m_animate, &QPushButton::clicked, this, [this] { OnAnimate(); });
    connect(&m_pause, &QPushButton::clicked, this, [this] { OnPause(); });
    connect(&m_prev, &QPushButton::clicked, this, [this] { OnPrevFrame(); });
    connect(&m_next, &QPushButton::clicked, this, [this] { OnNextFrame(); });
    connect(&m_check24, &QCheckBox::clicked, this, [this] { OnCheck24(); });
    connect(&m_check48, &QCheckBox::clicked, this, [this] { OnCheck48(); });
    connect(&m_check72, &QCheckBox::clicked, this, [this] { OnCheck72(); });
    connect(&m_timeTrue, &QCheckBox::toggled, this, [this] { OnTimeTrue(); });
    connect(&m_export, &QPushButton::clicked, this, [this] { OnExportLoop(); });
    connect(&m_exportNetCdf, &QPushButton::clicked, this, [this] {
        if (m_sendCommand) {
            m_sendCommand(kIdExportNetCdf);
        }
    });
    connect(&m_slider, &QSlider::sliderMoved, this, [this] { ShowSliderTime(); });
    // Programmatic moves block the slider's signals, so only the user's
    // moves reach the handler.
    connect(&m_slider, &QSlider::valueChanged, this, [this] { OnHScroll(); });
    // Connected after the tabs exist, so building the pane lists nothing.
    connect(&m_tab, &QTabWidget::currentChanged, this,
            [this](int index) { OnSelChangeChannelTab(index); });
    m_interval.installEventFilter(this);
    m_listDlg.SetFramesAddedHook(
        [this](const std::vector<FrameEntry>& added) { OnFramesAdded(added); });
}

void CMovieDlg::SetPlayback(CAnimationPlayback* playback) {
    if (m_pPlayback != nullptr) {
        m_pPlayback->SetReadoutHook({});
    }
    m_pPlayback = playback;
    if (m_pPlayback != nullptr) {
        m_pPlayback->SetInterval(m_nInterval);
        m_pPlayback->SetTimeTrue(m_timeTrue.isChecked());
        m_pPlayback->SetReadoutHook(
            [this](const std::string& counter, int position, const std::string& timeText) {
                ShowReadout(counter, position, timeText);
            });
    }
}

bool CMovieDlg::eventFilter(QObject* watched, QEvent* event) {
    // Focus that leaves with the window (a message box opening, another
    // application) is not the user leaving the edit.
    if (watched == &m_interval && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        OnIntervalKillFocus();
    }
    return QWidget::eventFilter(watched, event);
}

bool CMovieDlg::UpdateData() {
    // The message box of a refused value must not start a second exchange.
    if (m_bExchanging) {
        return false;
    }
    m_bExchanging = true;
    int interval = m_nInterval;
    const bool accepted =
        ExchangeInt(m_interval, interval) &&
        ValidateIntRange(m_interval, interval, kMinFrameInterval, kMaxFrameInterval);
    if (accepted) {
        m_nInterval = interval;
        m_b24 = m_check24.isChecked() ? 1 : 0;
        m_b48 = m_check48.isChecked() ? 1 : 0;
        m_b72 = m_check72.isChecked() ? 1 : 0;
        if (m_pPlayback != nullptr) {
            m_pPlayback->SetInterval(m_nInterval);
        }
    }
    m_bExchanging = false;
    return accepted;
}

void CMovieDlg::ShowValues() {
    m_interval.setText(QString::number(m_nInterval));
    ShowBoxes();
}

void CMovieDlg::ShowBoxes() {
    m_check24.setChecked(m_b24 != 0);
    m_check48.setChecked(m_b48 != 0);
    m_check72.setChecked(m_b72 != 0);
}

void CMovieDlg::OnCheckLast(int& flag, int count) {
    const int on = flag ? 0 : 1;
    m_b24 = m_b48 = m_b72 = 0;
    flag = on;
    m_listDlg.DeselectAll();
    if (on) {
        m_listDlg.SelectLatest(count);
    }
    ShowBoxes();
}

void CMovieDlg::OnAnimate() {
    UpdateData();
    if (m_pPlayback == nullptr) {
        return;
    }
    if (m_pPlayback->m_bAnimating) {
        Stop();
    } else {
        Start();
    }
}

void CMovieDlg::Start() {
    m_frames = m_listDlg.SelectedEntries();
    m_nFrames = static_cast<int>(m_frames.size());
    if (!m_pPlayback->Start(m_frames)) {
        return;
    }
    m_strLoopListing = m_listDlg.ListingKey();
    // A time-true loop plays the frames in time order, one step per slot.
    m_frames = m_pPlayback->Frames();
    SetSliderRange(m_pPlayback->StepCount() - 1);
    const int slot = m_pPlayback->SlotMinutes();
    m_timeTrue.setToolTip(slot > 0 ? Text(kTimeTrueTip) + Text("。本次每一幅 %1 分钟。").arg(slot)
                                   : Text(kTimeTrueTip));
    m_animate.setText(Text(kStopText));
    m_pause.setEnabled(true);
    m_export.setEnabled(true);
    m_exportNetCdf.setEnabled(true);
}

void CMovieDlg::Stop() {
    m_pPlayback->Stop();
    SetSliderRange(0);
    m_animate.setText(Text(kAnimateText));
    m_pause.setText(Text(kPauseText));
    m_pause.setEnabled(false);
    m_prev.setEnabled(false);
    m_next.setEnabled(false);
    m_export.setEnabled(false);
    m_exportNetCdf.setEnabled(false);
    m_counter.clear();
    m_time.clear();
    m_slider.setToolTip(QString());
}

void CMovieDlg::OnTimeTrue() {
    if (m_pPlayback != nullptr) {
        m_pPlayback->SetTimeTrue(m_timeTrue.isChecked());
    }
}

void CMovieDlg::OnExportLoop() {
    if (m_sendCommand) {
        m_sendCommand(kIdExportLoop);
    }
}

void CMovieDlg::OnFramesAdded(const std::vector<FrameEntry>& added) {
    if (!m_autoUpdate.isChecked()) {
        return;
    }
    // A loop of the latest 24/48/72 grows up to its count; any other loop
    // keeps its length.
    int latest = 0;
    for (const auto& [flag, count] : {std::pair{m_b24, 24}, {m_b48, 48}, {m_b72, 72}}) {
        if (flag) {
            latest = count;
            m_listDlg.DeselectAll();
            m_listDlg.SelectLatest(count);
        }
    }
    if (m_pPlayback == nullptr || !m_pPlayback->m_bAnimating ||
        m_listDlg.ListingKey() != m_strLoopListing) {
        return;
    }
    const int length = latest > 0 ? latest : m_pPlayback->FrameCount();
    bool rolled = false;
    for (const FrameEntry& frame : added) {
        rolled = m_pPlayback->TakeNewestFrame(frame, length) || rolled;
    }
    if (rolled) {
        m_frames = m_pPlayback->Frames();
        m_nFrames = static_cast<int>(m_frames.size());
        const QSignalBlocker blocker(m_slider);
        m_slider.setMaximum(m_pPlayback->StepCount() - 1);
    }
}

void CMovieDlg::ShowSliderTime() {
    if (m_pPlayback == nullptr) {
        return;
    }
    const QString text = WithZone(m_pPlayback->StepTimeText(m_slider.value()));
    m_slider.setToolTip(text);
    if (m_slider.isSliderDown() && !text.isEmpty()) {
        QToolTip::showText(QCursor::pos(), text, &m_slider);
    }
}

void CMovieDlg::OnPause() {
    if (m_pPlayback == nullptr || !m_pPlayback->m_bAnimating) {
        return;
    }
    const bool paused = m_pPlayback->TogglePause();
    m_pause.setText(Text(paused ? kContinueText : kPauseText));
    m_prev.setEnabled(paused);
    m_next.setEnabled(paused);
}

void CMovieDlg::OnPrevFrame() {
    if (m_pPlayback != nullptr) {
        m_pPlayback->PreviousFrame();
    }
}

void CMovieDlg::OnNextFrame() {
    if (m_pPlayback != nullptr) {
        m_pPlayback->NextFrame();
    }
}

void CMovieDlg::PauseForKey() {
    if (m_pPlayback != nullptr && m_pPlayback->m_bAnimating && !m_pPlayback->m_bPaused) {
        OnPause();
    }
}

void CMovieDlg::OnStepKey(int direction) {
    if (m_pPlayback == nullptr || !m_pPlayback->m_bAnimating) {
        return;
    }
    PauseForKey();
    if (direction < 0) {
        OnPrevFrame();
    } else {
        OnNextFrame();
    }
}

void CMovieDlg::OnLastFrame() {
    if (m_pPlayback != nullptr) {
        SeekKey(m_pPlayback->StepCount() - 1);
    }
}

void CMovieDlg::SeekKey(int position) {
    if (m_pPlayback == nullptr || !m_pPlayback->m_bAnimating) {
        return;
    }
    PauseForKey();
    // The slider shows the step and its move seeks the paused loop.
    const QSignalBlocker blocker(m_slider);
    m_slider.setValue(position);
    m_pPlayback->SeekWhilePaused(position);
}

void CMovieDlg::ScaleInterval(double factor) {
    if (m_pPlayback == nullptr || !m_pPlayback->m_bAnimating) {
        return;
    }
    m_nInterval =
        std::clamp(static_cast<int>(m_nInterval * factor), kMinFrameInterval, kMaxFrameInterval);
    m_interval.setText(QString::number(m_nInterval));
    m_pPlayback->SetInterval(m_nInterval);
}

void CMovieDlg::OnHScroll() {
    if (m_pPlayback == nullptr || !m_pPlayback->m_bPaused) {
        return;
    }
    m_pPlayback->SeekWhilePaused(m_slider.value());
    ShowValues();
}

void CMovieDlg::OnSelChangeChannelTab(int tabIndex) {
    if (tabIndex < 0) {
        return;
    }
    m_listDlg.m_nChannel = static_cast<std::int16_t>(ChannelOfTab(tabIndex));
    const std::string code = RelistingCode(m_listDlg.m_nProduct);
    m_listDlg.ListFiles(ReadCatalogueFolder(m_settings), code);
    m_b24 = m_b48 = m_b72 = 0;
    ShowBoxes();
}

void CMovieDlg::SetSliderRange(int maximum) {
    const QSignalBlocker blocker(m_slider);
    m_slider.setRange(0, maximum);
    m_slider.setValue(0);
}

void CMovieDlg::ShowReadout(const std::string& counter, int position, const std::string& timeText) {
    m_counter.setText(QString::fromStdString(counter));
    {
        const QSignalBlocker blocker(m_slider);
        m_slider.setValue(position);
    }
    m_slider.setToolTip(WithZone(timeText));
    m_time.setText(WithZone(timeText));
}

void CMovieDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceTabAndList();
}

void CMovieDlg::PlaceTabAndList() {
    m_tab.setGeometry(m_nTabLeft, m_nTabTop, width() - m_nTabLeft - m_nTabRight,
                      height() - m_nTabTop - m_nTabBottom);
    const int tabRowTop = m_tab.height() - m_tab.tabBar()->sizeHint().height();
    // The left edge counts from the tab control's client left, which is 0.
    m_listDlg.setGeometry(kListLeftInset, height() - m_tab.height() + 1, m_tab.width(),
                          std::max(0, tabRowTop - kListGapAboveTabs));
    update();
}
