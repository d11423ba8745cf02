#pragma once
// The one view of the document: a scrolling view that shows the composed
// off-screen picture at a zoom from 1:16 to 16:1. Every change of what is
// shown composes the picture once (image, palette, overlays, in image
// pixels); painting, printing and saving only copy or stretch it, and a
// repaint draws only the exposed part. The mouse reads out the pixel under
// it; Ctrl with the wheel steps the zoom about the cursor.

#include <QAbstractScrollArea>
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QRegion>
#include <QSize>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationPlayback.h"
#include "compose/CPictureJob.h"
#include "convection/PixelAreas.h"
#include "convection/PixelBox.h"
#include "dialogs/CTableDlg.h"
#include "image/GifLoop.h"
#include "image/PaletteChoice.h"
#include "platform/CanvasTiles.h"
#include "platform/DataPaths.h"
#include "platform/TextTable.h"
#include "ui/CCommandTable.h"
#include "view/CDocumentView.h"
#include "view/CQtAnimationTimer.h"
#include "view/ChannelDisplay.h"
#include "view/ViewMode.h"

class CKelvraDoc;
class CSeriesChart;
class QContextMenuEvent;
class CSettings;
class QMouseEvent;
class QPrinter;
class QWheelEvent;

class CKelvraView : public QAbstractScrollArea, public CDocumentView {
    Q_OBJECT

public:
    CKelvraView(CKelvraDoc& document, CDataPaths paths, QWidget* parent = nullptr);
    ~CKelvraView() override;
    CKelvraView(const CKelvraView&) = delete;
    CKelvraView& operator=(const CKelvraView&) = delete;

    CKelvraDoc& GetDocument() const { return m_doc; }
    const CCommandTable& Commands() const { return m_commands; }

    // What every picture of the view is composed with: its layer switches,
    // NWP overlays, precipitation estimate and convection sources.
    CPictureJob& Job() { return m_job; }
    const CPictureJob& Job() const { return m_job; }

    // The name of the current product's region (GBK) for the title.
    void SetRegionNameProvider(std::function<std::string()> provider) {
        m_job.SetRegionNameProvider(std::move(provider));
    }
    // Posts a command to the main frame (Esc posts the full-screen command).
    void SetFramePoster(std::function<void(int id)> poster) { m_postToFrame = std::move(poster); }
    // The NWP catalogue root, read from the profile at each use.
    void SetNwpRootProvider(std::function<std::string()> provider) {
        m_nwpRoot = std::move(provider);
    }
    // Told the read-out of the pixel under the mouse as it moves (UTF-8),
    // and "" when the mouse leaves the view.
    void SetReadoutObserver(std::function<void(const std::string&)> observer) {
        m_readout = std::move(observer);
    }

    // The profile the convection settings are read from and saved to (may
    // be none: the defaults are used and nothing is saved).
    void SetProfile(CSettings* profile);

    // --- CDocumentView ----------------------------------------------------------
    void OnInitialUpdate() override;
    void OnUpdate() override;
    const QImage& OffscreenPicture() const override { return m_offscreen; }

    // Rebuilds (when the document asks) and redraws the picture and
    // repaints; 1 when composed, 0 without an image or picture.
    int Compose();
    // Composes after the layer switches only changed from shown: the view
    // repaints only what changed.
    int ComposeSwitch(const CompositionLayers& shown);
    // How many compositions succeeded, for tests and benchmarks.
    int ComposeCount() const { return m_nComposeCount; }

    // The total scroll size of the zoom in force.
    QSize TotalSizeFromZoom() const;
    QSize TotalSize() const { return m_totalSize; }
    // Paints the part of the picture that falls in rect (total-size
    // coordinates) onto the painter, whose origin is the picture's corner:
    // nearest-neighbour, only the source pixels that rect needs. Returns the
    // rectangle painted (empty when nothing was).
    QRect PaintPicture(QPainter& painter, const QRect& rect) const;
    // The image pixel shown at a point of the viewport, at the zoom in
    // force; it may lie outside the image.
    QPoint ImagePixelAt(const QPoint& viewportPos) const;
    // The status-bar read-out of that pixel ("" without an image).
    std::string ReadoutAt(const QPoint& viewportPos) const;

