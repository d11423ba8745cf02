// The analyst's tools in the view: the ruler ("测距") and the area
// statistics ("区域统计"). Each is a mode that takes over the left button;
// its marks are drawn over the composed picture on screen only, never into
// the picture that is saved, printed or exported.

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "convection/AreaStatistics.h"
#include "convection/AreaStatisticsTable.h"
#include "convection/RulerMeasure.h"
#include "platform/Settings.h"
#include "product/ObservationTime.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"
#include "view/CKelvraView.h"

namespace {

constexpr char kRulerPrompt[] = "测距：按住左键拖动量距离和方位，Esc 退出";
constexpr char kAreaPrompt[] = "区域统计：按住左键拖出矩形，Esc 退出";
constexpr char kOutsideRefusal[] = "区域统计：所选区域完全在图像之外";
constexpr char kAreaTitle[] = "区域统计";
constexpr char kCsvFilter[] = "CSV文件 (*.csv)|*.csv||";
constexpr int kVisibleChannel = 5;
// The cold thresholds a profile may set, °C.
constexpr char kAreaSection[] = "AreaStatistics";
constexpr char kColdKeys[2][6] = {"Cold1", "Cold2"};

const QColor kMarkColour(255, 220, 0);
const QColor kMarkShadow(0, 0, 0);
constexpr int kLabelOffset = 10;

bool IsTemperature(const CGeoImage& product) {
    const ProductDescription& d = product.Description();
    return d.IsGrid() || d.channel != kVisibleChannel;
}

std::array<double, 2> ColdThresholdsC(const CSettings* profile) {
    std::array<double, 2> cold = kDefaultColdThresholdsC;
    if (profile != nullptr) {
        for (std::size_t k = 0; k < cold.size(); ++k) {
            cold[k] = profile->GetInt(kAreaSection, kColdKeys[k], static_cast<int>(cold[k]));
        }
    }
    return cold;
}

int Floor(double v) {
    return static_cast<int>(std::floor(v));
}

}  // namespace

void CKelvraView::RegisterToolCommands() {
    const auto mode = [this](int id, ViewMode tool) {
        m_commands.Add(
            id, [this, tool](int) { SetMode(m_eMode == tool ? ViewMode::kNormal : tool); },
            [this, tool](CCmdUI& ui) { ui.SetCheck(m_eMode == tool); });
    };
    mode(kIdRuler, ViewMode::kRuler);
    mode(kIdAreaStatistics, ViewMode::kAreaStatistics);
    // From the menu or the toolbar: the last pixel under the mouse, or the
    // middle of the view.
    m_commands.Add(
        kIdPointSeries,
        [this](int) {
            ShowPointSeries(m_lastMouse.isNull() ? viewport()->rect().center() : m_lastMouse);
        },
        [this](CCmdUI& ui) { ui.Enable(m_doc.Product().productLoaded != 0); });
}

void CKelvraView::Tell(const std::string& text) {
    if (m_readout) {
        m_readout(text);
    }
}

void CKelvraView::SetMode(ViewMode mode) {
    m_eMode = mode;
    m_bMarking = false;
    m_bMarkShown = false;
    if (mode == ViewMode::kNormal) {
        viewport()->unsetCursor();
        Tell(std::string());
    } else {
        viewport()->setCursor(Qt::CrossCursor);
        Tell(mode == ViewMode::kRuler ? kRulerPrompt : kAreaPrompt);
    }
    viewport()->update();
}

QPointF CKelvraView::ImagePointAt(const QPoint& viewportPos) const {
    return QPointF(viewportPos + ViewOffset()) / ZoomScale();
}

std::string CKelvraView::RulerReadout() const {
    if (m_eMode != ViewMode::kRuler || !m_bMarkShown) {
        return {};
    }
    // Pixel centres, as the read-out locates them.
    const RulerMeasure measure = MeasureBetween(
        m_doc.Product().Params(), std::floor(m_markFrom.x()), std::floor(m_markFrom.y()),
        std::floor(m_markTo.x()), std::floor(m_markTo.y()));
    return RulerText(measure);
}

bool CKelvraView::ToolPress(QMouseEvent* event) {
    if (m_eMode == ViewMode::kNormal || event->button() != Qt::LeftButton) {
        return false;
    }
    m_markFrom = m_markTo = ImagePointAt(event->position().toPoint());
    m_bMarking = true;
    m_bMarkShown = true;
    viewport()->update();
    event->accept();
    return true;
}

