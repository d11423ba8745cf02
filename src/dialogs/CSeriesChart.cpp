#include "dialogs/CSeriesChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "product/ObservationTime.h"

namespace {

// Time steps of the axis, minutes: the smallest that keeps the labels apart.
constexpr int kTimeSteps[] = {10, 15, 30, 60, 120, 180, 360, 720, 1440, 2880, 10080};
constexpr int kMinutesPerDay = 1440;
constexpr int kMaxValueTicks = 8;
const QColor kGridColour(220, 220, 220);
const QColor kLineColour(31, 119, 180);
const QColor kCurrentColour(214, 39, 40);

// A round step (1, 2 or 5 times a power of ten) giving at most
// kMaxValueTicks ticks over span.
double NiceStep(double span) {
    const double raw = std::max(span, 1e-6) / kMaxValueTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw) {
            return m * power;
        }
    }
    return 10.0 * power;
}

QString TimeLabel(std::int64_t minutes, bool withDate) {
    const std::string iso = IsoTimeText(minutes);  // "2022-03-31T13:00Z"
    if (iso.size() < 16) {
        return {};
    }
    const QString time = QString::fromStdString(iso.substr(11, 5));
    return withDate ? QString::fromStdString(iso.substr(5, 5)) + QLatin1Char(' ') + time : time;
}

QString ValueLabel(double value, double step) {
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    return QString::number(value, 'f', decimals);
}

}  // namespace

CSeriesChart::CSeriesChart(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumSize(sizeHint() / 2);
}

QSize CSeriesChart::sizeHint() const {
    const int em = fontMetrics().height();
    return QSize(40 * em, 16 * em);
}

void CSeriesChart::SetSeries(std::vector<SeriesPoint> points, const QString& valueTitle,
                             double offset, int current) {
    m_points = std::move(points);
    m_valueTitle = valueTitle;
    m_dOffset = offset;
    m_nCurrent = current;
    update();
}

void CSeriesChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int em = metrics.height();
    const QRect plot = rect().adjusted(metrics.horizontalAdvance(QStringLiteral("-000.0")) + em,
                                       em * 2, -em * 2, -em * 3);
    painter.drawText(QRect(0, 0, width(), em * 2), Qt::AlignCenter, m_valueTitle);
    if (m_points.empty() || plot.width() < em || plot.height() < em) {
        return;
    }
    double low = 0.0;
    double high = 0.0;
    bool any = false;
    for (const SeriesPoint& p : m_points) {
        if (p.present) {
            const double v = p.value - m_dOffset;
            low = any ? std::min(low, v) : v;
            high = any ? std::max(high, v) : v;
            any = true;
        }
    }
    if (!any) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("此点在各时次均无数据"));
        return;
    }
    const double step = NiceStep(high - low);
    // A value a hair off a round one (a float's -59.99998) keeps its tick.
    constexpr double kSlack = 1e-4;
    low = std::floor(low / step + kSlack) * step;
    high = std::max(std::ceil(high / step - kSlack) * step, low + step);
    const std::int64_t t0 = m_points.front().minutes;
    const std::int64_t t1 = std::max(m_points.back().minutes, t0 + 1);
    const auto xOf = [&](std::int64_t t) {
        return plot.left() + plot.width() * static_cast<double>(t - t0) / (t1 - t0);
    };
    const auto yOf = [&](double v) {
        return plot.bottom() - plot.height() * (v - low) / (high - low);
    };

    // Value grid and labels.
    for (double v = low; v <= high + step / 2; v += step) {
        const double y = yOf(v);
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(0, y - em / 2.0, plot.left() - em / 2.0, em),
                         Qt::AlignRight | Qt::AlignVCenter, ValueLabel(v, step));
    }
    // Time grid and labels, at round times; the date where the day changes.
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("00-00 00:00")) + em;
    int minutesStep = kTimeSteps[std::size(kTimeSteps) - 1];
    for (const int s : kTimeSteps) {
        if (plot.width() * static_cast<double>(s) / (t1 - t0) >= labelWidth) {
            minutesStep = s;
            break;
        }
    }
    std::int64_t lastDay = -1;
    for (std::int64_t t = (t0 + minutesStep - 1) / minutesStep * minutesStep; t <= t1;
         t += minutesStep) {
        const double x = xOf(t);
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const std::int64_t day = t / kMinutesPerDay;
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(x - labelWidth / 2.0, plot.bottom() + em / 4.0, labelWidth, em),
                         Qt::AlignCenter, TimeLabel(t, day != lastDay));
        lastDay = day;
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + em * 3 / 2, plot.width(), em),
                     Qt::AlignCenter, QStringLiteral("观测时间 (UTC)"));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(plot);

    // The frame on screen.
    if (m_nCurrent >= 0 && m_nCurrent < static_cast<int>(m_points.size())) {
        const double x = xOf(m_points[static_cast<std::size_t>(m_nCurrent)].minutes);
        painter.setPen(QPen(kCurrentColour, 1, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    // The values, broken at gaps.
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    bool joined = false;
    for (const SeriesPoint& p : m_points) {
        if (!p.present) {
            joined = false;
            continue;
        }
        const QPointF at(xOf(p.minutes), yOf(p.value - m_dOffset));
        joined ? path.lineTo(at) : path.moveTo(at);
        joined = true;
    }
    painter.setPen(QPen(kLineColour, 2));
    painter.drawPath(path);
    const double dot = em / 5.0;
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        const SeriesPoint& p = m_points[i];
        if (p.present) {
            const bool current = static_cast<int>(i) == m_nCurrent;
            painter.setBrush(current ? kCurrentColour : kLineColour);
            painter.setPen(Qt::NoPen);
            const double r = current ? dot * 2 : dot;
            painter.drawEllipse(QPointF(xOf(p.minutes), yOf(p.value - m_dOffset)), r, r);
        }
    }
}