    // One zoom step larger (steps > 0) or smaller along 1:16 … 1:2, 1:1,
    // 2:1 … 16:1 in factors of two, through the zoom commands; the image
    // point at anchor (viewport coordinates) stays where it is.
    void StepZoom(int steps, const QPoint& anchor);
    // The same about the middle of the viewport.
    void StepZoom(int steps);
    // "适合窗口": the largest zoom step that shows the whole picture, centred
    // in the viewport and fitted again as the view changes size, until
    // another zoom is chosen.
    void FitToWindow();
    bool IsFitToWindow() const { return m_bFitWindow != 0; }
    // The zoom in force, to be put back later (full screen leaves the zoom
    // as it found it).
    struct ZoomState {
        int bZoomIn = 0;
        int nZoomIn = 1;
        int nZoomOut = 1;
        int bFitWindow = 0;
    };
    ZoomState Zoom() const { return {m_bZoomIn, m_nZoomIn, m_nZoomOut, m_bFitWindow}; }
    void SetZoom(const ZoomState& zoom);

    // What the left button does; dragging with the middle button always
    // moves the picture.
    ViewMode Mode() const { return m_eMode; }
    // Enters a mode (the marks of the one before go); Esc leaves it.
    void SetMode(ViewMode mode);
    // The image point (fractions of pixels) at a point of the viewport.
    QPointF ImagePointAt(const QPoint& viewportPos) const;
    // The ruler's text for the line on screen ("" without one).
    std::string RulerReadout() const;
    // The area tool's table for the box on screen; empty rows without one.
    const TextTable& AreaTable() const { return m_areaTable; }
    // The area tool's panel, once a box was chosen (else none).
    CTableDlg* AreaPanel() const { return m_pAreaPanel; }
    // The area statistics of the pixel box (image corners, any order) for
    // the product on screen, or for each frame of a loop, shown in the
    // panel; the refusal is told through the read-out. False when refused.
    bool ShowAreaStatistics(PixelBox box);
    // The history of the point under viewportPos in the chart window: the
    // loop's frames, or the catalogue's latest 24 of the open product's
    // channel and geometry. False (told through the read-out) where the
    // point has no longitude and latitude.
    bool ShowPointSeries(const QPoint& viewportPos);
    // The chart window, once a point was picked (else none).
    CTableDlg* SeriesPanel() const { return m_pSeriesPanel; }
    CSeriesChart* SeriesChart() const { return m_pSeriesChart; }

    // Where a picture of the given size goes on a printable area: as large
    // as fits, aspect ratio kept, centred.
    static QRect FitToPage(const QSize& picture, const QRect& printable);
    // Paints the whole picture onto a page whose printable area is printable.
    void PaintPage(QPainter& painter, const QRect& printable) const;
    // Prints the picture fitted to the printer's printable area.
    void PrintTo(QPrinter& printer) const;
    QPrinter& Printer();

    // --- NWP overlays ---------------------------------------------------------------
    // Appends one overlay per path, in order, each reading its file; a file
    // that is refused still adds an overlay, which draws nothing. The number
    // of files read.
    int AddNwpOverlays(const std::vector<std::string>& paths);
    // The menu text of data class n: the catalogue's class title, or
    // "第n类资料", with n as the mnemonic.
    std::string NwpClassMenuText(int classNumber) const;

    // --- Animation export ------------------------------------------------------------
    // Writes the loop on screen, step by step as it plays, to a GIF at path,
    // each step composed through the view's job as the screen shows it, the
    // delay from the interval; progress may cancel (false). The view's
    // picture is not touched.
    LoopExportResult ExportLoop(const std::string& path, const LoopProgress& progress);

    // --- Channels together ("通道组合") ---------------------------------------------
    // The command of the picture of several channels on screen; 0 while the
    // open channel's own image is shown.
    int CombinationShown() const { return m_channels.shownId; }