bool CKelvraView::ToolMove(QMouseEvent* event) {
    if (!m_bMarking) {
        return false;
    }
    m_markTo = ImagePointAt(event->position().toPoint());
    viewport()->update();
    if (m_eMode == ViewMode::kRuler) {
        Tell(RulerReadout());
    }
    event->accept();
    return true;
}

bool CKelvraView::ToolRelease(QMouseEvent* event) {
    if (!m_bMarking || event->button() != Qt::LeftButton) {
        return false;
    }
    m_bMarking = false;
    m_markTo = ImagePointAt(event->position().toPoint());
    viewport()->update();
    if (m_eMode == ViewMode::kRuler) {
        Tell(RulerReadout());
    } else {
        ShowAreaStatistics({Floor(m_markFrom.x()), Floor(m_markFrom.y()), Floor(m_markTo.x()),
                            Floor(m_markTo.y())});
    }
    event->accept();
    return true;
}

void CKelvraView::PaintMarks(QPainter& painter) const {
    if (!m_bMarkShown || m_eMode == ViewMode::kNormal) {
        return;
    }
    const double scale = ZoomScale();
    const QPointF from = m_markFrom * scale;
    const QPointF to = m_markTo * scale;
    painter.save();
    // A dark edge under the line keeps it readable over bright cloud.
    for (const auto& [colour, width] : {std::pair{kMarkShadow, 3}, std::pair{kMarkColour, 1}}) {
        painter.setPen(QPen(colour, width));
        painter.setBrush(Qt::NoBrush);
        if (m_eMode == ViewMode::kRuler) {
            painter.drawLine(from, to);
        } else {
            painter.drawRect(QRectF(from, to).normalized());
        }
    }
    if (m_eMode == ViewMode::kRuler) {
        const QString text = QString::fromStdString(RulerReadout());
        const QRectF box = painter.fontMetrics().boundingRect(text).adjusted(-3, -1, 3, 1);
        const QPointF at = to + QPointF(kLabelOffset, -kLabelOffset);
        const QRectF label = box.translated(at - box.bottomLeft());
        painter.fillRect(label, QColor(0, 0, 0, 160));
        painter.setPen(kMarkColour);
        painter.drawText(label, Qt::AlignCenter, text);
    }
    painter.restore();
}

bool CKelvraView::ShowAreaStatistics(PixelBox box) {
    const CGeoImage& current = m_doc.Product();
    if (current.productLoaded == 0) {
        return false;
    }
    const ProjectionParams& params = current.Params();
    if (!ClipPixelBox(box, params.width, params.height)) {
        Tell(kOutsideRefusal);
        return false;
    }
    // Every frame of a loop on screen, else the product on screen.
    std::vector<const CGeoImage*> products;
    if (m_playback.m_bAnimating) {
        for (const CGeoImage& frame : m_doc.FrameProducts()) {
            products.push_back(&frame);
        }
    }
    if (products.empty()) {
        products.push_back(&current);
    }
    const std::array<double, 2> coldC = ColdThresholdsC(m_pProfile);
    const bool temperatures = IsTemperature(current);
    TextTable table;
    table.header = AreaStatisticsHeader(temperatures, coldC);
    for (const CGeoImage* product : products) {
        const ProjectionParams& p = product->Params();
        PixelBox clipped = box;
        if (!ClipPixelBox(clipped, p.width, p.height)) {
            continue;
        }
        if (!m_areas.Matches(p, p.width, p.height)) {
            m_areas.Build(p, p.width, p.height);
        }
        const std::array<float, 2> coldK = {static_cast<float>(coldC[0] + kKelvinAtZeroCelsius),
                                            static_cast<float>(coldC[1] + kKelvinAtZeroCelsius)};
        const AreaStatistics s =
            ComputeAreaStatistics(product->Calibrated(), m_areas, clipped, coldK);
        table.rows.push_back(AreaStatisticsRow(
            IsoTimeText(ObservationMinutes(product->Description())), s, temperatures));
    }
    m_areaTable = table;
    if (!m_pAreaPanel) {
        m_pAreaPanel = new CTableDlg(
            QString::fromUtf8(kAreaTitle),
            [this] {
                return m_doc.Providers().saveFile
                           ? m_doc.Providers().saveFile(
                                 {kAreaTitle, kCsvFilter, "区域统计.csv", ""})
                           : std::nullopt;
            },
            this);
    }
    m_pAreaPanel->SetTable(std::move(table));
    m_pAreaPanel->show();
    return true;
}
