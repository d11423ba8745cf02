// A point's history in the view: the context menu of a pixel (or 应用 →
// "单点时间序列" at the last pixel under the mouse) opens a chart of the
// calibrated value at its longitude and latitude in every frame of the loop
// on screen, or, without a loop, in the catalogue's latest products of the
// same channel and geometry up to the open one. Picking another point shows
// its history in the same window.

#include <QContextMenuEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>

#include "browse/CatalogueFolder.h"
#include "browse/SeriesNeighbours.h"
#include "convection/AreaStatistics.h"
#include "dialogs/CSeriesChart.h"
#include "geo/Projection.h"
#include "product/ObservationTime.h"
#include "product/PointSeries.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

namespace {

constexpr char kSeriesTitle[] = "单点时间序列";
constexpr char kNoPlace[] = "单点时间序列：此处没有经纬度";
constexpr char kCsvFilter[] = "CSV文件 (*.csv)|*.csv||";
// Without a loop, the products the history runs over.
constexpr int kCatalogueSeriesLength = 24;
constexpr int kVisibleChannel = 5;

std::string Format(const char* format, double a, double b = 0.0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

void CKelvraView::contextMenuEvent(QContextMenuEvent* event) {
    if (m_doc.Product().productLoaded == 0) {
        return;
    }
    // The mouse's menu comes through the viewport, in its coordinates; the
    // keyboard's to the view itself.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapFrom(this, event->pos())
                          : event->pos();
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(kSeriesTitle), this, [this, at] { ShowPointSeries(at); });
    menu.exec(event->globalPos());
}

std::vector<std::string> CKelvraView::SeriesPaths() const {
    std::string folder = m_pProfile ? ReadCatalogueFolder(*m_pProfile) : std::string();
    const std::string open = m_doc.PathName();
    std::vector<std::string> paths = SeriesNeighbours(folder, open, kCatalogueSeriesLength);
    if (paths.size() <= 1) {
        // A product opened from elsewhere: its own folder's products.
        paths = SeriesNeighbours(std::filesystem::path(open).parent_path().string(), open,
                                 kCatalogueSeriesLength);
    }
    return paths;
}

bool CKelvraView::ShowPointSeries(const QPoint& viewportPos) {
    const CGeoImage& current = m_doc.Product();
    if (current.productLoaded == 0) {
        return false;
    }
    const QPoint pixel = ImagePixelAt(viewportPos);
    float lon = 0.0f;
    float lat = 0.0f;
    if (PixelToLatLon(current.Params(), pixel.x(), pixel.y(), lon, lat) != 0) {
        Tell(kNoPlace);
        return false;
    }
    // The loop's frames, else the catalogue's products read for the chart.
    std::vector<CGeoImage> read;
    std::vector<const CGeoImage*> products;
    if (m_playback.m_bAnimating && !m_doc.FrameProducts().empty()) {
        for (const CGeoImage& frame : m_doc.FrameProducts()) {
            products.push_back(&frame);
        }
    } else {
        const std::vector<std::string> paths = SeriesPaths();
        read.resize(paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) {
            if (read[i].ReadProduct(paths[i])) {
                products.push_back(&read[i]);
            }
        }
        if (products.empty()) {
            products.push_back(&current);
        }
    }
    std::vector<SeriesPoint> points = PointSeries(products, lon, lat);
    const std::int64_t now = ObservationMinutes(current.Description());
    int marked = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        marked = points[i].minutes == now ? static_cast<int>(i) : marked;
    }
    const ProductDescription& d = current.Description();
    const bool temperatures = d.IsGrid() || d.channel != kVisibleChannel;
    const double offset = temperatures ? kKelvinAtZeroCelsius : 0.0;
    const std::string valueTitle = temperatures ? "亮温 (°C)" : "反照率 (%)";
    const std::string place = Format("%.2f°E %.2f°N", lon, lat);

    TextTable table;
    table.header = {"时间", valueTitle};
    for (const SeriesPoint& p : points) {
        table.rows.push_back({IsoTimeText(p.minutes),
                              p.present ? Format("%.1f", p.value - offset) : std::string("-")});
    }
    if (!m_pSeriesPanel) {
        m_pSeriesPanel = new CTableDlg(
            QString(),
            [this] {
                return m_doc.Providers().saveFile
                           ? m_doc.Providers().saveFile(
                                 {kSeriesTitle, kCsvFilter, "单点时间序列.csv", ""})
                           : std::nullopt;
            },
            this);
        m_pSeriesChart = new CSeriesChart(m_pSeriesPanel);
        m_pSeriesPanel->Layout()->insertWidget(0, m_pSeriesChart, 3);
        m_pSeriesPanel->resize(m_pSeriesChart->sizeHint() + QSize(40, 320));
    }
    m_pSeriesPanel->setWindowTitle(QString::fromStdString(kSeriesTitle + ("  " + place)));
    m_pSeriesChart->SetSeries(std::move(points), QString::fromStdString(valueTitle + "  " + place),
                              offset, marked);
    m_pSeriesPanel->SetTable(std::move(table));
    m_pSeriesPanel->show();
    m_pSeriesPanel->raise();
    return true;
}