    // --- State (the view's members) -----------------------------------------------
    // The animation's state (m_bAnimating, m_bPaused, m_nFrame) and timer 4096.
    CAnimationPlayback m_playback{std::make_unique<CQtAnimationTimer>()};
    // The palette items' state; the job's layers take its palette pair.
    CPaletteChoice m_palette;
    int m_bZoomIn = 0;
    int m_nZoomIn = 1;
    int m_nZoomOut = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // While no loop runs, the arrows scroll the picture before the frame's
    // loop keys see them.
    bool event(QEvent* event) override;

private:
    void RegisterCommands();
    void RegisterZoomCommands();
    void RegisterLayerCommands();
    void RegisterPaletteCommands();
    void RegisterOutputCommands();
    void RegisterNwpCommands();
    void RegisterConvectionCommands();
    void RegisterToolCommands();
    // The ruler's and the area's mouse: true when the event was theirs.
    bool ToolPress(QMouseEvent* event);
    bool ToolMove(QMouseEvent* event);
    bool ToolRelease(QMouseEvent* event);
    // The marks of the tools over the picture (on screen only).
    void PaintMarks(QPainter& painter) const;
    void Tell(const std::string& text);
    // The read-out's parts of the layers shown at that pixel: each visible
    // NWP overlay's value, the precipitation estimate's mm and the cell
    // under it; from what the last composition left, so nothing is worked
    // out while the mouse moves.
    void AppendLayerReadouts(const QPoint& pixel, std::string& text) const;
    // Without a loop, the products a point's history runs over.
    std::vector<std::string> SeriesPaths() const;
    void RegisterChannelCommands();
    // Shows the difference or recipe of the command over the open product's
    // observation; says why when it cannot be made.
    void OnCombination(int id);
    // "返回原图": the open channel again while a combination is shown, else
    // the document's own command.
    void OnRestoreFirst();
    // The menu text of a recipe slot ("" hides it), the list read afresh
    // for the first slot.
    std::string RecipeSlotText(int id);
    void ToggleLayer(int CompositionLayers::*flag);
    void ToggleConvectionLayer(int CompositionLayers::*flag, ConvectionLayer layer);
    void OnCellTable();
    void OnConvectionSettings();
    // What the view shows: the document's product, in the loop when one
    // is on screen, with the step's title mark.
    PictureSubject Subject() const;
    void OnNwpClass(int id);
    void OnNwpManager();
    std::string NwpRoot() const;
    void OnZoomIn(int id);
    void OnZoomOut(int id);
    void OnActualSize();
    void OnPaletteCommand(int id);
    void OnFileInfo();
    void OnFilePrint(bool askFirst);
    void OnFilePrintPreview();
    // Asks for the GIF's name and exports the loop with a progress dialog.
    void OnExportLoop();
    // Asks for a name and exports the loop's frames' values as one NetCDF file.
    void OnExportNetCdf();
    void SetScrollSizes(QSize total);
    void UpdateScrollBars();
    // Pixels of the screen per image pixel at the zoom in force.
    double ZoomScale() const;
    void SetZoomLevel(int level);
    // The zoom step of "适合窗口" for the viewport as it is, and its use.
    int FitLevel() const;
    void ApplyFit();
    // The total-size point at the viewport's corner: the scroll position,
    // less the margin that centres a fitted picture smaller than the view.
    QPoint ViewOffset() const;
    // Whether the press starts dragging the picture.
    bool PansWith(Qt::MouseButton button) const;

    CKelvraDoc& m_doc;
    CPictureJob m_job;
    QImage m_offscreen;
    // The picture's tiles as view rectangles, for repainting part of it.
    QRegion ViewRegionOf(const CanvasTiles& tiles) const;
    QSize m_totalSize;
    int m_nComposeCount = 0;
    CCommandTable m_commands;
    std::function<void(int)> m_postToFrame;
    std::function<std::string()> m_nwpRoot;
    std::function<void(const std::string&)> m_readout;
    int m_nWheelDelta = 0;  // wheel turn not yet taken as a zoom step
    int m_bFitWindow = 0;
    ViewMode m_eMode = ViewMode::kNormal;
    // The tools' marks in image coordinates: where the press was and where
    // the mouse is (or was released); shown while m_bMarkShown.
    QPointF m_markFrom;
    QPointF m_markTo;
    bool m_bMarking = false;
    bool m_bMarkShown = false;
    TextTable m_areaTable;
    QPointer<CTableDlg> m_pAreaPanel;
    CPixelAreas m_areas;  // of the geometry last measured
    QPointer<CTableDlg> m_pSeriesPanel;
    CSeriesChart* m_pSeriesChart = nullptr;  // the panel's
    QPoint m_lastMouse;                      // the viewport point last under the mouse
    // While the picture is dragged: where the press was and the scroll
    // position then.
    bool m_bPanning = false;
    QPoint m_panFrom;
    QPoint m_panScroll;
    // The title line's mark of the loop step on screen ("缺测 HH:MM" when held).
    std::string m_strTitleMark;
    std::unique_ptr<QPrinter> m_pPrinter;
    CSettings* m_pProfile = nullptr;
    ChannelDisplay m_channels;
};
