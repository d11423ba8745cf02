#pragma once
// The one view of the document: a scrolling view that shows the composed
// off-screen picture at a zoom from 1:16 to 16:1. Every change of what is
// shown composes the picture once (image, palette, overlays, in image
// pixels); painting, printing and saving only copy or stretch it, and a
// repaint draws only the exposed part. The mouse reads out the pixel under
// it; Ctrl with the wheel steps the zoom about the cursor.

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/CAnimationPlayback.h"
#include "convection/CConvectionSources.h"
#include "image/GifLoop.h"
#include "image/PaletteChoice.h"
#include "nwp/CNwpOverlay.h"
#include "platform/DataPaths.h"
#include "render/CQtPicture.h"
#include "ui/CCommandTable.h"
#include "view/CDocumentView.h"
#include "view/CQtAnimationTimer.h"

class CKelvraDoc;
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

    // The name of the current product's region (GBK) for the title.
    void SetRegionNameProvider(std::function<std::string()> provider) {
        m_regionName = std::move(provider);
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
    // composed with the view's switches, overlays and palette, the delay from
    // the interval; progress may cancel (false). The view's picture is not
    // touched.
    LoopExportResult ExportLoop(const std::string& path, const LoopProgress& progress);

    // --- State (the view's members) -----------------------------------------------
    // The animation's state (m_bAnimating, m_bPaused, m_nFrame) and timer 4096.
    CAnimationPlayback m_playback{std::make_unique<CQtAnimationTimer>()};
    int m_nDisplayMode = 0;
    // The NWP overlays in insertion order; they stay when other products open.
    std::vector<CNwpOverlay> m_overlays;
    CPaletteChoice m_palette;
    int m_bProvinces = 0;
    int m_bTitle = 1;
    int m_bIsotherms = 0;
    int m_bGrid = 1;
    int m_bMap = 1;
    int m_bLegend = 0;  // the colour legend strip ("色标")
    // The convection layers ("对流" menu): cells, tracks, cooling.
    int m_bCells = 0;
    int m_bTracks = 0;
    int m_bCooling = 0;
    // The cells, tracks and cooling of the pictures shown, kept until the
    // picture or the settings change, and the previous product of the
    // folder for the cooling.
    CConvectionSources m_convection;
    int m_bZoomIn = 0;
    int m_nZoomIn = 1;
    int m_nZoomOut = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void RegisterCommands();
    void RegisterZoomCommands();
    void RegisterLayerCommands();
    void RegisterPaletteCommands();
    void RegisterOutputCommands();
    void RegisterNwpCommands();
    void RegisterConvectionCommands();
    void ToggleConvectionLayer(int CKelvraView::*flag, ConvectionLayer layer);
    void OnCellTable();
    void OnConvectionSettings();
    // What the convection layers draw for the picture on screen.
    ConvectionLayers CurrentConvection();
    // The picture on screen as the convection layers see it: the
    // document's product, in the loop when one is on screen.
    ConvectionSubject ConvectionSubjectOnScreen() const;
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
    CompositionLayers Layers() const;
    CompositionScene Scene(const std::string& regionName, const ConvectionLayers& convection);
    void SetScrollSizes(QSize total);
    void UpdateScrollBars();
    // Pixels of the screen per image pixel at the zoom in force.
    double ZoomScale() const;
    void SetZoomLevel(int level);

    CKelvraDoc& m_doc;
    CDataPaths m_paths;
    QImage m_offscreen;
    // The picture's tiles as view rectangles, for repainting part of it.
    QRegion ViewRegionOf(const CanvasTiles& tiles) const;
    // What the keepable layers drew at earlier compositions.
    CLayerMemory m_layerMemory;
    QSize m_totalSize;
    int m_nComposeCount = 0;
    CCommandTable m_commands;
    std::function<std::string()> m_regionName;
    std::function<void(int)> m_postToFrame;
    std::function<std::string()> m_nwpRoot;
    std::function<void(const std::string&)> m_readout;
    int m_nWheelDelta = 0;  // wheel turn not yet taken as a zoom step
    // The title line's mark of the loop step on screen ("缺测 HH:MM" when held).
    std::string m_strTitleMark;
    std::unique_ptr<QPrinter> m_pPrinter;
    CSettings* m_pProfile = nullptr;
};
