#pragma once
// The animation controls of the side bar: frame interval, start/stop, pause,
// single steps, the 24/48/72 selection boxes, the read-outs of the frame on
// screen, a position slider and the channel tabs over the frame list; beside
// the interval, the switch that paces the loop by observation time, and the
// export of the loop on screen as a GIF. With "自动更新" ticked, a product
// arriving in the folder joins the running loop at its end and its oldest
// frame leaves, and a ticked 24/48/72 box keeps choosing the latest rows. The playback itself
// (state and timer) belongs to the view; this pane drives it.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <vector>

#include "browse/CatalogueListing.h"
#include "dialogs/CMovieListDlg.h"
#include "platform/Settings.h"

class CAnimationPlayback;

// Control ids of the pane, kept as the controls' object names.
enum MovieControlId {
    kMovieSliderId = 1015,
    kMovieTabId = 1017,
    kMovieCounterId = 1018,
    kMovieTimeId = 1019,
    kMovieAnimateId = 1020,
    kMoviePauseId = 1021,
    kMoviePrevId = 1022,
    kMovieNextId = 1023,
    kMovieIntervalId = 1024,
    kMovieCheck24Id = 1029,
    kMovieCheck72Id = 1030,
    kMovieCheck48Id = 1031,
};

constexpr int kMinFrameInterval = 5;
constexpr int kMaxFrameInterval = 10000;
constexpr int kDefaultFrameInterval = 200;

class CMovieDlg : public QWidget {
    Q_OBJECT

public:
    // settings (the profile with the catalogue folder) must outlive the pane.
    explicit CMovieDlg(CSettings& settings, QWidget* parent = nullptr);
    ~CMovieDlg() override;
    CMovieDlg(const CMovieDlg&) = delete;
    CMovieDlg& operator=(const CMovieDlg&) = delete;

    // The view's playback; the pane shows its read-outs. May be none.
    void SetPlayback(CAnimationPlayback* playback);
    // Runs a command through the frame's command table (the export button's
    // 32890); may be none.
    void SetCommandSender(std::function<void(int id)> sender) { m_sendCommand = std::move(sender); }

    // --- Handlers ---------------------------------------------------------------
    // Stops a running animation, or starts one from the selected rows.
    void OnAnimate();
    void OnPause();
    void OnPrevFrame();
    void OnNextFrame();
    // The keyboard's steps: one frame back or on (pausing a playing loop
    // first), the first or last step, and the interval halved or doubled
    // within 5-10000 ms. Nothing happens while no loop runs.
    void OnStepKey(int direction);
    void OnFirstFrame() { SeekKey(0); }
    void OnLastFrame();
    void OnFaster() { ScaleInterval(0.5); }
    void OnSlower() { ScaleInterval(2.0); }
    void OnCheck24() { OnCheckLast(m_b24, 24); }
    void OnCheck48() { OnCheckLast(m_b48, 48); }
    void OnCheck72() { OnCheckLast(m_b72, 72); }
    void OnIntervalKillFocus() { UpdateData(); }
    void OnHScroll();
    void OnSelChangeChannelTab(int tabIndex);
    // The time-true switch: taken by the playback at the next start.
    void OnTimeTrue();
    // "导出动画...": the export command of the view.
    void OnExportLoop();
    // Rows the folder's change added to the frame list, in row order.
    void OnFramesAdded(const std::vector<FrameEntry>& added);

    // Takes the controls' values into the members: the interval (checked
    // against 5-10000; a refused text keeps the last accepted value and
    // returns false) and then the boxes.
    bool UpdateData();
    // Shows the members in the controls.
    void ShowValues();

    // --- Members (in the pane's order) ----------------------------------------
    int m_nFrames = 0;
    CMovieListDlg m_listDlg;
    std::vector<FrameEntry> m_frames;
    QSlider m_slider;
    QTabWidget m_tab;
    int m_nInterval = kDefaultFrameInterval;
    int m_b24 = 0;
    int m_b48 = 0;
    int m_b72 = 0;

    // --- Controls ---------------------------------------------------------------
    QLineEdit m_interval;
    QPushButton m_animate;
    QPushButton m_pause;
    QPushButton m_prev;
    QPushButton m_next;
    QCheckBox m_check24;
    QCheckBox m_check48;
    QCheckBox m_check72;
    QCheckBox m_timeTrue;
    QCheckBox m_autoUpdate;
    QPushButton m_export;
    QPushButton m_exportNetCdf;  // "导出NetCDF...": the loop's values through the view
    QLabel m_time;
    QLabel m_counter;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    void Start();
    void Stop();
    // The box rule: toggle flag, clear the other two, deselect every row,
    // select the last count rows when the flag is on.
    void OnCheckLast(int& flag, int count);
    void ShowBoxes();
    void SetSliderRange(int maximum);
    // Pauses a playing loop, as the pause button does.
    void PauseForKey();
    void SeekKey(int position);
    void ScaleInterval(double factor);
    void ShowReadout(const std::string& counter, int position, const std::string& timeText);
    // The slider's tip: the time of the step at its position.
    void ShowSliderTime();
    // Stretches the tab control by its recorded margins and lays the frame
    // list over its page.
    void PlaceTabAndList();

    CSettings& m_settings;
    CAnimationPlayback* m_pPlayback = nullptr;
    // The frame list's listing the running loop was chosen from: new rows
    // of another channel or code never join it.
    std::string m_strLoopListing;
    std::function<void(int)> m_sendCommand;
    QLabel m_intervalLabel;
    QLabel m_unitLabel;
    // Distances of the tab control to the pane's edges, recorded at start.
    int m_nTabLeft = 0;
    int m_nTabTop = 0;
    int m_nTabRight = 0;
    int m_nTabBottom = 0;
    bool m_bExchanging = false;
};
